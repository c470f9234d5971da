#include "appearance.h"
#include "led_display.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>

void applyAppearance(QApplication &app)
{
    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        app.setStyle(fusion);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(8);
    app.setFont(font);
    // Load the segment face now so the first display already uses it.
    LedDisplay::segmentFontFamily();
}
