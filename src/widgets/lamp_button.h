#pragma once
#include <QAbstractButton>
#include <QColor>

// Round power-button style lamp; a click toggles the lamp, and code may set it
// lit or dark without a click.
class LampButton : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(bool lit READ isLit WRITE setLit NOTIFY litChanged)
    Q_PROPERTY(QColor litColor READ litColor WRITE setLitColor)
    Q_PROPERTY(QColor darkColor READ darkColor WRITE setDarkColor)
public:
    explicit LampButton(QWidget *parent = nullptr);
    LampButton(const QString &name, const QString &caption, QWidget *parent);

    bool isLit() const { return isChecked(); }
    void setLit(bool on) { setChecked(on); }
    QColor litColor() const { return m_lit; }
    void setLitColor(const QColor &c);
    QColor darkColor() const { return m_dark; }
    void setDarkColor(const QColor &c);

    QSize sizeHint() const override;

signals:
    void litChanged(bool lit);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QColor m_lit{0x00, 0xFF, 0x00};
    QColor m_dark{0x30, 0x30, 0x30};
};
