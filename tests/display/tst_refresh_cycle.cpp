// The live display on the real main window: register values in row 1 of the
// store, one tick of Timer1, and what the displays, lamps, check boxes,
// arrows, labels and the needle then show, in both device variants and with
// a point and a comma as the decimal separator.
#include "display_fixture.h"
#include "refresh_cycle.h"

#include "arrow_indicator.h"
#include "lamp_button.h"
#include "led_display.h"
#include "needle_meter.h"
#include "payload_decoder.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <memory>

class TstRefreshCycle : public QObject {
    Q_OBJECT
private slots:
    void init() { f = std::make_unique<DisplayFixture>(); }
    void cleanup() { f.reset(); }

    void everyDisplayFound();
    void nothingReceived_data();
    void nothingReceived();
    void nothingReceivedSetsEveryBit();
    void values_data();
    void values();
    void needle_data();
    void needle();
    void stepLamps_data();
    void stepLamps();
    void directions_data();
    void directions();
    void alarmsAndStatus();
    void stepTotalsFollowInTheSameTick();
    void rowField_data();
    void rowField();
    void separatorChangeRewrites();
    void unchangedDeviceWritesNothing();
    void runsBehindOtherPages();
    void overcurrentView_data();
    void overcurrentView();

private:
    std::unique_ptr<DisplayFixture> f;
};

void TstRefreshCycle::everyDisplayFound()
{
    // Every name of the register map is a component of the main window.
    RefreshCycle cycle(f->w->ana.context());
    QCOMPARE(cycle.missingWidgets(), QStringList());
}

void TstRefreshCycle::nothingReceived_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    const QChar point(u'.'), comma(u',');
    const struct {
        int kind;
        QChar sep;
        const char *name, *shown;
    } rows[] = {
        {0, point, "V1", "-000.1"},       {0, comma, "V1", "-000,1"},       {2, point, "V3", "-000.1"},
        {0, point, "ATOran", "-1"},       {0, point, "LBLCT", "-1"},        {2, comma, "ATOran", "-1"},
        {0, point, "akm1", "000.0"},      {0, point, "kW1", "000.00"},      {0, point, "kr2", "000.00"},
        {0, point, "Cos1", "-0.010"},     {2, point, "Cos1", "-0.001"},     {0, comma, "CosE", "-0,010"},
        {0, point, "toplamaktif", "00000.00"},
        {0, point, "ERC", "000.0"},      {0, point, "sicaklik", "-01.0°"}, {2, point, "sicaklik", "-01.0°"},
        {2, point, "Fr", "-00.1"},        {0, point, "inboluak_r", "-01.00%"},
        {2, comma, "kapboluak_top", "-01,00%"},
        {0, point, "onsurre_r", "-1"},    {2, point, "onsurre_r", "-0.2"},  {2, comma, "offsure_top", "-0,2"},
        {0, point, "Ewh", "-1193.065"},   {0, comma, "Elh", "-1193,065"},   {0, point, "ECh", "-1193.065"},
        {0, point, "kwh_S", "-1193.065"}, {0, point, "kVArLh_T", "-1193.065"},
        {2, point, "Ewh", "1193.065"},    {2, point, "kVArCh_T", "1193.065"},
        {0, point, "Toplamindoran", "100.000"}, {0, point, "Toplamkaporan", "100.00"},
        {2, comma, "Toplamindoran", "100,000"}, {2, comma, "Toplamkaporan", "100,00"},
        {0, point, "lbltanfi", "-"},      {0, point, "lblindcezasinir", "-1"}, {2, point, "LBLminalmacikmasure", "-1"},
        {0, point, "konogrenmedurum", "-"}, {0, point, "lblhizlia", "-"},
        {0, point, "C1_R", "0.00"},       {0, point, "C18_T", "0.00"},      {0, point, "C1_H", "0.00"},
        {0, point, "h_vb_1", "-0.1"},     {0, comma, "h_vb_1", "-0,1"},     {0, point, "thdv1", "-0.1"},
        {0, point, "h_ib_1", "-0.001"},   {0, point, "thdc1", "-0.001"},    {2, point, "h_i3_31", "-0.001"},
    };
    for (const auto &r : rows)
        QTest::addRow("kind %d %s '%c'", r.kind, r.name, char(r.sep.unicode()))
            << r.kind << r.sep << QString::fromLatin1(r.name) << QString::fromUtf8(r.shown);
}

