// Every tab that a device kind's page layout shows is readable at once: the
// captions fit side by side in the page control, in the client's look, so the
// user never has to scroll the tab bar to find a page.
#include "appearance.h"
#include "client_windows.h"
#include "group_bar.h"

#include <QApplication>
#include <QLayout>
#include <QResizeEvent>
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
};

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
