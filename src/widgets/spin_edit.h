#pragma once
#include <QAbstractSpinBox>

// Numeric field with up/down arrows. The arrows step within [minimum,
// maximum]; typed text is kept as typed (handlers convert it themselves and
// report what does not convert), unless the range is enforced.
class SpinEdit : public QAbstractSpinBox {
    Q_OBJECT
    Q_PROPERTY(double value READ value WRITE setValue NOTIFY valueChanged)
    Q_PROPERTY(double minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(double maximum READ maximum WRITE setMaximum)
    Q_PROPERTY(double singleStep READ singleStep WRITE setSingleStep)
    Q_PROPERTY(int decimals READ decimals WRITE setDecimals)
    Q_PROPERTY(bool rangeEnforced READ rangeEnforced WRITE setRangeEnforced)
public:
    explicit SpinEdit(QWidget *parent = nullptr);
    SpinEdit(const QString &name, double minimum, double maximum, double step, int decimals,
             double value, QWidget *parent);

    // The value the text stands for (locale parsing); the last good value when
    // the text does not parse.
    double value() const;
    void setValue(double v);
    // Puts text into the field as it is, without range or number checks (as
    // typing would when the range is not enforced).
    void setText(const QString &t);
    double minimum() const { return m_min; }
    void setMinimum(double v) { m_min = v; }
    double maximum() const { return m_max; }
    void setMaximum(double v) { m_max = v; }
    double singleStep() const { return m_step; }
    void setSingleStep(double v) { m_step = v; }
    int decimals() const { return m_decimals; }
    void setDecimals(int d) { m_decimals = d; }
    bool rangeEnforced() const { return m_enforce; }
    void setRangeEnforced(bool e) { m_enforce = e; }

    void stepBy(int steps) override;
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;
    QSize sizeHint() const override;

signals:
    void valueChanged(double value);

protected:
    StepEnabled stepEnabled() const override;

private:
    QString format(double v) const;
    double m_min = 0, m_max = 100, m_step = 1, m_last = 0;
    int m_decimals = 0;
    bool m_enforce = false;
};