void TstRefreshCycle::nothingReceived()
{
    QFETCH(int, kind);
    QFETCH(QChar, separator);
    QFETCH(QString, name);
    QFETCH(QString, shown);
    programState().deviceKind = kind;
    programState().decimalSeparator = separator;
    f->tick();
    QCOMPARE(f->text(name), shown);
}

void TstRefreshCycle::nothingReceivedSetsEveryBit()
{
    for (int kind : {0, 2}) {
        init();
        programState().deviceKind = kind;
        f->tick();
        // Kind 0 drives the first twelve steps only.
        const int steps = kind == 2 ? 18 : 12;
        for (int n = 1; n <= steps; ++n) {
            QVERIFY(f->get<LampButton>(QStringLiteral("durum%1").arg(n))->isLit());
            QVERIFY(f->checked(QStringLiteral("c%1chk").arg(n)));
        }
        for (int n = 1; n <= 18; ++n)
            for (const char *p : {"r", "s", "t"})
                QVERIFY(f->checked(QStringLiteral("c%1_%2_etkin").arg(n).arg(QLatin1String(p))));
        for (const char *p : {"r", "s", "t"}) {
            QVERIFY(f->checked(QStringLiteral("ogrenildi_") + QLatin1String(p)));
            auto *arrow = f->get<ArrowIndicator>(QStringLiteral("yon_") + QLatin1String(p));
            QCOMPARE(arrow->direction(), ArrowIndicator::Right);
            QCOMPARE(arrow->litColor(), QColor(0x00, 0xFF, 0x00));
        }
        for (int n = 1; n <= 8; ++n) {
            auto *alarm = f->get<QCheckBox>(QStringLiteral("al%1").arg(n));
            QVERIFY(alarm->isChecked());
            QCOMPARE(alarm->palette().color(QPalette::WindowText), QColor(0xFF, 0x00, 0x00));
        }
        QCOMPARE(f->get<NeedleMeter>(QStringLiteral("VrMeter2"))->position(), -50);
    }
}

