// LED display, lamp button, link label, status bar and spinner behaviour.
#include "appearance.h"
#include "image_area.h"
#include "lamp_button.h"
#include "led_display.h"
#include "panel_status_bar.h"
#include "spinner.h"
#include "url_label.h"

#include <QSignalSpy>
#include <QTest>
#include <QtWidgets>

namespace {

bool isLitPixel(const QColor &p, const QColor &lit, int tolerance)
{
    return qAbs(p.red() - lit.red()) < tolerance && qAbs(p.green() - lit.green()) < tolerance &&
           qAbs(p.blue() - lit.blue()) < tolerance;
}

// Columns [first, last] holding lit pixels; (-1, -1) when none. A wide
// tolerance also finds the faint edges of small anti-aliased glyphs (but not
// the dark unlit segments).
QPair<int, int> litColumns(const QImage &img, const QColor &lit, int tolerance = 40)
{
    int first = -1, last = -1;
    for (int x = 0; x < img.width(); ++x)
        for (int y = 0; y < img.height(); ++y)
            if (isLitPixel(img.pixelColor(x, y), lit, tolerance)) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
    return {first, last};
}

} // namespace

class TstDisplays : public QObject {
    Q_OBJECT
private slots:
    void ledKeepsTextAndShowsIt_data();
    void ledKeepsTextAndShowsIt();
    void ledTinyWidgetStillUnclipped();
    void ledEmptyShowsNothingLit();
    void ledSizeHint();
    void lampClickToggles();
    void lampSetLitWithoutClick();
    void urlLabelVisitedAfterClick();
    void statusBarPanels();
    void spinnerHalves();
    void imageAreaIsFixedWhiteCanvas();
};

void TstDisplays::ledKeepsTextAndShowsIt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::newRow("zeros") << "000" << 80;
    QTest::newRow("negative comma") << "-000,1" << 80;
    QTest::newRow("voltage") << "230,5" << 80;
    QTest::newRow("time") << "7:5:9" << 80;
    QTest::newRow("date narrow") << "5.11.2009" << 56;
    QTest::newRow("serial") << "12001" << 60;
    QTest::newRow("letters") << "HAtA" << 60;
    QTest::newRow("long") << "123456789012345" << 90;
}

void TstDisplays::ledKeepsTextAndShowsIt()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    LedDisplay led(QStringLiteral("V1"), QStringLiteral("000.0"), nullptr);
    QCOMPARE(led.objectName(), QStringLiteral("V1"));
    QSignalSpy spy(&led, &LedDisplay::textChanged);
    led.setText(text);
    QCOMPARE(led.text(), text); // ',' stays ',' although drawn as a point
    QCOMPARE(spy.size(), 1);
    QCOMPARE(led.accessibleName(), text);

    led.resize(width, 22);
    const QImage img = led.grab().toImage();
    const auto [first, last] = litColumns(img, led.litColor());
    QVERIFY2(first >= 0, "no lit segment visible");
    // Never clipped: the lit glyphs keep clear of both edges.
    const auto [faintFirst, faintLast] = litColumns(img, led.litColor(), 150);
    QVERIFY2(faintFirst > 0 && faintLast < img.width() - 1,
             qPrintable(QStringLiteral("lit columns %1..%2").arg(faintFirst).arg(faintLast)));
    Q_UNUSED(last);
}

void TstDisplays::ledTinyWidgetStillUnclipped()
{
    LedDisplay led(QStringLiteral("x"), QStringLiteral("123456789012345"), nullptr);
    led.resize(30, 22);
    const QImage img = led.grab().toImage();
    const auto [first, last] = litColumns(img, led.litColor(), 150);
    QVERIFY(first != 0 && last != img.width() - 1);
}

void TstDisplays::ledEmptyShowsNothingLit()
{
    LedDisplay led(QStringLiteral("Saat"), QString(), nullptr);
    led.resize(60, 22);
    QCOMPARE(litColumns(led.grab().toImage(), led.litColor()).first, -1);
    led.setLitColor(Qt::red);
    led.setText(QStringLiteral("8"));
    QVERIFY(litColumns(led.grab().toImage(), Qt::red).first >= 0);
}

void TstDisplays::ledSizeHint()
{
    LedDisplay led;
    QCOMPARE(led.sizeHint().height(), 22);
    QVERIFY(led.sizeHint().width() > 40);
    if (!LedDisplay::segmentFontFamily().isEmpty())
        QCOMPARE(led.displayFont(10).family(), LedDisplay::segmentFontFamily());
}

void TstDisplays::lampClickToggles()
{
    LampButton lamp(QStringLiteral("durum1"), QStringLiteral("C1"), nullptr);
    lamp.resize(lamp.sizeHint());
    QVERIFY(!lamp.isLit());
    QSignalSpy lit(&lamp, &LampButton::litChanged);
    QSignalSpy clicked(&lamp, &QAbstractButton::clicked);
    QTest::mouseClick(&lamp, Qt::LeftButton, {}, QPoint(lamp.width() / 2, 8));
    QVERIFY(lamp.isLit());
    QCOMPARE(lit.size(), 1);
    QCOMPARE(lit.at(0).at(0).toBool(), true);
    QCOMPARE(clicked.size(), 1);
    QTest::mouseClick(&lamp, Qt::LeftButton, {}, QPoint(lamp.width() / 2, 8));
    QVERIFY(!lamp.isLit());
    QCOMPARE(lit.size(), 2);
}

