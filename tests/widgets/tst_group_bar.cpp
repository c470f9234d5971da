// Device bar: group order, item order, clearing, clicks and pictures.
#include "appearance.h"
#include "group_bar.h"
#include "image_list.h"

#include <QSignalSpy>
#include <QTest>
#include <QtWidgets>

namespace {
void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

QStringList captions(const GroupBarGroup *g)
{
    QStringList out;
    for (const GroupBarItem *it : g->items())
        out << it->caption();
    return out;
}

// True when the 16 x 16 picture slot of an item paints nothing of its own.
bool pictureSlotBlank(GroupBarItem *item)
{
    const QImage img = item->grab().toImage();
    const int y0 = (img.height() - 16) / 2;
    const QColor ref = img.pixelColor(6, y0);
    for (int y = y0; y < y0 + 16; ++y)
        for (int x = 6; x < 22; ++x)
            if (img.pixelColor(x, y) != ref)
                return false;
    return true;
}
} // namespace

class TstGroupBar : public QObject {
    Q_OBJECT
private slots:
    void groupsAppendItemsGoOnTop();
    void clearAllItemsKeepsGroups();
    void clickRunsActionAfterSignal();
    void actionMayClearTheBar();
    void headerClickTogglesGroup();
    void pictures_data();
    void pictures();
    void imageListsAreNamedAndSized();
    void longCaptionElidedShortNot();
};

void TstGroupBar::groupsAppendItemsGoOnTop()
{
    GroupBar bar;
    GroupBarGroup *a = bar.addGroup(QStringLiteral("Grup A"));
    GroupBarGroup *b = bar.addGroup(QStringLiteral("Grup B"));
    QCOMPARE(bar.groupCount(), 2);
    QCOMPARE(bar.group(0), a);
    QCOMPARE(bar.group(1), b);
    QCOMPARE(bar.group(2), nullptr);
    a->insertItem(QStringLiteral("Pano 1 No: 1234"), 2);
    a->insertItem(QStringLiteral("Pano 2 No: 1235"), 0);
    GroupBarItem *top = a->insertItem(QStringLiteral("Pano 3 No: 1236"), 4);
    QCOMPARE(captions(a), (QStringList{"Pano 3 No: 1236", "Pano 2 No: 1235", "Pano 1 No: 1234"}));
    QCOMPARE(a->item(0), top);
    QCOMPARE(a->item(-1), nullptr);
    QCOMPARE(top->group(), a);
    QCOMPARE(b->itemCount(), 0);
    // Also on screen: the newest item is the highest one.
    bar.resize(241, 300);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QTRY_VERIFY(a->item(0)->y() < a->item(1)->y());
    QVERIFY(a->y() < b->y());
}

void TstGroupBar::clearAllItemsKeepsGroups()
{
    GroupBar bar;
    QPointer<GroupBarItem> first = bar.addGroup(QStringLiteral("A"))->insertItem(QStringLiteral("x"), 0);
    bar.addGroup(QStringLiteral("B"))->insertItem(QStringLiteral("y"), 2);
    bar.clearAllItems();
    QCOMPARE(bar.groupCount(), 2);
    QCOMPARE(bar.group(0)->caption(), QStringLiteral("A"));
    QCOMPARE(bar.group(0)->itemCount(), 0);
    QCOMPARE(bar.group(1)->itemCount(), 0);
    flushDeletes();
    QVERIFY(first.isNull());
    bar.group(1)->insertItem(QStringLiteral("z"), 3);
    QCOMPARE(bar.group(1)->itemCount(), 1);
}

void TstGroupBar::clickRunsActionAfterSignal()
{
    GroupBar bar;
    GroupBarItem *item = bar.addGroup(QStringLiteral("A"))->insertItem(QStringLiteral("Pano"), 2);
    bar.resize(241, 200);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QStringList order;
    connect(item, &GroupBarItem::clicked, this, [&](GroupBarItem *it) {
        QCOMPARE(it, item);
        order << QStringLiteral("signal");
    });
    item->onClick = [&](GroupBarItem *it) { order << QStringLiteral("action:") + it->caption(); };
    QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(30, item->height() / 2));
    QCOMPARE(order, (QStringList{"signal", "action:Pano"}));
    QTest::mouseClick(item, Qt::RightButton, {}, QPoint(30, item->height() / 2));
    QCOMPARE(order.size(), 2);
}