void TstRefreshCycle::values_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("registers");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    const QChar point(u'.'), comma(u',');
    const struct {
        const char *label;
        int kind;
        QChar sep;
        const char *regs, *name, *shown;
    } rows[] = {
        {"reactive signed with CT", 0, comma, "0=30 11=65036", "kr1", "-015,00"},
        {"reactive signed point", 2, point, "0=30 11=65036", "kr1", "-015.00"},
        {"active plain with CT", 0, point, "0=30 8=65036", "kW1", "1951.08"},
        {"CT rounds half to even", 0, point, "0=30.5 8=1000", "kW1", "030.00"},
        {"voltage", 0, comma, "3=2305", "V2", "230,5"},
        {"current with CT", 2, point, "0=50 7=4000", "akm3", "200.0"},
        {"apparent", 0, point, "0=40 15=2500", "KVA2", "100.00"},
        {"total active", 0, point, "0=30 25=1000", "toplamaktif", "00030.00"},
        {"total apparent", 2, comma, "0=40 29=65535", "toplamgorunen", "02621,40"},
        {"reactive sum without CT", 0, point, "0=30 26=1500", "ER", "001.5"},
        {"reactive delta signed", 0, point, "28=65036", "ERC", "-000.5"},
        {"cos analyser", 0, point, "17=95", "Cos1", "0.950"},
        {"cos relay", 2, point, "17=95", "Cos1", "0.095"},
        {"cos total negative", 0, comma, "20=65456", "CosE", "-0,800"},
        {"frequency relay", 2, point, "30=500", "Fr", "50.0"},
        {"frequency only on the relay", 0, point, "30=500", "Fr", "00.0"},
        {"ratio on the analyser", 0, point, "30=500", "inboluak_r", "500.00%"},
        {"temperature relay", 2, point, "31=25", "sicaklik", "25.0°"},
        {"temperature analyser", 0, comma, "48=31", "sicaklik", "31,0°"},
        {"relay ratio", 2, point, "63=12", "kapboluak_r", "12.00%"},
        {"on time analyser", 0, point, "52=7", "onsurre_r", "7"},
        {"on time relay fifths", 2, comma, "82=7", "onsurre_r", "1,4"},
        {"analyser reads 82 as a counter", 0, point, "80=0 81=1 82=0", "kVArLh_R", "0.018"},
        {"shared word low end", 0, point, "78=0 79=0 80=36000", "kwh_S", "0.010"},
        {"shared word high end", 0, point, "80=1 81=0 82=0", "kVArLh_R", "1193.046"},
        {"counter word", 0, point, "62=0 63=1 64=0", "Ewh", "0.018"},
        {"counter word comma", 0, comma, "62=0 63=1 64=0", "Ewh", "0,018"},
        {"relay counter with CT", 2, point, "0=40 102=0 103=1 104=0", "kWh_R", "0.728"},
        {"relay counter unread by analyser", 0, point, "0=40 102=0 103=1 104=0", "kWh_R", "000"},
        {"relay total with CT", 2, point, "0=40 90=0 91=1 92=0", "Ewh", "0.728"},
        {"relay capacitive phase", 2, point, "0=1 126=0 127=0 128=3600", "kVArCh_T", "0.001"},
        {"inductive ratio", 0, point, "62=0 63=2 64=0 65=0 66=1 67=0", "Toplamindoran", "50.000"},
        {"capacitive ratio", 2, comma, "0=1 90=0 91=39 92=36096 96=0 97=9 98=58176", "Toplamkaporan", "25,00"},
        {"active zero: inductive ratio 0", 0, point, "62=0 63=0 64=0 65=0 66=1 67=0", "Toplamindoran", "0"},
        {"active zero: capacitive ratio 0", 0, point, "62=0 63=0 64=0 68=0 69=1 70=0", "Toplamkaporan", "0"},
        {"tan phi negative", 0, point, "129=65526", "lbltanfi", "-10"},
        {"tan phi half", 2, point, "129=32768", "lbltanfi", "32768"},
        {"tan phi positive", 0, point, "129=15", "lbltanfi", "15"},
        {"penalty limit", 0, point, "132=20", "lblindcezasinir", "20"},
        {"switch time", 2, point, "136=4", "LBLminalmacikmasure", "4"},
        {"learning other value", 0, point, "137=2", "konogrenmedurum", "-"},
        {"learning 1 is passive", 0, point, "137=1", "konogrenmedurum", "Pasif"},
        {"direction 0 is active", 2, point, "138=0", "yonsabitdurum", "Aktif"},
        {"fast mode on", 0, point, "154=1", "lblhizlip", "Pasif"},
        {"manual off", 2, point, "157=0", "lblotomatik", "Aktif"},
        {"step power", 0, point, "0=30 161=500", "C1_R", "1.50"},
        {"step power upper half", 2, point, "0=30 162=65036", "C1_S", "1.50"},
        {"step power half", 0, comma, "0=30 163=32768", "C1_T", "98,30"},
        {"step total", 0, point, "0=30 161=500 162=65036 163=32768", "C1_H", "101.30"},
        {"step total comma", 2, comma, "0=30 161=500 162=65036 163=32768", "C1_H", "101,30"},
        {"last step", 2, point, "0=40 231=2500", "C18_T", "10.00"},
        {"harmonic fundamental", 0, point, "300=2305", "h_vb_1", "230.5"},
        {"harmonic fundamental S", 2, comma, "316=2305", "h_vb_2", "230,5"},
        {"fundamental R takes v itself", 0, point, "300=65535", "h_vb_1", "6553.5"},
        {"fundamental S takes the magnitude", 0, point, "316=65535", "h_vb_2", "0.1"},
        {"harmonic half", 0, point, "301=32768", "h_v1_3", "3276.8"},
        {"harmonic past half", 0, point, "301=32769", "h_v1_3", "3276.7"},
        {"harmonic 31st T", 0, point, "347=25", "h_v3_31", "2.5"},
        {"current fundamental", 2, point, "348=1500", "h_ib_1", "1.5"},
        {"current 5th S", 0, comma, "366=350", "h_i2_5", "0,35"},
        {"current distortion", 0, point, "399=1500", "thdc1", "1.5"},
        {"voltage distortion", 0, point, "396=1500", "thdv1", "150"},
        {"voltage distortion T", 0, point, "398=31", "thdv3", "3.1"},
    };
    for (const auto &r : rows)
        QTest::newRow(r.label) << r.kind << r.sep << QString::fromLatin1(r.regs) << QString::fromLatin1(r.name)
                               << QString::fromUtf8(r.shown);
}

