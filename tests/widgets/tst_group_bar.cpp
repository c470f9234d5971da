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
    void keys_data();
    void keys();
    void enterAndSpaceClickAsTheMouseDoes_data();
    void enterAndSpaceClickAsTheMouseDoes();
    void tabReachesTheBarAndShowsTheFrame();
};

namespace {
// A: a1 a2 / B: b1 / C (no items) / D: d1, all open.
void fillForKeys(GroupBar &bar)
{
    GroupBarGroup *a = bar.addGroup(QStringLiteral("A"));
    a->insertItem(QStringLiteral("a2"), 0);
    a->insertItem(QStringLiteral("a1"), 0);
    bar.addGroup(QStringLiteral("B"))->insertItem(QStringLiteral("b1"), 2);
    bar.addGroup(QStringLiteral("C"));
    bar.addGroup(QStringLiteral("D"))->insertItem(QStringLiteral("d1"), 4);
    bar.resize(241, 300);
}

void press(QWidget *w, const QString &keys)
{
    static const QHash<QString, Qt::Key> names{{"Up", Qt::Key_Up},       {"Down", Qt::Key_Down},
                                               {"Left", Qt::Key_Left},   {"Right", Qt::Key_Right},
                                               {"Home", Qt::Key_Home},   {"End", Qt::Key_End},
                                               {"Return", Qt::Key_Return}, {"Enter", Qt::Key_Enter},
                                               {"Space", Qt::Key_Space}};
    for (const QString &k : keys.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        QTest::keyClick(w, names.value(k));
}
} // namespace

void TstGroupBar::keys_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("current"); // an item's caption, or a closed group's
    QTest::addColumn<QString>("closed");  // the closed groups
    QTest::newRow("focus lands on the first item") << "" << "a1" << "";
    QTest::newRow("down within a group") << "Down" << "a2" << "";
    QTest::newRow("down into the next group") << "Down Down" << "b1" << "";
    QTest::newRow("a group without items is passed over") << "Down Down Down" << "d1" << "";
    QTest::newRow("down stops at the last item") << "End Down Down" << "d1" << "";
    QTest::newRow("up stops at the first item") << "Up Up" << "a1" << "";
    QTest::newRow("up across groups") << "End Up Up" << "a2" << "";
    QTest::newRow("left closes the group, its header is current") << "Down Left" << "A" << "A";
    QTest::newRow("a closed group is one stop") << "Left Down Up" << "A" << "A";
    QTest::newRow("down from a closed group") << "Left Down" << "b1" << "A";
    QTest::newRow("right opens it on its first item") << "Down Left Right" << "a1" << "";
    QTest::newRow("enter opens a closed group") << "Left Return" << "a1" << "";
    QTest::newRow("left on a closed group does nothing") << "End Left Left" << "D" << "D";
    QTest::newRow("right on an open group does nothing") << "Down Right" << "a2" << "";
    QTest::newRow("closing two groups") << "Left Down Left Up" << "A" << "A,B";
}

void TstGroupBar::keys()
{
    QFETCH(QString, keys);
    QFETCH(QString, current);
    QFETCH(QString, closed);
    GroupBar bar;
    fillForKeys(bar);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    bar.setFocus(Qt::TabFocusReason);
    QVERIFY(bar.hasFocus());
    press(&bar, keys);
    QCOMPARE(bar.currentCaption(), current);
    QStringList closedNow;
    for (GroupBarGroup *g : bar.groups())
        if (!g->isOpened())
            closedNow << g->caption();
    QCOMPARE(closedNow.join(QLatin1Char(',')), closed);
}

void TstGroupBar::enterAndSpaceClickAsTheMouseDoes_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("clicked"); // the item whose action ran, none: empty
    QTest::newRow("return") << "Down Return" << "a2";
    QTest::newRow("keypad enter") << "Down Down Enter" << "b1";
    QTest::newRow("space") << "Space" << "a1";
    QTest::newRow("on a closed group's header: it opens, nothing is clicked") << "Left Space" << "";
}

void TstGroupBar::enterAndSpaceClickAsTheMouseDoes()
{
    QFETCH(QString, keys);
    QFETCH(QString, clicked);
    GroupBar bar;
    fillForKeys(bar);
    QStringList order; // signal and action, in the order they came
    for (GroupBarGroup *g : bar.groups())
        for (GroupBarItem *it : g->items()) {
            connect(it, &GroupBarItem::clicked, this, [&order](GroupBarItem *i) { order << "signal " + i->caption(); });
            // Like a device item's action: it empties the bar and lists it again.
            it->onClick = [&order, &bar](GroupBarItem *i) {
                order << "action " + i->caption();
                bar.clearAllItems();
                bar.group(3)->insertItem(QStringLiteral("d1"), 4);
            };
        }
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    bar.setFocus(Qt::TabFocusReason);
    press(&bar, keys);
    const QStringList expected = clicked.isEmpty() ? QStringList() : QStringList{"signal " + clicked, "action " + clicked};
    QCOMPARE(order, expected);
    flushDeletes();
    if (!clicked.isEmpty())
        QCOMPARE(bar.currentCaption(), QStringLiteral("d1")); // the only entry left
}

void TstGroupBar::tabReachesTheBarAndShowsTheFrame()
{
    QWidget window;
    auto *before = new QLineEdit(&window);
    auto *bar = new GroupBar(&window);
    auto *after = new QPushButton(QStringLiteral("Sonra"), &window);
    auto *col = new QVBoxLayout(&window);
    col->addWidget(before);
    col->addWidget(bar);
    col->addWidget(after);
    fillForKeys(*bar);
    window.resize(241, 400);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    GroupBarItem *first = bar->group(0)->item(0);
    before->setFocus();
    QApplication::processEvents();
    const QImage unfocused = first->grab().toImage();
    QTest::keyClick(before, Qt::Key_Tab);
    QVERIFY(bar->hasFocus());
    QCOMPARE(bar->currentItem(), first);
    QVERIFY(first->grab().toImage() != unfocused); // the focus frame
    QTest::keyClick(bar, Qt::Key_Tab);
    QVERIFY(after->hasFocus());
    QCOMPARE(first->grab().toImage(), unfocused);
}

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