void TstGroupBar::actionMayClearTheBar()
{
    // Selecting a device rebuilds the bar from inside the item's own action.
    GroupBar bar;
    GroupBarItem *item = bar.addGroup(QStringLiteral("A"))->insertItem(QStringLiteral("Pano"), 2);
    bar.resize(241, 200);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    item->onClick = [&](GroupBarItem *) {
        bar.clearAllItems();
        bar.group(0)->insertItem(QStringLiteral("Yeni"), 0);
    };
    QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(30, item->height() / 2));
    flushDeletes();
    QCOMPARE(captions(bar.group(0)), QStringList{QStringLiteral("Yeni")});
}

void TstGroupBar::headerClickTogglesGroup()
{
    GroupBar bar;
    GroupBarGroup *g = bar.addGroup(QStringLiteral("A"));
    GroupBarItem *item = g->insertItem(QStringLiteral("Pano"), 0);
    bar.resize(241, 200);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QVERIFY(g->isOpened());
    QTRY_VERIFY(item->isVisible());
    QTest::mouseClick(g, Qt::LeftButton, {}, QPoint(20, 5));
    QVERIFY(!g->isOpened());
    QVERIFY(!item->isVisible());
    QTest::mouseClick(g, Qt::LeftButton, {}, QPoint(20, 5));
    QVERIFY(g->isOpened());
    QVERIFY(item->isVisible());
}

void TstGroupBar::pictures_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("blank");
    QTest::newRow("none") << -1 << true;
    QTest::newRow("analyser") << 0 << false;
    QTest::newRow("compensation relay") << 2 << false;
    QTest::newRow("overcurrent relay") << 3 << false;
    QTest::newRow("modem") << 4 << false;
    QTest::newRow("past the list") << 5 << true;
    QTest::newRow("far negative") << -1000 << true;
}

void TstGroupBar::pictures()
{
    QFETCH(int, index);
    QFETCH(bool, blank);
    QObject owner;
    GroupBar bar;
    GroupBarGroup *g = bar.addGroup(QStringLiteral("A"));
    g->setImages(pictures::makeDeviceImages(&owner));
    GroupBarItem *item = g->insertItem(QStringLiteral("Pano 1 No: 1234"), index);
    item->resize(200, item->sizeHint().height());
    QCOMPARE(item->imageIndex(), index);
    QCOMPARE(pictureSlotBlank(item), blank);
}

void TstGroupBar::imageListsAreNamedAndSized()
{
    QObject owner;
    const ImageList *devices = pictures::makeDeviceImages(&owner);
    const ImageList *tray = pictures::makeTrayImages(&owner);
    QCOMPARE(devices->objectName(), QStringLiteral("ImageList1"));
    QCOMPARE(tray->objectName(), QStringLiteral("ImageList2"));
    QCOMPARE(devices->count(), 5);
    QCOMPARE(tray->count(), 5);
    for (const ImageList *l : {devices, tray})
        for (int i = 0; i < l->count(); ++i)
            QCOMPARE(l->pixmap(i).size(), QSize(16, 16));
    QVERIFY(devices->pixmap(9).isNull());
    // The tray frames animate: neighbouring frames differ.
    for (int i = 1; i < tray->count(); ++i)
        QVERIFY(tray->pixmap(i).toImage() != tray->pixmap(i - 1).toImage());
    QVERIFY(!pictures::applicationIcon().isNull());
    QVERIFY(pictures::applicationIcon().availableSizes().size() >= 3);
}

void TstGroupBar::longCaptionElidedShortNot()
{
    GroupBar bar;
    bar.setFixedWidth(241);
    GroupBarGroup *g = bar.addGroup(QStringLiteral("A"));
    GroupBarItem *item = g->insertItem(QStringLiteral("Pano 1 No: 1234"), 2);
    bar.resize(241, 200);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    // The usual caption fits the column with its picture.
    QTRY_VERIFY(item->width() >= item->sizeHint().width());
    // A very long caption does not widen the column.
    g->insertItem(QString(80, QLatin1Char('W')), 0);
    QCoreApplication::processEvents();
    QVERIFY(bar.widget()->width() <= 241);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    applyAppearance(app);
    TstGroupBar t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_group_bar.moc"
