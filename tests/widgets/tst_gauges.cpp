// Needle, arrow and progress bar: clamping, direction and what is painted.
#include "appearance.h"
#include "arrow_indicator.h"
#include "led_progress_bar.h"
#include "needle_meter.h"
#include "tank_gauge.h"
#include "thermometer.h"

#include <QSignalSpy>
#include <QTest>
#include <QtWidgets>

namespace {

// Counts paint events of one widget.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

int countNear(const QImage &img, const QRect &area, const QColor &c)
{
    int n = 0;
    const QRect r = area.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor p = img.pixelColor(x, y);
            if (qAbs(p.red() - c.red()) < 24 && qAbs(p.green() - c.green()) < 24 && qAbs(p.blue() - c.blue()) < 24)
                ++n;
        }
    return n;
}

} // namespace

class TstGauges : public QObject {
    Q_OBJECT
private slots:
    void needleClamps_data();
    void needleClamps();
    void needleRangeChangeClampsPosition();
    void levelGaugesClamp();
    void arrowPointsWhereSet();
    void arrowChangesRepaint();
    void progressShowsClampedValue_data();
    void progressShowsClampedValue();
};

void TstGauges::needleClamps_data()
{
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("shown");
    QTest::addColumn<bool>("signalled");
    QTest::newRow("below") << -80 << -50 << true;
    QTest::newRow("above") << 70 << 50 << true;
    QTest::newRow("min edge") << -50 << -50 << true;
    QTest::newRow("max edge") << 50 << 50 << true;
    QTest::newRow("inside") << 17 << 17 << true;
    QTest::newRow("unchanged") << 0 << 0 << false;
    QTest::newRow("int min") << std::numeric_limits<int>::min() << -50 << true;
}

void TstGauges::needleClamps()
{
    QFETCH(int, set);
    QFETCH(int, shown);
    QFETCH(bool, signalled);
    NeedleMeter m(QStringLiteral("VrMeter2"), nullptr);
    QSignalSpy spy(&m, &NeedleMeter::positionChanged);
    m.setPosition(set);
    QCOMPARE(m.position(), shown);
    QCOMPARE(spy.size(), signalled ? 1 : 0);
    if (signalled)
        QCOMPARE(spy.at(0).at(0).toInt(), shown);
}

void TstGauges::needleRangeChangeClampsPosition()
{
    NeedleMeter m;
    m.setPosition(40);
    m.setRange(0, 30);
    QCOMPARE(m.position(), 30);
    m.setRange(100, 0); // reversed bounds are taken in order
    QCOMPARE(m.minimum(), 0);
    QCOMPARE(m.maximum(), 100);
    m.setPosition(250);
    QCOMPARE(m.position(), 100);
}

void TstGauges::levelGaugesClamp()
{
    TankGauge tank(QStringLiteral("VrTank1"), nullptr);
    Thermometer thermo(QStringLiteral("vrThermoMeter1"), nullptr);
    tank.setPosition(150);
    thermo.setPosition(-5);
    QCOMPARE(tank.position(), 100);
    QCOMPARE(thermo.position(), 0);
    tank.setMaximum(50);
    QCOMPARE(tank.position(), 50);
    // The tank's liquid reaches its top at the maximum and is absent at zero.
    tank.resize(40, 100);
    const QImage full = tank.grab().toImage();
    QVERIFY(countNear(full, QRect(5, 8, 20, 10), tank.liquidColor().lighter(130)) +
                countNear(full, QRect(5, 8, 20, 10), tank.liquidColor()) > 0);
    tank.setPosition(0);
    const QImage empty = tank.grab().toImage();
    QCOMPARE(countNear(empty, QRect(5, 8, 20, 80), tank.liquidColor()), 0);
}

void TstGauges::arrowPointsWhereSet()
{
    // The head is taller than the shaft: only the pointed-to side has lit
    // pixels in the top band of the widget.
    ArrowIndicator a(QStringLiteral("ok1"), nullptr);
    a.resize(60, 30);
    const QRect leftBand(0, 3, 30, 4), rightBand(30, 3, 30, 4);
    QImage img = a.grab().toImage();
    QVERIFY(countNear(img, rightBand, a.litColor()) > 0);
    QCOMPARE(countNear(img, leftBand, a.litColor()), 0);

    a.setDirection(ArrowIndicator::Left);
    a.setLitColor(Qt::red);
    img = a.grab().toImage();
    QVERIFY(countNear(img, leftBand, Qt::red) > 0);
    QCOMPARE(countNear(img, rightBand, Qt::red), 0);
    QCOMPARE(countNear(img, img.rect(), QColor(0, 255, 0)), 0);
}

void TstGauges::arrowChangesRepaint()
{
    ArrowIndicator a;
    a.resize(40, 20);
    a.show();
    QVERIFY(QTest::qWaitForWindowExposed(&a));
    PaintCounter counter;
    a.installEventFilter(&counter);
    QSignalSpy dirSpy(&a, &ArrowIndicator::directionChanged);

    a.setDirection(ArrowIndicator::Left);
    QTRY_VERIFY(counter.paints > 0);
    QCOMPARE(dirSpy.size(), 1);

    counter.paints = 0;
    a.setLitColor(Qt::yellow);
    QTRY_VERIFY(counter.paints > 0);

    a.setDirection(ArrowIndicator::Left); // same direction: no signal
    QCOMPARE(dirSpy.size(), 1);
}

void TstGauges::progressShowsClampedValue_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("lastLit");
    QTest::addColumn<bool>("firstLit");
    QTest::newRow("over 100") << 150 << true << true;
    QTest::newRow("full") << 100 << true << true;
    QTest::newRow("half") << 50 << false << true;
    QTest::newRow("zero") << 0 << false << false;
    QTest::newRow("negative") << -20 << false << false;
}

void TstGauges::progressShowsClampedValue()
{
    QFETCH(int, value);
    QFETCH(bool, lastLit);
    QFETCH(bool, firstLit);
    LedProgressBar bar;
    bar.resize(160, 14);
    bar.setValue(value);
    QCOMPARE(bar.value(), value); // the value is kept, only the display clamps
    const QImage img = bar.grab().toImage();
    const QColor lit = bar.barColor();
    QCOMPARE(countNear(img, QRect(img.width() - 6, 4, 3, 4), lit) > 0, lastLit);
    QCOMPARE(countNear(img, QRect(3, 4, 3, 4), lit) > 0, firstLit);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    applyAppearance(app);
    TstGauges t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_gauges.moc"
