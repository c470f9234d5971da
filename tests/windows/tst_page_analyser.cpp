// The analyser pages of the main window: page 0 "Analizör-Ani Değerler" and
// page 1 "Analizör-Tüketim Değerleri". Every component by name, kind, initial
// caption and visibility; group membership; and that the content fits the
// page area without clipping or overlap.
#include "appearance.h"
#include "lamp_button.h"
#include "main_pages.h"
#include "needle_meter.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPlainTextEdit>
#include <QSet>
#include <QTest>

namespace {
const QSize kPageArea(831, 672);
const QString kNoText = QStringLiteral("\x01"); // row checks no caption

QString u8(const char *s) { return QString::fromUtf8(s); }

QString shownText(QObject *o)
{
    if (auto *memo = qobject_cast<QPlainTextEdit *>(o))
        return memo->toPlainText();
    const QVariant v = o->property("text");
    return v.isValid() ? v.toString() : QString();
}

// Direct children that a layout places, for the containers built by the pages.
bool isContainer(const QWidget *w)
{
    const QByteArray cls = w->metaObject()->className();
    return cls == "QWidget" || cls == "QGroupBox" || w->objectName() == QLatin1String("Panel7");
}
} // namespace

class TstPageAnalyser : public QObject {
    Q_OBJECT
    QWidget m_pages[2];
    QWidget &page(int i) { return m_pages[i]; }

    void checkLaidOut(QWidget *container);

private slots:
    void initTestCase();
    void components_data();
    void components();
    void numberedFamilies();
    void uniqueNames();
    void groups_data();
    void groups();
    void meter();
    void readOnlyChecks();
    void fitsPageArea_data();
    void fitsPageArea();
    void phaseOrder_data();
    void phaseOrder();
};

void TstPageAnalyser::initTestCase()
{
    applyAppearance(*qobject_cast<QApplication *>(QCoreApplication::instance()));
    pages::buildAnalizorAni(&page(0));
    pages::buildTuketim(&page(1));
}

void TstPageAnalyser::components_data()
{
    QTest::addColumn<int>("pageNo");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("cls");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("hidden");
    const auto row = [](int pg, const QString &name, const char *cls, const QString &text, bool hidden = false) {
        QTest::addRow("%d:%s", pg, qPrintable(name)) << pg << name << QString::fromLatin1(cls) << text << hidden;
    };
    const QString z = QStringLiteral("000");
    const auto leds = [&](int pg, std::initializer_list<const char *> names, const QString &text) {
        for (const char *n : names)
            row(pg, QString::fromLatin1(n), "LedDisplay", text);
    };

    // Page 0
    row(0, "Panel7", "QFrame", kNoText);
    row(0, "Edit1", "QLineEdit", "1");
    row(0, "Label17", "QLabel", "12001");
    leds(0, {"V1", "V2", "V3"}, "000.0");
    leds(0, {"akm1", "akm2", "akm3"}, "000.00");
    leds(0, {"kW1", "Kw2", "kW3", "toplamaktif", "kr1", "kr2", "kr3", "KVA1", "KVA2", "KVA3", "toplamgorunen",
             "ER", "ERL", "ERC", "Cos1", "Cos2", "Cos3"},
         z);
    for (const char *n : {"lkW1", "Lkw2", "Lkw3"})
        row(0, n, "QLabel", "kW");
    for (const char *n : {"lak1", "lak2", "lak3"})
        row(0, n, "QLabel", "kVAr");
    for (const char *suffix : {"_r", "_s", "_t", "_top"}) {
        for (const char *prefix : {"onsurre", "offsure", "inboluak", "kapboluak"})
            row(0, QString::fromLatin1(prefix) + QString::fromLatin1(suffix), "LedDisplay", z);
    }
    row(0, "Fr", "QLabel", "00.0");
    row(0, "sicaklik", "QLabel", u8("00.0°"));
    row(0, "CosE", "QLabel", "0.000");
    row(0, "VrMeter2", "NeedleMeter", kNoText);
    row(0, "ATOran", "QLabel", "0");
    for (const char *ph : {"r", "s", "t"}) {
        row(0, QStringLiteral("yon_") + QString::fromLatin1(ph), "ArrowIndicator", kNoText);
        row(0, QStringLiteral("ogrenildi_") + QString::fromLatin1(ph), "QCheckBox", QString());
    }
    for (int n = 1; n <= 18; ++n) {
        row(0, QStringLiteral("durum%1").arg(n), "LampButton", QStringLiteral("C%1").arg(n));
        row(0, QStringLiteral("c%1chk").arg(n), "QCheckBox", QString());
    }
    row(0, "btnikikereiste", "QPushButton", "2 kere veri iste", true);
    row(0, "Edit7", "QLineEdit", "100", true);
    row(0, "BitBtn3", "QPushButton", u8("Kondansatörleri Devreye Al-Çıkar"), true);
    row(0, "Memo1", "QPlainTextEdit", QString(), true);
    row(0, "Memo2", "QPlainTextEdit", QString(), true);

    // Page 1
    row(1, "VrShadowButton8", "ShadowButton", u8("Enerji Değerlerini İste"));
    leds(1, {"Ewh", "kWh_R", "kwh_S", "kwh_T", "Elh", "kVArLh_R", "kVArLh_S", "kVArLh_T", "ECh", "kVArCh_R",
             "kVArCh_S", "kVArCh_T", "Toplamindoran", "Toplamkaporan", "SayacAktif", "Sayacind", "SayacKap",
             "indoran", "kaporan", "ak1", "in1", "kap1", "ak2", "in2", "kap2"},
         z);
    row(1, "DateTimePicker1", "QDateEdit", kNoText);
    row(1, "DateTimePicker2", "QDateEdit", kNoText);
    row(1, "VrShadowButton9", "ShadowButton", u8("İki Tarih Arası Oranları Hesapla"));
    row(1, "inddurum", "QLabel", "DURUM");
    row(1, "Kapdurum", "QLabel", "DURUM");
    for (const char *n : {"Edit222", "Edit333", "Edit111", "Edit4"})
        row(1, n, "QLineEdit", QString());
}

