// Emptying the device bar from inside an item's own click (a click while
// disconnected logs in again, and the login empties the bar): the running
// action keeps what it captured, and the item lives until the click is over.
#include "group_bar.h"

#include <QPointer>
#include <QTest>
#include <QtWidgets>

#include <memory>

class TstGroupBarClick : public QObject {
    Q_OBJECT
private slots:
    void clearFromInsideTheClick_data();
    void clearFromInsideTheClick();
    void clearOutsideAClickDeletesLater();
};

void TstGroupBarClick::clearFromInsideTheClick_data()
{
    QTest::addColumn<bool>("flushDeletesInside"); // deferred deletions run during the action
    QTest::addColumn<bool>("refill");             // the action lists the devices again
    QTest::newRow("clear only") << false << false;
    QTest::newRow("clear, deletions flushed inside the action") << true << false;
    QTest::newRow("clear and list again") << true << true;
}

void TstGroupBarClick::clearFromInsideTheClick()
{
    QFETCH(bool, flushDeletesInside);
    QFETCH(bool, refill);
    GroupBar bar;
    GroupBarGroup *g = bar.addGroup(QStringLiteral("DEPO"));
    QPointer<GroupBarItem> other = g->insertItem(QStringLiteral("Pano 2 No: 2"), 0);
    QPointer<GroupBarItem> item = g->insertItem(QStringLiteral("Pano 1 No: 1"), 2);
    bar.resize(241, 200);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));

    // What the action captured, on the heap, watched from outside.
    auto captured = std::make_shared<QString>(QStringLiteral("captured state of the action"));
    std::weak_ptr<QString> watch = captured;
    bool capturesAlive = false, itemAlive = false;
    QString seen;
    item->onClick = [captured, &bar, &capturesAlive, &itemAlive, &seen, &item, flushDeletesInside,
                     refill](GroupBarItem *self) {
        bar.clearAllItems();
        if (flushDeletesInside)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (refill)
            bar.group(0)->insertItem(QStringLiteral("Pano 1 No: 1"), 2);
        // Still usable after the bar was emptied.
        seen = *captured;
        capturesAlive = true;
        itemAlive = !item.isNull() && item == self && self->caption() == QLatin1String("Pano 1 No: 1");
    };
    captured.reset();
    QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(30, item->height() / 2));
    QVERIFY(capturesAlive);
    QVERIFY(itemAlive);
    QCOMPARE(seen, QStringLiteral("captured state of the action"));
    QVERIFY(watch.expired()); // the action went with its item's reset
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(item.isNull());
    QVERIFY(other.isNull());
    QCOMPARE(bar.group(0)->itemCount(), refill ? 1 : 0);
}

void TstGroupBarClick::clearOutsideAClickDeletesLater()
{
    GroupBar bar;
    QPointer<GroupBarItem> item = bar.addGroup(QStringLiteral("A"))->insertItem(QStringLiteral("x"), 0);
    item->onClick = [](GroupBarItem *) {};
    bar.clearAllItems();
    QVERIFY(!item.isNull());
    QVERIFY(item->isDiscarded());
    QVERIFY(item->isHidden());
    QVERIFY(!item->onClick);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(item.isNull());
}

QTEST_MAIN(TstGroupBarClick)
#include "tst_group_bar_click.moc"