void TstRefreshCycle::values()
{
    QFETCH(int, kind);
    QFETCH(QChar, separator);
    QFETCH(QString, registers);
    QFETCH(QString, name);
    QFETCH(QString, shown);
    programState().deviceKind = kind;
    programState().decimalSeparator = separator;
    f->set(registers);
    f->tick();
    QCOMPARE(f->text(name), shown);
}

void TstRefreshCycle::needle_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("r20");
    QTest::addColumn<int>("position");
    QTest::newRow("capacitive 0.80") << 0 << 65456.0 << -20;
    QTest::newRow("unity") << 0 << 100.0 << 0;
    QTest::newRow("clamped at +50") << 0 << 30.0 << 50;
    QTest::newRow("inductive 0.80") << 0 << 80.0 << 20;
    QTest::newRow("relay unity") << 2 << 1000.0 << 0;
    QTest::newRow("relay inductive 0.980") << 2 << 980.0 << 20;
    QTest::newRow("relay capacitive 0.990") << 2 << double(65536 - 990) << -10;
}

void TstRefreshCycle::needle()
{
    QFETCH(int, kind);
    QFETCH(double, r20);
    QFETCH(int, position);
    programState().deviceKind = kind;
    f->set(QStringLiteral("20=%1").arg(r20));
    f->tick();
    QCOMPARE(f->get<NeedleMeter>(QStringLiteral("VrMeter2"))->position(), position);
}

void TstRefreshCycle::stepLamps_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("registers");
    QTest::addColumn<QList<int>>("lit"); // steps whose lamp and G.Ö. box are on
    QTest::addColumn<QList<int>>("untouched");
    QTest::newRow("relay bits 0 and 15, high word 2")
        << 2 << "44=2 45=32769 46=2 47=32769" << QList<int>{1, 16, 18} << QList<int>{};
    QTest::newRow("analyser twelve steps") << 0 << "50=4095 51=4095"
                                           << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}
                                           << QList<int>{13, 14, 15, 16, 17, 18};
    QTest::newRow("analyser none") << 0 << "50=0 51=0" << QList<int>{} << QList<int>{13, 14, 15, 16, 17, 18};
}

void TstRefreshCycle::stepLamps()
{
    QFETCH(int, kind);
    QFETCH(QString, registers);
    QFETCH(QList<int>, lit);
    QFETCH(QList<int>, untouched);
    // Steps 13 to 18 start lit and checked, as a relay's no-value tick leaves them.
    programState().deviceKind = 2;
    f->tick();
    programState().deviceKind = kind;
    f->set(registers);
    f->tick();
    for (int n = 1; n <= 18; ++n) {
        const bool on = lit.contains(n) || untouched.contains(n);
        QCOMPARE(f->get<LampButton>(QStringLiteral("durum%1").arg(n))->isLit(), on);
        QCOMPARE(f->checked(QStringLiteral("c%1chk").arg(n)), on);
    }
}

