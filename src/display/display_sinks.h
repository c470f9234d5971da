#pragma once
// The widgets the live display writes, each written only when what it shows
// changes: a tick over an unchanged device compares and leaves every widget
// alone.
#include <QColor>
#include <QString>

class QCheckBox;
class QLabel;
class QObject;
class QWidget;
class ArrowIndicator;
class LampButton;
class LedDisplay;
class NamedWidgets;

namespace display {

// The caption of an LED display or the text of a label.
class TextSink {
public:
    TextSink() = default;
    // The component of that name when it shows text; empty otherwise.
    static TextSink find(const NamedWidgets &widgets, const QString &name);

    bool isNull() const { return !m_led && !m_label; }
    QWidget *widget() const;
    QString text() const;
    void set(const QString &text) const;
    // Font colour of a label (status labels).
    void setColour(QRgb colour) const;

private:
    LedDisplay *m_led = nullptr;
    QLabel *m_label = nullptr;
};

void setChecked(QCheckBox *box, bool on);
void setLit(LampButton *lamp, bool on);
void setArrow(ArrowIndicator *arrow, bool right, QRgb colour);
void setFontColour(QWidget *w, QRgb colour);
QRgb fontColour(const QWidget *w);

} // namespace display
