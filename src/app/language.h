#pragma once
// The client's side of the interface language: starting in the chosen one
// and the "Dil / Language" menu. The choice and the translations themselves
// are in language_choice.h, shared with tarnek-history.
#include "language_choice.h"

class QApplication;
class QMenuBar;

namespace language {

// At start: the language chosen from the command line's request, the
// remembered choice and the system's locale, installed.
void startIn(QApplication &app, const QString &requested);

// "Dil / Language" with "Türkçe" and "English" in the menu bar: the current
// language is ticked; a choice is remembered for the next start, which the
// user is told.
void addLanguageMenu(QMenuBar *bar);

} // namespace language
