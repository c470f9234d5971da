// Every tab that a device kind's page layout shows is readable at once: the
// captions fit side by side in the page control, in the client's look, so the
// user never has to scroll the tab bar to find a page.
#include "appearance.h"
#include "client_windows.h"
#include "group_bar.h"

#include <QApplication>
#include <QLayout>
#include <QResizeEvent>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <memory>

class TstPageTabs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { applyAppearance(*qApp); }
    void captionsFit_data();
    void captionsFit();
    void tabOrder_data();
    void tabOrder();
};

namespace {
// Shown on its page (the page itself may be behind another one) in a window
// that is yet to be shown.
bool shownOnItsPage(const QWidget *w)
{
    for (; w && !w->isWindow() && !qobject_cast<QStackedWidget *>(w->parentWidget()); w = w->parentWidget())
        if (w->isHidden())
            return false;
    return true;
}

// The widget Tab moves to from `from`.
QWidget *tabFrom(QWidget *from)
{
    for (QWidget *w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && shownOnItsPage(w))
            return w;
    return nullptr;
}
} // namespace

void TstPageTabs::tabOrder_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::newRow("the device bar after the tool strip") << "SpeedButton2" << "RzGroupBar1";
    QTest::newRow("the page tabs after the device bar") << "RzGroupBar1" << "suiPageControl1Tabs";
    QTest::newRow("1: the dates, then their button") << "DateTimePicker2" << "VrShadowButton9";
    QTest::newRow("4: a step's values, then its Yaz") << "C7_t_YAZ" << "c7yaz";
    QTest::newRow("4: the next step") << "c7yaz" << "C8_R_YAZ";
    QTest::newRow("6: the dates, then their button") << "dtsycsontarih" << "VrShadowButton12";
    QTest::newRow("8: CT, then Gönder") << "CT" << "Button9";
    QTest::newRow("8: the switching times, then Set") << "minalmacikmasure" << "Button7";
    QTest::newRow("8: the switching times' Set, then the penalty limits") << "Button7" << "Tanfi";
    QTest::newRow("8: learning and direction, then Set") << "yonsabitddisi" << "Button5";
    QTest::newRow("8: Set, then the switching mode") << "Button5" << "manueldevrede";
    QTest::newRow("8: fast mode, then Set") << "radiopasif" << "Button8";
}

void TstPageTabs::tabOrder()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    ClientWindows w;
    auto *start = w.ana.findChild<QWidget *>(from);
    QVERIFY(start);
    QWidget *next = tabFrom(start);
    QVERIFY(next);
    QCOMPARE(next->objectName(), to);
}

void TstPageTabs::captionsFit_data()
{
    QTest::addColumn<QList<int>>("kinds");
    QTest::addColumn<QList<int>>("shown");
    QTest::newRow("at start") << QList<int>{} << QList<int>{0, 1, 4, 5, 8, 9};
    // The first device is an analyser: the kind does not change, nor the tabs.
    QTest::newRow("analyser first") << QList<int>{0} << QList<int>{0, 1, 4, 5, 8, 9};
    QTest::newRow("relay") << QList<int>{2} << QList<int>{0, 1, 4, 5, 8, 9};
    // The widest set: seven captions.
    QTest::newRow("analyser after a relay") << QList<int>{2, 0} << QList<int>{0, 1, 3, 4, 5, 8, 9};
    QTest::newRow("overcurrent relay") << QList<int>{0, 3} << QList<int>{2, 8, 9};
    QTest::newRow("meter after an analyser") << QList<int>{2, 0, 4} << QList<int>{6, 8, 9};
}

void TstPageTabs::captionsFit()
{
    QFETCH(QList<int>, kinds);
    QFETCH(QList<int>, shown);
    auto w = std::make_unique<ClientWindows>();
    ClientContext &ctx = w->ana.context();
    w->ana.state().connected = true; // selections send nothing without a socket
    GroupBarGroup *group = w->ana.findChild<GroupBar *>(QStringLiteral("RzGroupBar1"))->addGroup(QStringLiteral("G"));
    int serial = 12001;
    for (int kind : kinds)
        ctx.selectDevice(group->insertItem(QStringLiteral("Cihaz No: %1").arg(serial++), kind));

    auto *tabs = w->ana.findChild<QTabWidget *>(QStringLiteral("suiPageControl1"));
    QList<int> visible;
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->isTabVisible(i))
            visible << i;
    QCOMPARE(visible, shown);

    w->ana.layout()->activate();
    w->ana.centralWidget()->layout()->activate();
    QVERIFY(tabs->width() >= 800);
    // The bar lays its tabs out again when it is resized (as when the window
    // shows); tab visibility changes on a hidden bar may leave it stale.
    QResizeEvent resized(tabs->tabBar()->size(), tabs->tabBar()->size());
    QApplication::sendEvent(tabs->tabBar(), &resized);
    // The bar asks for the sum of its visible tabs' widths.
    QVERIFY2(tabs->tabBar()->sizeHint().width() <= tabs->width(),
             qPrintable(QStringLiteral("tabs need %1 px, the page control has %2")
                            .arg(tabs->tabBar()->sizeHint().width())
                            .arg(tabs->width())));
}

QTEST_MAIN(TstPageTabs)
#include "tst_page_tabs.moc"
