// Spin edit: arrow steps within the range, typed text kept, locale parsing.
#include "appearance.h"
#include "spin_edit.h"

#include <QSignalSpy>
#include <QTest>
#include <QtWidgets>

class TstSpinEdit : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void initialText_data();
    void initialText();
    void arrowsStepAndClamp_data();
    void arrowsStepAndClamp();
    void typedTextKeptWhenNotEnforced();
    void enforcedValidation_data();
    void enforcedValidation();
    void valueParsesWithLocale();
    void arrowKeysStep();
};

void TstSpinEdit::initialText_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << "C" << 0 << 1.0 << "1";
    QTest::newRow("two decimals C") << "C" << 2 << 1.0 << "1.00";
    QTest::newRow("two decimals tr") << "tr_TR" << 2 << 1.0 << "1,00";
    QTest::newRow("no grouping tr") << "tr_TR" << 1 << 12345.5 << "12345,5";
    QTest::newRow("negative") << "C" << 1 << -2.5 << "-2.5";
}

void TstSpinEdit::initialText()
{
    QFETCH(QString, locale);
    QFETCH(int, decimals);
    QFETCH(double, value);
    QFETCH(QString, text);
    QLocale::setDefault(QLocale(locale));
    SpinEdit e(QStringLiteral("edtendeksyaz"), -100000, 100000, 1, decimals, value, nullptr);
    QCOMPARE(e.objectName(), QStringLiteral("edtendeksyaz"));
    QCOMPARE(e.text(), text);
}

void TstSpinEdit::arrowsStepAndClamp_data()
{
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<double>("step");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("start");
    QTest::addColumn<int>("steps");
    QTest::addColumn<QString>("text");
    QTest::newRow("up one") << 0.0 << 10.0 << 1.0 << 0 << 5.0 << 1 << "6";
    QTest::newRow("up past max") << 0.0 << 10.0 << 1.0 << 0 << 9.0 << 5 << "10";
    QTest::newRow("down past min") << 1.0 << 18.0 << 1.0 << 0 << 2.0 << -4 << "1";
    QTest::newRow("fractional steps") << 0.0 << 1.0 << 0.1 << 1 << 0.0 << 3 << "0.3";
    QTest::newRow("decimals kept") << 0.0 << 100.0 << 0.5 << 2 << 1.0 << 1 << "1.50";
    QTest::newRow("start outside") << 0.0 << 10.0 << 1.0 << 0 << 50.0 << 1 << "10";
}

void TstSpinEdit::arrowsStepAndClamp()
{
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(double, step);
    QFETCH(int, decimals);
    QFETCH(double, start);
    QFETCH(int, steps);
    QFETCH(QString, text);
    SpinEdit e(QStringLiteral("s"), min, max, step, decimals, start, nullptr);
    QSignalSpy changed(&e, &SpinEdit::valueChanged);
    e.stepBy(steps);
    QCOMPARE(e.text(), text);
    QCOMPARE(changed.size(), 1);
    QVERIFY(e.value() >= min && e.value() <= max);
}

void TstSpinEdit::typedTextKeptWhenNotEnforced()
{
    SpinEdit e(QStringLiteral("C1_R_YAZ"), 0, 100, 1, 0, 5, nullptr);
    e.show();
    QVERIFY(QTest::qWaitForWindowExposed(&e));
    QTest::keyClick(&e, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(&e, QStringLiteral("500"));
    QCOMPARE(e.text(), QStringLiteral("500"));
    QCOMPARE(e.value(), 500.0);
    e.clearFocus(); // editing finished: no correction
    QCOMPARE(e.text(), QStringLiteral("500"));
    QTest::keyClick(&e, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(&e, QStringLiteral("12abc"));
    QCOMPARE(e.text(), QStringLiteral("12abc")); // the handler reports it, not the field
    QCOMPARE(e.value(), 12.0);                     // the last text that parsed
}

void TstSpinEdit::enforcedValidation_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("state");
    QTest::newRow("in range") << "50" << int(QValidator::Acceptable);
    QTest::newRow("edge") << "100" << int(QValidator::Acceptable);
    QTest::newRow("too big") << "500" << int(QValidator::Invalid);
    QTest::newRow("letters") << "abc" << int(QValidator::Invalid);
    QTest::newRow("empty") << "" << int(QValidator::Intermediate);
    QTest::newRow("decimal") << "2.5" << int(QValidator::Acceptable);
    QTest::newRow("too many decimals") << "2.555" << int(QValidator::Invalid);
    QTest::newRow("sign only") << "-" << int(QValidator::Intermediate);
    QTest::newRow("below min, growing") << "1" << int(QValidator::Intermediate);
}

void TstSpinEdit::enforcedValidation()
{
    QFETCH(QString, input);
    QFETCH(int, state);
    SpinEdit e(QStringLiteral("s"), 2, 100, 1, 1, 5, nullptr);
    int pos = 0;
    QCOMPARE(int(e.validate(input, pos)), int(QValidator::Acceptable)); // not enforced: anything
    e.setRangeEnforced(true);
    QCOMPARE(int(e.validate(input, pos)), state);
}

void TstSpinEdit::valueParsesWithLocale()
{
    QLocale::setDefault(QLocale(QStringLiteral("tr_TR")));
    SpinEdit e(QStringLiteral("s"), 0, 1000, 1, 2, 3, nullptr);
    e.setText(QStringLiteral("12,75"));
    QCOMPARE(e.value(), 12.75);
    e.setValue(7.5);
    QCOMPARE(e.text(), QStringLiteral("7,50"));
    e.setText(QStringLiteral("x"));
    QCOMPARE(e.value(), 7.5);
    e.stepBy(1); // steps from the last good value
    QCOMPARE(e.text(), QStringLiteral("8,50"));
}

void TstSpinEdit::arrowKeysStep()
{
    SpinEdit e(QStringLiteral("s"), 0, 3, 1, 0, 2, nullptr);
    e.show();
    QVERIFY(QTest::qWaitForWindowExposed(&e));
    QTest::keyClick(&e, Qt::Key_Up);
    QTest::keyClick(&e, Qt::Key_Up);
    QCOMPARE(e.text(), QStringLiteral("3"));
    QTest::keyClick(&e, Qt::Key_Down);
    QCOMPARE(e.text(), QStringLiteral("2"));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    applyAppearance(app);
    TstSpinEdit t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_spin_edit.moc"
