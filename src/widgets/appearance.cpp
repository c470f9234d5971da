#include "appearance.h"
#include "led_display.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

void applyAppearance(QApplication &app)
{
    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        app.setStyle(fusion);
    // Cream windows; edit fields and buttons keep the style's own colours.
    QPalette pal = app.style()->standardPalette();
    pal.setColor(QPalette::Window, QColor(0xFF, 0xFB, 0xF0));
    app.setPalette(pal);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(8);
    app.setFont(font);
    // Load the segment face now so the first display already uses it.
    LedDisplay::segmentFontFamily();
}