void TstPageAnalyser::components()
{
    QFETCH(int, pageNo);
    QFETCH(QString, name);
    QFETCH(QString, cls);
    QFETCH(QString, text);
    QFETCH(bool, hidden);
    const QList<QWidget *> found = page(pageNo).findChildren<QWidget *>(name);
    QCOMPARE(found.size(), 1);
    QWidget *w = found.first();
    QCOMPARE(QString::fromLatin1(w->metaObject()->className()), cls);
    if (text != kNoText)
        QCOMPARE(shownText(w), text);
    QCOMPARE(!w->isVisibleTo(&page(pageNo)), hidden);
    if (pageNo == 0 && name != QLatin1String("Panel7")) {
        // Hiding Panel7 hides the whole analyser view.
        auto *panel = page(0).findChild<QWidget *>(QStringLiteral("Panel7"));
        QVERIFY(panel && panel->isAncestorOf(w));
    }
    if (auto *check = qobject_cast<QCheckBox *>(w))
        QVERIFY(!check->isChecked());
    if (auto *lamp = qobject_cast<LampButton *>(w))
        QVERIFY(!lamp->isLit());
}

void TstPageAnalyser::numberedFamilies()
{
    // The refresh cycle finds these by names built at run time.
    int lamps = 0, checks = 0;
    for (int n = 0; n <= 19; ++n) {
        const bool inRange = n >= 1 && n <= 18;
        auto *lamp = page(0).findChild<LampButton *>(QStringLiteral("durum%1").arg(n));
        auto *check = page(0).findChild<QCheckBox *>(QStringLiteral("c%1chk").arg(n));
        QCOMPARE(lamp != nullptr, inRange);
        QCOMPARE(check != nullptr, inRange);
        lamps += lamp != nullptr;
        checks += check != nullptr;
    }
    QCOMPARE(lamps, 18);
    QCOMPARE(checks, 18);
    QCOMPARE(page(0).findChildren<LampButton *>().size(), 18);
}

void TstPageAnalyser::uniqueNames()
{
    QHash<QString, QString> seen;
    for (int pg = 0; pg < 2; ++pg) {
        const auto all = page(pg).findChildren<QObject *>();
        for (QObject *o : all) {
            const QString name = o->objectName();
            if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
                continue;
            const QString key = name.toLower();
            QVERIFY2(!seen.contains(key), qPrintable(name + QStringLiteral(" clashes with ") + seen.value(key)));
            seen.insert(key, name);
        }
    }
}