void TstRefreshCycle::directions_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("registers");
    QTest::addColumn<QString>("learnt"); // r, s, t as 1/0
    QTest::addColumn<QString>("right");
    QTest::newRow("relay R learnt, S points right") << 2 << "1=17408" << "100" << "010";
    QTest::newRow("relay all") << 2 << "1=64512" << "111" << "111";
    QTest::newRow("relay ignores the analyser's register") << 2 << "1=0 49=63" << "000" << "000";
    QTest::newRow("analyser R learnt, S right") << 0 << "49=10" << "100" << "010";
    QTest::newRow("analyser ignores the relay's register") << 0 << "1=64512 49=0" << "000" << "000";
}

void TstRefreshCycle::directions()
{
    QFETCH(int, kind);
    QFETCH(QString, registers);
    QFETCH(QString, learnt);
    QFETCH(QString, right);
    programState().deviceKind = kind;
    f->set(registers);
    f->tick();
    const char *phases[] = {"r", "s", "t"};
    for (int p = 0; p < 3; ++p) {
        QCOMPARE(f->checked(QStringLiteral("ogrenildi_") + QLatin1String(phases[p])), learnt[p] == u'1');
        auto *arrow = f->get<ArrowIndicator>(QStringLiteral("yon_") + QLatin1String(phases[p]));
        const bool r = right[p] == u'1';
        QCOMPARE(arrow->direction(), r ? ArrowIndicator::Right : ArrowIndicator::Left);
        QCOMPARE(arrow->litColor(), r ? QColor(0x00, 0xFF, 0x00) : QColor(0xFF, 0x00, 0x00));
    }
}

void TstRefreshCycle::alarmsAndStatus()
{
    f->set(QStringLiteral("159=5 160=5 137=1 138=0 154=0 157=1"));
    f->tick();
    const QColor red(0xFF, 0x00, 0x00), aqua(0x00, 0xFF, 0xFF), lime(0x00, 0xFF, 0x00);
    for (int n = 1; n <= 8; ++n) {
        auto *alarm = f->get<QCheckBox>(QStringLiteral("al%1").arg(n));
        const bool on = n == 1 || n == 3;
        QCOMPARE(alarm->isChecked(), on);
        QCOMPARE(alarm->palette().color(QPalette::WindowText), on ? red : aqua);
    }
    QVERIFY(f->checked("c1_r_etkin"));
    QVERIFY(!f->checked("c1_s_etkin"));
    QVERIFY(f->checked("c1_t_etkin"));
    const struct {
        const char *name, *text;
        QColor colour;
    } labels[] = {{"konogrenmedurum", "Pasif", red}, {"yonsabitdurum", "Aktif", lime},
                  {"lblhizlia", "Pasif", red},      {"lblhizlip", "Aktif", lime},
                  {"lblmanuel", "Aktif", lime},     {"lblotomatik", "Pasif", red}};
    for (const auto &l : labels) {
        QCOMPARE(f->text(QLatin1String(l.name)), QLatin1String(l.text));
        QCOMPARE(f->get<QWidget>(QLatin1String(l.name))->palette().color(QPalette::WindowText), l.colour);
    }
    // Other values leave the status labels as they are.
    f->set(QStringLiteral("137=7 154=2"));
    f->tick();
    QCOMPARE(f->text("konogrenmedurum"), QStringLiteral("Pasif"));
    QCOMPARE(f->text("lblhizlip"), QStringLiteral("Aktif"));
}

void TstRefreshCycle::stepTotalsFollowInTheSameTick()
{
    f->set(QStringLiteral("0=30 161=500 162=65036 163=32768"));
    f->tick();
    QCOMPARE(f->text("C1_H"), QStringLiteral("101.30"));
    f->set(QStringLiteral("161=1000"));
    f->tick();
    QCOMPARE(f->text("C1_R"), QStringLiteral("3.00"));
    QCOMPARE(f->text("C1_H"), QStringLiteral("102.80"));
    // The total adds the rounded captions: 0.0015 × 3 shows 0.00 + 0.00 + 0.00.
    f->set(QStringLiteral("0=1 165=15 166=15 167=15"));
    f->tick();
    QCOMPARE(f->text("C2_R"), QStringLiteral("0.00"));
    QCOMPARE(f->text("C2_H"), QStringLiteral("0.00"));
}