void TstDisplays::lampSetLitWithoutClick()
{
    LampButton lamp(QStringLiteral("role1"), QStringLiteral("Röle 1"), nullptr);
    lamp.resize(lamp.sizeHint());
    QSignalSpy lit(&lamp, &LampButton::litChanged);
    QSignalSpy clicked(&lamp, &QAbstractButton::clicked);
    const QImage dark = lamp.grab().toImage();
    lamp.setLit(true);
    lamp.setLit(true); // no second change
    QVERIFY(lamp.isLit());
    QCOMPARE(lit.size(), 1);
    QCOMPARE(clicked.size(), 0);
    QVERIFY(lamp.grab().toImage() != dark);
    QVERIFY(lamp.property("lit").toBool());
}

void TstDisplays::urlLabelVisitedAfterClick()
{
    UrlLabel link(QStringLiteral("RzURLLabel1"), QStringLiteral("Yeni mesajınız var.Okumak için tıklayın... "), nullptr);
    link.resize(link.sizeHint());
    QVERIFY(link.font().underline());
    QCOMPARE(link.palette().color(QPalette::WindowText), link.unvisitedColor());
    QSignalSpy clicked(&link, &UrlLabel::clicked);
    QTest::mouseClick(&link, Qt::RightButton);
    QCOMPARE(clicked.size(), 0);
    QVERIFY(!link.isVisited());
    QTest::mouseClick(&link, Qt::LeftButton);
    QCOMPARE(clicked.size(), 1);
    QVERIFY(link.isVisited());
    QCOMPARE(link.palette().color(QPalette::WindowText), QColor(Qt::red));
    // The caller's black background leaves the link colour in place.
    QPalette black;
    black.setColor(QPalette::Window, Qt::black);
    link.setPalette(black);
    link.setAutoFillBackground(true);
    QCOMPARE(link.palette().color(QPalette::WindowText), QColor(Qt::red));
    QCOMPARE(link.palette().color(QPalette::Window), QColor(Qt::black));
    link.setVisited(false);
    QCOMPARE(link.shownColor(), link.unvisitedColor());
    QCOMPARE(link.palette().color(QPalette::WindowText), link.unvisitedColor());
}

void TstDisplays::statusBarPanels()
{
    PanelStatusBar bar({60, 40}, nullptr);
    QCOMPARE(bar.panelCount(), 2);
    bar.setSimpleText(QStringLiteral("Sunucuya bağlanılıyor"));
    bar.setPanelText(1, QStringLiteral("Bağlantı Hatası"));
    bar.setPanelText(7, QStringLiteral("yok")); // out of range: ignored
    QCOMPARE(bar.simpleText(), QStringLiteral("Sunucuya bağlanılıyor"));
    QCOMPARE(bar.panelText(1), QStringLiteral("Bağlantı Hatası"));
    QCOMPARE(bar.panelText(-1), QString());
    // The last panel stretches: its text fits although its width is 40.
    bar.resize(300, bar.sizeHint().height());
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    const auto labels = bar.findChildren<QLabel *>();
    QLabel *last = nullptr;
    for (QLabel *l : labels)
        if (l->text() == QStringLiteral("Bağlantı Hatası"))
            last = l;
    QVERIFY(last);
    QVERIFY(last->width() >= last->fontMetrics().horizontalAdvance(last->text()));
}

void TstDisplays::spinnerHalves()
{
    Spinner s(QStringLiteral("VrSpinner1"), nullptr);
    s.resize(16, 22);
    QSignalSpy up(&s, &Spinner::upClicked), down(&s, &Spinner::downClicked);
    QTest::mouseClick(&s, Qt::LeftButton, {}, QPoint(8, 3));
    QTest::mouseClick(&s, Qt::LeftButton, {}, QPoint(8, 19));
    QTest::mouseClick(&s, Qt::LeftButton, {}, QPoint(8, 18));
    QCOMPARE(up.size(), 1);
    QCOMPARE(down.size(), 2);
}

void TstDisplays::imageAreaIsFixedWhiteCanvas()
{
    ImageArea area(QStringLiteral("Image1"), QSize(50, 30), nullptr);
    QCOMPARE(area.size(), QSize(50, 30));
    QCOMPARE(area.minimumSize(), area.maximumSize());
    QCOMPARE(area.image().pixelColor(10, 10), QColor(Qt::white));
    area.canvas().setPixelColor(3, 4, Qt::blue);
    area.update();
    QCOMPARE(area.grab().toImage().pixelColor(3, 4), QColor(Qt::blue));
    ImageArea degenerate(QStringLiteral("x"), QSize(-5, 0), nullptr); // bad size: still a canvas
    QVERIFY(!degenerate.image().isNull());
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    applyAppearance(app);
    TstDisplays t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_displays.moc"
