#pragma once
#include <QColor>
#include <QFont>
#include <QRectF>
#include <QFont>
#include <QWidget>

// Segment-style numeric display. Its caption is free text (digits, separators,
// the odd letter); digits are drawn with a seven-segment face when one is
// installed, with a plain bold face otherwise.
class LedDisplay : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
    Q_PROPERTY(QColor litColor READ litColor WRITE setLitColor)
    Q_PROPERTY(QColor unlitColor READ unlitColor WRITE setUnlitColor)
    Q_PROPERTY(QColor backgroundColor READ backgroundColor WRITE setBackgroundColor)
    Q_PROPERTY(Qt::Alignment alignment READ alignment WRITE setAlignment)
public:
    explicit LedDisplay(QWidget *parent = nullptr);
    LedDisplay(const QString &name, const QString &text, QWidget *parent);

    // A display shows a few characters: a caption is kept to its first
    // kMaxChars (a longer one would cost seconds to fit and draw).
    static constexpr qsizetype kMaxChars = 64;
    QString text() const { return m_text; }
    void setText(const QString &text);
    QColor litColor() const { return m_lit; }
    void setLitColor(const QColor &c);
    QColor unlitColor() const { return m_unlit; }
    void setUnlitColor(const QColor &c);
    QColor backgroundColor() const { return m_background; }
    void setBackgroundColor(const QColor &c);
    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment a);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Family of the seven-segment face, loaded once from the system fonts;
    // empty when none is installed (a bold monospace face is used then).
    static QString segmentFontFamily();
    // The font the display draws its text with at the given pixel size.
    QFont displayFont(int pixelSize) const;

signals:
    void textChanged(const QString &text);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    struct Fit {
        bool valid = false;
        bool segment = false;
        QString shown, ghost;
        QSize size;
        QRectF area;
        QFont font;
        qreal textWidth = 0;
        qreal condense = 1.0;
    };
    const Fit &fit() const;

    mutable Fit m_fit;
    QString m_text;
    QColor m_lit{0x00, 0xFF, 0x00};
    QColor m_unlit{0x00, 0x40, 0x00};
    QColor m_background{Qt::black};
    Qt::Alignment m_alignment = Qt::AlignRight | Qt::AlignVCenter;
};