void TstRefreshCycle::rowField_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("edit1After");
    QTest::addColumn<QString>("v1");
    QTest::addColumn<QString>("harmonic");
    // Row 1: V1 = 230.0; row 2: 200.0; row 250: 100.0 and nothing beyond it.
    QTest::newRow("page 0 puts 1 back") << 0 << "7" << "1" << "230.0" << "230.5";
    QTest::newRow("other page keeps the row") << 1 << "2" << "2" << "200.0" << "-0.1";
    QTest::newRow("last row reads -1 past the table") << 1 << "250" << "250" << "100.0" << "-0.1";
    QTest::newRow("blanks around the row") << 1 << " 2 " << " 2 " << "200.0" << "-0.1";
    QTest::newRow("row 0 shows nothing") << 1 << "0" << "0" << "111.1" << "111.1";
    QTest::newRow("row past the table shows nothing") << 1 << "251" << "251" << "111.1" << "111.1";
    QTest::newRow("negative row shows nothing") << 1 << "-3" << "-3" << "111.1" << "111.1";
    QTest::newRow("not a number shows nothing") << 1 << "1a" << "1a" << "111.1" << "111.1";
    QTest::newRow("empty shows nothing") << 1 << "" << "" << "111.1" << "111.1";
    QTest::newRow("beyond 32 bits shows nothing") << 1 << "99999999999" << "99999999999" << "111.1" << "111.1";
}

void TstRefreshCycle::rowField()
{
    QFETCH(int, page);
    QFETCH(QString, typed);
    QFETCH(QString, edit1After);
    QFETCH(QString, v1);
    QFETCH(QString, harmonic);
    f->set(QStringLiteral("2=2300 300=2305 2:2=2000 250:2=1000"));
    f->get<LedDisplay>("V1")->setText(QStringLiteral("111.1"));
    f->get<LedDisplay>("h_vb_1")->setText(QStringLiteral("111.1"));
    programState().activeSerial = 12005;
    f->pages()->setCurrentIndex(page);
    f->get<QLineEdit>("Edit1")->setText(typed);
    f->tick();
    QCOMPARE(f->get<QLineEdit>("Edit1")->text(), edit1After);
    QCOMPARE(f->text("V1"), v1);
    QCOMPARE(f->text("h_vb_1"), harmonic);
    QCOMPARE(f->text("Label17"), QStringLiteral("12005"));
}

void TstRefreshCycle::separatorChangeRewrites()
{
    f->set(QStringLiteral("2=2300 62=0 63=1 64=0 65=0 66=1 67=0"));
    f->tick();
    QCOMPARE(f->text("V1"), QStringLiteral("230.0"));
    programState().decimalSeparator = QLatin1Char(',');
    f->tick();
    QCOMPARE(f->text("V1"), QStringLiteral("230,0"));
    QCOMPARE(f->text("Ewh"), QStringLiteral("0,018"));
    QCOMPARE(f->text("Toplamindoran"), QStringLiteral("100,000"));
}