void TstPageAnalyser::groups_data()
{
    QTest::addColumn<int>("pageNo");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("members");
    const auto row = [](int pg, const char *title, const QStringList &members) {
        QTest::addRow("%d:%s", pg, title) << pg << u8(title) << members;
    };
    row(0, "Gerilim ", {"V1", "V2", "V3"});
    row(0, "Akım ", {"akm1", "akm2", "akm3"});
    row(0, "Aktif Güçler ", {"kW1", "Kw2", "kW3", "lkW1", "Lkw2", "Lkw3", "toplamaktif"});
    row(0, "Reaktif Güçler ", {"kr1", "kr2", "kr3", "lak1", "lak2", "lak3"});
    row(0, "Görünen Güçler ", {"KVA1", "KVA2", "KVA3", "toplamgorunen"});
    row(0, "    R  ", {"ER", "ERL", "ERC"});
    row(0, "On Süreleri ", {"onsurre_r", "onsurre_s", "onsurre_t", "onsurre_top"});
    row(0, "Off Süreleri ", {"offsure_r", "offsure_s", "offsure_t", "offsure_top"});
    row(0, "İndüktif / Aktif Güç Oranı ", {"inboluak_r", "inboluak_s", "inboluak_t", "inboluak_top"});
    row(0, "Kapasitif / Aktif Güç Oranı ", {"kapboluak_r", "kapboluak_s", "kapboluak_t", "kapboluak_top"});
    row(0, "Akım Trafosu Yönleri", {"yon_r", "yon_s", "yon_t", "ogrenildi_r", "ogrenildi_s", "ogrenildi_t", "ATOran"});
    QStringList steps;
    for (int n = 1; n <= 18; ++n)
        steps << QStringLiteral("durum%1").arg(n) << QStringLiteral("c%1chk").arg(n);
    row(0, "Kondansatör Güç Öğrenme / Devrede", steps);
    row(1, "        kwh ", {"Ewh", "kWh_R", "kwh_S", "kwh_T"});
    row(1, "    kVArLh         ", {"Elh", "kVArLh_R", "kVArLh_S", "kVArLh_T"});
    row(1, "     kVArCh         ", {"ECh", "kVArCh_R", "kVArCh_S", "kVArCh_T"});
    row(1, "Reset Öncesi Sayaç Değerleri ", {"SayacAktif", "Sayacind", "SayacKap"});
}

void TstPageAnalyser::groups()
{
    QFETCH(int, pageNo);
    QFETCH(QString, title);
    QFETCH(QStringList, members);
    QGroupBox *group = nullptr;
    const auto boxes = page(pageNo).findChildren<QGroupBox *>();
    for (QGroupBox *g : boxes) {
        if (g->title() == title) {
            QVERIFY2(!group, "group caption used twice");
            group = g;
        }
    }
    QVERIFY2(group, qPrintable(QStringLiteral("no group \"%1\"").arg(title)));
    for (const QString &m : members) {
        QWidget *w = page(pageNo).findChild<QWidget *>(m);
        QVERIFY2(w && group->isAncestorOf(w), qPrintable(m));
    }
}

void TstPageAnalyser::meter()
{
    auto *m = page(0).findChild<NeedleMeter *>(QStringLiteral("VrMeter2"));
    QVERIFY(m);
    QCOMPARE(m->minimum(), -50);
    QCOMPARE(m->maximum(), 50);
    QCOMPARE(m->scaleLabels(), QStringList({"-0,5", "-0,8", "1,0", "+0,8", "+0,5"}));
    QCOMPARE(m->leftCaption(), u8("KAPASİTİF"));
    QCOMPARE(m->rightCaption(), u8("İNDÜKTİF"));
    // The refresh cycle relies on the meter's own clamping.
    m->setPosition(70);
    QCOMPARE(m->position(), 50);
    m->setPosition(-80);
    QCOMPARE(m->position(), -50);
    m->setPosition(0);
}

void TstPageAnalyser::readOnlyChecks()
{
    // Display-only check boxes: a click falls through them, yet they are not
    // greyed out.
    page(0).resize(kPageArea);
    page(0).show();
    QVERIFY(QTest::qWaitForWindowExposed(&page(0)));
    const auto checks = page(0).findChildren<QCheckBox *>();
    QCOMPARE(checks.size(), 18 + 3);
    for (QCheckBox *c : checks) {
        QVERIFY2(c->isEnabled(), qPrintable(c->objectName()));
        QCOMPARE(c->focusPolicy(), Qt::NoFocus);
        const QPoint centre = c->mapTo(&page(0), c->rect().center());
        QVERIFY2(page(0).childAt(centre) != c, qPrintable(c->objectName()));
    }
    page(0).hide();
}

