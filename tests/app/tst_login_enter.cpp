// Enter on the login window: Enter in the user name moves to the password,
// Enter there moves to "Bağlan", and Enter (or the keypad's Enter) on a
// focused button presses it.
#include "client_windows.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class TstLoginEnter : public QObject {
    Q_OBJECT
private slots:
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();
    void enterEnterLogsIn();
};

void TstLoginEnter::enterPressesTheFocusedButton_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Bağlan, Return") << "suiButton1" << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("Bağlan, keypad Enter") << "suiButton1" << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("İptal, Return") << "suiButton2" << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("Kapat, keypad Enter") << "suiButton3" << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
}

void TstLoginEnter::enterPressesTheFocusedButton()
{
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    ClientWindows w;
    TFrmGiris &g = w.giris;
    g.setInternetProbe([] { return true; });
    g.show();
    QApplication::setActiveWindow(&g);
    QVERIFY(QTest::qWaitForWindowActive(&g));
    auto *target = g.findChild<QPushButton *>(button);
    auto *connect = g.findChild<QPushButton *>(QStringLiteral("suiButton1"));
    QVERIFY(target && connect);
    connect->setEnabled(false); // as after a stopped attempt
    QSignalSpy pressed(target, &QPushButton::clicked);
    QSignalSpy closing(&g, &TFrmGiris::closeProgram);
    target->setEnabled(true);
    target->setFocus();
    QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(pressed.count(), 1);
    if (button == QLatin1String("suiButton1")) {
        // Empty user name: the attempt stops at once and says so.
        QCOMPARE(g.statusText(), QStringLiteral("   Kullanıcı Adı Girin"));
        QVERIFY(!connect->isEnabled());
        // A disabled button is not pressed by Enter.
        QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(pressed.count(), 1);
    } else if (button == QLatin1String("suiButton2")) {
        QVERIFY(connect->isEnabled());
    } else {
        QCOMPARE(closing.count(), 1);
    }
}

void TstLoginEnter::enterEnterLogsIn()
{
    // The user types a name and password and presses Enter three times.
    ClientWindows w;
    TFrmGiris &g = w.giris;
    g.setInternetProbe([] { return true; });
    g.findChild<QLineEdit *>(QStringLiteral("edtport"))->setText(QStringLiteral("x")); // stops before the socket
    g.show();
    QApplication::setActiveWindow(&g);
    QVERIFY(QTest::qWaitForWindowActive(&g));
    auto *user = g.findChild<QLineEdit *>(QStringLiteral("Edit1"));
    auto *password = g.findChild<QLineEdit *>(QStringLiteral("Edit4"));
    user->setFocus();
    QTest::keyClicks(user, QStringLiteral("demo"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), password);
    QTest::keyClicks(password, QStringLiteral("1234"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), g.findChild<QPushButton *>(QStringLiteral("suiButton1")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(g.statusText(), QStringLiteral("  Tarneke Bağlanıyor"));
    QVERIFY(!g.findChild<QPushButton *>(QStringLiteral("suiButton1"))->isEnabled());
}

QTEST_MAIN(TstLoginEnter)
#include "tst_login_enter.moc"