void TstRefreshCycle::unchangedDeviceWritesNothing()
{
    programState().deviceKind = 2;
    f->set(QStringLiteral("0=40 2=2301 5=3000 8=900 11=400 20=980 44=1 45=255 159=3"));
    f->tick();
    QList<std::shared_ptr<QSignalSpy>> spies;
    for (LedDisplay *led : f->w->ana.findChildren<LedDisplay *>())
        spies.append(std::make_shared<QSignalSpy>(led, &LedDisplay::textChanged));
    for (LampButton *lamp : f->w->ana.findChildren<LampButton *>())
        spies.append(std::make_shared<QSignalSpy>(lamp, &LampButton::toggled));
    for (QCheckBox *box : f->w->ana.findChildren<QCheckBox *>())
        spies.append(std::make_shared<QSignalSpy>(box, &QCheckBox::toggled));
    QSignalSpy needle(f->get<NeedleMeter>("VrMeter2"), &NeedleMeter::positionChanged);
    int paletteChanges = 0;
    struct PaletteWatch : QObject {
        int *count;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::PaletteChange)
                ++*count;
            return false;
        }
    } watch;
    watch.count = &paletteChanges;
    for (QWidget *wdg : f->w->ana.findChildren<QWidget *>())
        wdg->installEventFilter(&watch);

    f->tick();
    f->tick();
    for (const auto &spy : spies)
        QCOMPARE(spy->count(), 0);
    QCOMPARE(needle.count(), 0);
    QCOMPARE(paletteChanges, 0);

    // One changed register changes its display only.
    f->set(QStringLiteral("2=2302"));
    f->tick();
    int changes = 0;
    for (const auto &spy : spies)
        changes += spy->count();
    QCOMPARE(changes, 1);
    QCOMPARE(f->text("V1"), QStringLiteral("230.2"));
}

void TstRefreshCycle::runsBehindOtherPages()
{
    f->pages()->setCurrentIndex(5);
    f->set(QStringLiteral("2=2300"));
    f->tick();
    QCOMPARE(f->text("V1"), QStringLiteral("230.0"));
    // Hidden Panel7 stops the analyser pass; the relay view runs instead.
    f->get<QWidget>("Panel7")->hide();
    f->set(QStringLiteral("2=2310"));
    f->tick();
    QCOMPARE(f->text("V1"), QStringLiteral("230.0"));
    QCOMPARE(f->text("Saat"), QStringLiteral("-1:-1:-1"));
    f->get<QWidget>("Panel7")->show();
    f->tick();
    QCOMPARE(f->text("V1"), QStringLiteral("231.0"));
}

void TstRefreshCycle::overcurrentView_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QStringList>("shown"); // Saat, Trh, akim1, akim2, akim3, akimt
    // 24 data bytes: second, minute, hour, day, spare, spare, month, year,
    // then I1, I2, I3, It as binary32, most significant byte first.
    QTest::newRow("clock and currents")
        << QByteArray("1$3$24$9$5$7$5$0$0$11$9$65$32$0$0$193$32$0$0$66$246$128$0$0$0$0$1$0$0$")
        << QChar(u'.')
        << QStringList{"7:5:9", "5.11.2009", "10", "-10", "123.25", "1.40129846432482E-45"};
    QTest::newRow("comma and a later year")
        << QByteArray("1$3$24$0$30$23$31$0$0$12$24$67$200$32$0$0$0$0$0$127$128$0$0$65$36$0$0$0$0$")
        << QChar(u',') << QStringList{"23:30:0", "31.12.2024", "400,25", "0", "0", "10,25"};
    QTest::newRow("nothing received") << QByteArray() << QChar(u'.')
                                      << QStringList{"-1:-1:-1", "-1.-1.200-1", "0", "0", "0", "0"};
}

void TstRefreshCycle::overcurrentView()
{
    QFETCH(QByteArray, payload);
    QFETCH(QChar, separator);
    QFETCH(QStringList, shown);
    programState().deviceKind = 3;
    programState().decimalSeparator = separator;
    f->get<QWidget>("Panel7")->hide();
    if (!payload.isEmpty()) {
        f->store().targetRow = 1;
        f->store().startRegister = 0;
        payload::decode(payload, f->store());
    }
    f->get<LedDisplay>("V1")->setText(QStringLiteral("111.1"));
    f->tick();
    const char *names[] = {"Saat", "Trh", "akim1", "akim2", "akim3", "akimt"};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(f->text(QLatin1String(names[i])), shown.at(i));
    QCOMPARE(f->text("V1"), QStringLiteral("111.1"));
}

QTEST_MAIN(TstRefreshCycle)
#include "tst_refresh_cycle.moc"