void TstPageAnalyser::fitsPageArea_data()
{
    QTest::addColumn<int>("pageNo");
    QTest::newRow("Analizör-Ani Değerler") << 0;
    QTest::newRow("Analizör-Tüketim Değerleri") << 1;
}

// Every visible child of a container lies inside it, gets at least the size
// it needs, and overlaps none of its siblings; LED displays stay legible.
void TstPageAnalyser::checkLaidOut(QWidget *container)
{
    QList<QWidget *> kids;
    for (QObject *o : container->children()) {
        auto *w = qobject_cast<QWidget *>(o);
        if (w && w->isVisibleTo(container))
            kids << w;
    }
    const QString where = container->objectName().isEmpty() ? QString::fromLatin1(container->metaObject()->className())
                                                            : container->objectName();
    for (int i = 0; i < kids.size(); ++i) {
        QWidget *w = kids[i];
        const QString what = where + QStringLiteral("/") + w->objectName() + QStringLiteral(" ") + shownText(w);
        QVERIFY2(container->rect().contains(w->geometry()), qPrintable(what + QStringLiteral(" sticks out")));
        const QSize need = w->minimumSizeHint().expandedTo(w->minimumSize());
        QVERIFY2(w->width() >= need.width() && w->height() >= need.height(),
                 qPrintable(what + QStringLiteral(" squeezed")));
        if (qobject_cast<QLabel *>(w))
            QVERIFY2(w->width() >= w->sizeHint().width(), qPrintable(what + QStringLiteral(" clipped")));
        if (w->inherits("LedDisplay"))
            QVERIFY2(w->height() >= 20, qPrintable(what + QStringLiteral(" too small")));
        for (int j = i + 1; j < kids.size(); ++j)
            QVERIFY2(!w->geometry().intersects(kids[j]->geometry()),
                     qPrintable(what + QStringLiteral(" overlaps ") + kids[j]->objectName() + QStringLiteral(" ") +
                                shownText(kids[j])));
        if (isContainer(w))
            checkLaidOut(w);
    }
}

void TstPageAnalyser::fitsPageArea()
{
    QFETCH(int, pageNo);
    QWidget &p = page(pageNo);
    QVERIFY(p.layout());
    const QSize need = p.layout()->minimumSize();
    QVERIFY2(need.width() <= kPageArea.width() && need.height() <= kPageArea.height(),
             qPrintable(QStringLiteral("needs %1x%2").arg(need.width()).arg(need.height())));
    p.resize(kPageArea);
    p.show();
    QVERIFY(QTest::qWaitForWindowExposed(&p));
    checkLaidOut(&p);
    p.hide();
}

void TstPageAnalyser::phaseOrder_data()
{
    QTest::addColumn<int>("pageNo");
    QTest::addColumn<QStringList>("topToBottom");
    QTest::newRow("Gerilim") << 0 << QStringList{"V1", "V2", "V3"};
    QTest::newRow("Aktif") << 0 << QStringList{"kW1", "Kw2", "kW3", "toplamaktif"};
    QTest::newRow("On") << 0 << QStringList{"onsurre_r", "onsurre_s", "onsurre_t", "onsurre_top"};
    QTest::newRow("R") << 0 << QStringList{"ER", "ERL", "ERC"};
    QTest::newRow("Cos") << 0 << QStringList{"Cos1", "Cos2", "Cos3"};
    QTest::newRow("yon") << 0 << QStringList{"yon_r", "yon_s", "yon_t"};
    QTest::newRow("kwh") << 1 << QStringList{"kWh_R", "kwh_S", "kwh_T", "Ewh"};
    QTest::newRow("kVArCh") << 1 << QStringList{"kVArCh_R", "kVArCh_S", "kVArCh_T", "ECh"};
    QTest::newRow("dates") << 1 << QStringList{"ak1", "ak2"};
}

void TstPageAnalyser::phaseOrder()
{
    QFETCH(int, pageNo);
    QFETCH(QStringList, topToBottom);
    QWidget &p = page(pageNo);
    p.resize(kPageArea);
    p.show();
    QVERIFY(QTest::qWaitForWindowExposed(&p));
    int lastY = -1;
    for (const QString &name : topToBottom) {
        QWidget *w = p.findChild<QWidget *>(name);
        QVERIFY(w);
        const int y = w->mapTo(&p, QPoint(0, 0)).y();
        QVERIFY2(y > lastY, qPrintable(name));
        lastY = y;
    }
    p.hide();
}

QTEST_MAIN(TstPageAnalyser)
#include "tst_page_analyser.moc"
