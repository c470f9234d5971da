#pragma once
class QApplication;

// The client's look: application font, style and palette basics shared by the
// program, the tests and the screenshot tool.
void applyAppearance(QApplication &app);
