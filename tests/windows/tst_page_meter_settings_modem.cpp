// Pages 6 "Sayaç Okuma", 8 "Ayarlar" and 9 "Endüstriyel Modem": every
// component by name, kind, initial state and group; the spin box ranges; the
// radio pairs; the read-back rows; and that each page fits its area.
#include "appearance.h"
#include "led_display.h"
#include "main_pages.h"
#include "shadow_button.h"
#include "spin_edit.h"
#include "tank_gauge.h"
#include "thermometer.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QtTest>

namespace {
const QString kAny = QStringLiteral("\x01any"); // text not checked
const QSize kPageArea(831, 672);

QString groupOf(const QWidget *w, const QWidget *page)
{
    for (const QWidget *p = w->parentWidget(); p && p != page; p = p->parentWidget())
        if (auto *g = qobject_cast<const QGroupBox *>(p))
            return g->title();
    return QString();
}

bool isContainer(const QWidget *w)
{
    const QMetaObject *mo = w->metaObject();
    return mo == &QWidget::staticMetaObject || mo == &QFrame::staticMetaObject || qobject_cast<const QGroupBox *>(w);
}

// The widgets a user sees as one thing: components and captions, not their
// inner parts and not the frames that hold them.
void collectAtoms(QWidget *w, QList<QWidget *> &out)
{
    for (QObject *o : w->children()) {
        auto *c = qobject_cast<QWidget *>(o);
        if (!c || c->isWindow())
            continue;
        if (isContainer(c))
            collectAtoms(c, out);
        else
            out.append(c);
    }
}
} // namespace

class TstPageMeterSettingsModem : public QObject {
    Q_OBJECT
    QWidget m_pages[3];
    QWidget *page(int number)
    {
        return number == 6 ? &m_pages[0] : number == 8 ? &m_pages[1] : &m_pages[2];
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        applyAppearance(*qobject_cast<QApplication *>(QCoreApplication::instance()));
        pages::buildSayac(page(6));
        pages::buildAyarlar(page(8));
        pages::buildModem(page(9));
        for (QWidget &p : m_pages) {
            p.resize(kPageArea);
            p.show();
            QVERIFY(QTest::qWaitForWindowExposed(&p));
        }
    }

    void components_data()
    {
        QTest::addColumn<int>("pageNo");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("checked"); // -1 not a check/radio
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<QString>("group");
        const auto row = [](int pg, const char *name, const char *cls, const QString &text, const QString &group,
                            bool hidden = false, int checked = -1) {
            QTest::newRow(name) << pg << QString::fromLatin1(cls) << text << checked << hidden << group;
        };
        const QString s = QStringLiteral("ShadowButton");
        const QString zeros = QStringLiteral("00000000"), led0 = QStringLiteral("000");
        const QString totals = QStringLiteral("    Sayaç Endeks Değerleri   ");

        // Page 6
        row(6, "VrShadowButton11", "ShadowButton", QStringLiteral("Sayaç Oku"), QString());
        row(6, "VrShadowButton13", "ShadowButton", QStringLiteral("Tedaş Okuma"), QString());
        for (const char *n : {"Rzsycakttop", "Rzsycindtop", "Rzsyckaptop"})
            row(6, n, "LedDisplay", zeros, totals);
        for (const char *n : {"RzsycT1", "RzsycT2", "RzsycT3"})
            row(6, n, "LedDisplay", zeros, QStringLiteral("Aktif Değerler"));
        row(6, "RzLEDinddurum", "LedDisplay", led0, totals, true);
        row(6, "RzLEDkapdurum", "LedDisplay", led0, totals, true);
        row(6, "dtsycilktarih", "QDateEdit", kAny, QString());
        row(6, "dtsycsontarih", "QDateEdit", kAny, QString());
        row(6, "VrShadowButton12", "ShadowButton", QStringLiteral("Tarih Arası Oranları Hesapla"), QString());
        for (const char *n : {"RzLEDsycinoran", "RzLEDsyckaporan", "RzLEDak1", "RzLEDin1", "RzLEDkap1", "RzLEDak2",
                              "RzLEDin2", "RzLEDkap2"})
            row(6, n, "LedDisplay", led0, QString());
        row(6, "lblsycindurum", "QLabel", QStringLiteral("DURUM"), QString());
        row(6, "lblsyckapdurum", "QLabel", QStringLiteral("DURUM"), QString());
        for (const char *n : {"Edit2", "Edit3", "Edit5", "Edit6"})
            row(6, n, "QLineEdit", QString(), QString());
        row(6, "Memo3", "QPlainTextEdit", QString(), QStringLiteral("Okunan Veriler"));

        // Page 8
        const QString fixed = QStringLiteral("Sabit Değerler"), set = QStringLiteral("Set"), dash = QStringLiteral("-");
        const QString times = QStringLiteral("Alma Çıkarma Süreleri"), learn =
                                  QStringLiteral("Kondansatör Öğrenme &&  Yön Sabitleme");
        const QString penal = QStringLiteral("Ceza Sınırları"), mode = QStringLiteral("Kondansatör Devreye Alma Modu");
        const QString fast = QStringLiteral("Hızlı Mod"), on = QStringLiteral("Devreye Al"),
                      off = QStringLiteral("Devre Dışı Bırak");
        row(8, "CT", "SpinEdit", QStringLiteral("1"), fixed);
        row(8, "Button9", "QPushButton", QStringLiteral("Gönder"), fixed);
        row(8, "LBLCT", "QLabel", dash, fixed);
        row(8, "sabitoku", "QPushButton", QStringLiteral("Değerleri Oku"), fixed);
        row(8, "maxalmasure", "SpinEdit", QStringLiteral("10"), times);
        row(8, "maxcikmasure", "SpinEdit", QStringLiteral("10"), times);
        row(8, "minalmacikmasure", "SpinEdit", QStringLiteral("2"), times);
        for (const char *n : {"LBLmaxalmasure", "LBLmaxcikmasure", "LBLminalmacikmasure"})
            row(8, n, "QLabel", dash, times);
        row(8, "Button7", "QPushButton", set, times);
        row(8, "konogrenmedevrede", "QRadioButton", on, learn, false, 1);
        row(8, "konogrenmeddisi", "QRadioButton", off, learn, false, 0);
        row(8, "yonsabitdevrede", "QRadioButton", on, learn, false, 1);
        row(8, "yonsabitddisi", "QRadioButton", off, learn, false, 0);
        row(8, "konogrenmedurum", "QLabel", dash, learn);
        row(8, "yonsabitdurum", "QLabel", dash, learn);
        row(8, "Button5", "QPushButton", set, learn);
        row(8, "Tanfi", "SpinEdit", QStringLiteral("0"), penal);
        row(8, "indcezasinir", "SpinEdit", QStringLiteral("15"), penal);
        row(8, "kapcezasinir", "SpinEdit", QStringLiteral("10"), penal);
        for (const char *n : {"btntanfi", "btnindceza", "btnkapceza"})
            row(8, n, "QPushButton", set, penal);
        for (const char *n : {"lbltanfi", "lblindcezasinir", "lblkapcezasinir"})
            row(8, n, "QLabel", dash, penal);
        row(8, "manueldevrede", "QRadioButton", QStringLiteral("Manuel"), mode, false, 0);
        row(8, "otomatikdevrede", "QRadioButton", QStringLiteral("Otomatik"), mode, false, 0);
        row(8, "zorvotomanuelyaz", "QPushButton", set, mode);
        row(8, "lblmanuel", "QLabel", dash, mode);
        row(8, "lblotomatik", "QLabel", dash, mode);
        row(8, "radioaktif", "QRadioButton", on, fast, false, 0);
        row(8, "radiopasif", "QRadioButton", off, fast, false, 0);
        row(8, "Button8", "QPushButton", set, fast);
        row(8, "lblhizlia", "QLabel", dash, fast);
        row(8, "lblhizlip", "QLabel", dash, fast);
        const char *const alarms[8] = {"Aşırı Gerilim", "Düşük Gerilim", "Aşırı Akım", "Aşırı Kompanzasyon",
                                       "Düşük Kompanzasyon", "Sistem Hatası", "Faz Yokluğu", "Aşırı Sıcaklık"};
        for (int n = 1; n <= 8; ++n)
            QTest::addRow("al%d", n) << 8 << QStringLiteral("QCheckBox") << QString::fromUtf8(alarms[n - 1]) << 0
                                     << true << QStringLiteral("Alarmlar");
        for (const char *n : {"Konkorumaal", "Konkorumadisi", "Sicaklikkoral", "Sicaklikkordisi"})
            row(8, n, "QRadioButton", kAny, QStringLiteral("Korumalar"), true, 0);
        row(8, "Button6", "QPushButton", set, QStringLiteral("Korumalar"), true);

        // Page 9
        row(9, "VrShadowButton21", "ShadowButton", QStringLiteral("Röleleri Sorgula"), QStringLiteral("Röle Çek/Bırak"));
        for (int n = 1; n <= 3; ++n) {
            const QString relay = QStringLiteral("Röle%1").arg(n);
            QTest::addRow("VrShadowButton%d", 13 + 2 * n) << 9 << s << QStringLiteral("Çek") << -1 << false << relay;
            QTest::addRow("VrShadowButton%d", 14 + 2 * n) << 9 << s << QStringLiteral("Bırak") << -1 << false << relay;
            QTest::addRow("lblrole%ddrm", n) << 9 << QStringLiteral("QLabel") << QStringLiteral("1") << -1 << false
                                             << relay;
        }
        const QString index = QStringLiteral("Sayaç Endeks Oku"), states = QStringLiteral("Durumlar");
        row(9, "displaysuendeks", "LedDisplay", led0, index);
        row(9, "btnsuendeks", "ShadowButton", QStringLiteral("Endeks İste"), index);
        row(9, "VrShadowButton22", "ShadowButton", QStringLiteral("Endeks Yaz"), index);
        row(9, "edtendeksyaz", "SpinEdit", QStringLiteral("1.00"), index);
        row(9, "VrTank1", "TankGauge", kAny, states);
        row(9, "vrThermoMeter1", "Thermometer", kAny, states);
        row(9, "VrShadowButton10", "ShadowButton", QStringLiteral("Sıvı Seviyesi"), states);
        row(9, "VrShadowButton14", "ShadowButton", QStringLiteral("Sıcaklık Durumu"), states);
    }

    void components()
    {
        QFETCH(int, pageNo);
        QFETCH(QString, className);
        QFETCH(QString, text);
        QFETCH(int, checked);
        QFETCH(bool, hidden);
        QFETCH(QString, group);
        QWidget *pg = page(pageNo);
        const QString name = QString::fromLatin1(QTest::currentDataTag());
        const QList<QWidget *> found = pg->findChildren<QWidget *>(name);
        QCOMPARE(found.size(), 1);
        QWidget *w = found.first();
        QCOMPARE(QString::fromLatin1(w->metaObject()->className()), className);
        if (text != kAny) {
            const QVariant shown = qobject_cast<QPlainTextEdit *>(w) ? QVariant(static_cast<QPlainTextEdit *>(w)->toPlainText())
                                                                    : w->property("text");
            QVERIFY2(shown.isValid(), "component has no text");
            QCOMPARE(shown.toString(), text);
        }
        if (checked >= 0) {
            auto *b = qobject_cast<QAbstractButton *>(w);
            QVERIFY(b && b->isCheckable());
            QCOMPARE(b->isChecked(), checked == 1);
        }
        QCOMPARE(!w->isVisibleTo(pg), hidden);
        QCOMPARE(groupOf(w, pg), group);
    }

    // Names are looked up without regard to letter case, so no two may fold
    // to the same name, on one page or across these pages.
    void namesUniqueWhenFolded()
    {
        QHash<QString, QString> seen;
        for (QWidget &p : m_pages)
            for (QObject *o : p.findChildren<QObject *>()) {
                const QString n = o->objectName();
                if (n.isEmpty() || n.startsWith(QLatin1String("qt_")))
                    continue;
                const QString folded = n.toCaseFolded();
                QVERIFY2(!seen.contains(folded), qPrintable(n + QLatin1String(" clashes with ") + seen.value(folded)));
                seen.insert(folded, n);
            }
    }

    void families()
    {
        for (const char *prefix : {"RzLEDak", "RzLEDin", "RzLEDkap"})
            for (int n = 1; n <= 2; ++n)
                QVERIFY(page(6)->findChild<LedDisplay *>(QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(n)));
        for (int n = 1; n <= 3; ++n)
            QVERIFY(page(6)->findChild<LedDisplay *>(QStringLiteral("RzsycT%1").arg(n)));
        for (int n = 1; n <= 8; ++n)
            QVERIFY(page(8)->findChild<QCheckBox *>(QStringLiteral("al%1").arg(n)));
        QVERIFY(!page(8)->findChild<QCheckBox *>(QStringLiteral("al9")));
        for (int n = 15; n <= 22; ++n)
            QVERIFY(page(9)->findChild<ShadowButton *>(QStringLiteral("VrShadowButton%1").arg(n)));
        for (int n = 1; n <= 3; ++n)
            QVERIFY(page(9)->findChild<QLabel *>(QStringLiteral("lblrole%1drm").arg(n)));
    }

    void spinBoxes_data()
    {
        QTest::addColumn<int>("pageNo");
        QTest::addColumn<double>("minimum");
        QTest::addColumn<double>("maximum");
        QTest::addColumn<double>("step");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("enforced");
        QTest::newRow("CT") << 8 << 0.0 << 2000.0 << 1.0 << 0 << 1.0 << false;
        QTest::newRow("Tanfi") << 8 << -75.0 << 75.0 << 1.0 << 0 << 0.0 << false;
        QTest::newRow("indcezasinir") << 8 << 5.0 << 50.0 << 1.0 << 0 << 15.0 << false;
        QTest::newRow("kapcezasinir") << 8 << 5.0 << 50.0 << 1.0 << 0 << 10.0 << false;
        QTest::newRow("maxalmasure") << 8 << 10.0 << 60.0 << 1.0 << 0 << 10.0 << false;
        QTest::newRow("maxcikmasure") << 8 << 10.0 << 60.0 << 1.0 << 0 << 10.0 << false;
        QTest::newRow("minalmacikmasure") << 8 << 2.0 << 10.0 << 1.0 << 0 << 2.0 << false;
        QTest::newRow("edtendeksyaz") << 9 << 0.0 << 5000.0 << 0.01 << 2 << 1.0 << true;
    }

    void spinBoxes()
    {
        QFETCH(int, pageNo);
        QFETCH(double, minimum);
        QFETCH(double, maximum);
        QFETCH(double, step);
        QFETCH(int, decimals);
        QFETCH(double, value);
        QFETCH(bool, enforced);
        auto *spin = page(pageNo)->findChild<SpinEdit *>(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(spin);
        QCOMPARE(spin->minimum(), minimum);
        QCOMPARE(spin->maximum(), maximum);
        QCOMPARE(spin->singleStep(), step);
        QCOMPARE(spin->decimals(), decimals);
        QCOMPARE(spin->value(), value);
        QCOMPARE(spin->rangeEnforced(), enforced);
        QVERIFY(!spin->isReadOnly());
    }

    // Every radio pair is exclusive within itself and leaves the others alone.
    void radioPairs_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("learning") << "konogrenmedevrede" << "konogrenmeddisi";
        QTest::newRow("direction") << "yonsabitdevrede" << "yonsabitddisi";
        QTest::newRow("mode") << "manueldevrede" << "otomatikdevrede";
        QTest::newRow("fast") << "radioaktif" << "radiopasif";
        QTest::newRow("capacitor protection") << "Konkorumaal" << "Konkorumadisi";
        QTest::newRow("heat protection") << "Sicaklikkoral" << "Sicaklikkordisi";
    }

    void radioPairs()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QWidget pg;
        pages::buildAyarlar(&pg);
        auto *a = pg.findChild<QRadioButton *>(first);
        auto *b = pg.findChild<QRadioButton *>(second);
        QVERIFY(a && b);
        const QList<QRadioButton *> all = pg.findChildren<QRadioButton *>();
        QHash<QRadioButton *, bool> before;
        for (QRadioButton *r : all)
            before.insert(r, r->isChecked());
        b->click();
        QVERIFY(b->isChecked());
        QVERIFY(!a->isChecked());
        a->click();
        QVERIFY(a->isChecked());
        QVERIFY(!b->isChecked());
        for (QRadioButton *r : all)
            if (r != a && r != b)
                QVERIFY2(r->isChecked() == before.value(r), qPrintable(r->objectName()));
    }

    // Each read-back label sits under its setting, in a row that starts with
    // the title "Okunan Değerler".
    void readBackUnderSetting_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("label");
        QTest::newRow("CT") << "CT" << "LBLCT";
        QTest::newRow("maxalma") << "maxalmasure" << "LBLmaxalmasure";
        QTest::newRow("maxcikma") << "maxcikmasure" << "LBLmaxcikmasure";
        QTest::newRow("minalmacikma") << "minalmacikmasure" << "LBLminalmacikmasure";
        QTest::newRow("tanfi") << "Tanfi" << "lbltanfi";
        QTest::newRow("ind") << "indcezasinir" << "lblindcezasinir";
        QTest::newRow("kap") << "kapcezasinir" << "lblkapcezasinir";
        QTest::newRow("learning") << "konogrenmeddisi" << "konogrenmedurum";
        QTest::newRow("direction") << "yonsabitddisi" << "yonsabitdurum";
        QTest::newRow("manuel") << "manueldevrede" << "lblmanuel";
        QTest::newRow("otomatik") << "otomatikdevrede" << "lblotomatik";
        QTest::newRow("fast on") << "radioaktif" << "lblhizlia";
        QTest::newRow("fast off") << "radiopasif" << "lblhizlip";
    }

    void readBackUnderSetting()
    {
        QFETCH(QString, setting);
        QFETCH(QString, label);
        QWidget *pg = page(8);
        auto *input = pg->findChild<QWidget *>(setting);
        auto *value = pg->findChild<QLabel *>(label);
        QVERIFY(input && value);
        const QRect in(input->mapTo(pg, QPoint(0, 0)), input->size());
        const QRect out(value->mapTo(pg, QPoint(0, 0)), value->size());
        QVERIFY2(out.top() >= in.bottom(), "read-back label is not below its setting");
        QVERIFY2(out.left() <= in.center().x() && in.left() <= out.center().x(), "read-back label not under its setting");
        bool titled = false;
        for (QLabel *t : value->parentWidget()->findChildren<QLabel *>(Qt::FindDirectChildrenOnly)) {
            if (t->text() != QStringLiteral("Okunan Değerler"))
                continue;
            const QRect tr(t->mapTo(pg, QPoint(0, 0)), t->size());
            titled = titled || (tr.right() < out.left() && tr.top() < out.bottom() && out.top() < tr.bottom());
        }
        QVERIFY2(titled, "row is not titled \"Okunan Değerler\"");
    }

    void readOnlyAndPickers()
    {
        for (int n = 1; n <= 8; ++n) {
            auto *alarm = page(8)->findChild<QCheckBox *>(QStringLiteral("al%1").arg(n));
            QVERIFY(alarm->testAttribute(Qt::WA_TransparentForMouseEvents));
            QCOMPARE(alarm->focusPolicy(), Qt::NoFocus);
            QVERIFY(alarm->isEnabled());
        }
        QVERIFY(page(6)->findChild<QPlainTextEdit *>(QStringLiteral("Memo3"))->isReadOnly());
        for (const char *n : {"dtsycilktarih", "dtsycsontarih"})
            QVERIFY(page(6)->findChild<QDateEdit *>(QString::fromLatin1(n))->calendarPopup());
        for (int n = 1; n <= 3; ++n)
            QVERIFY(page(9)->findChild<QLabel *>(QStringLiteral("lblrole%1drm").arg(n))->font().bold());
        // The index display carries its unit to the right.
        auto *index = page(9)->findChild<LedDisplay *>(QStringLiteral("displaysuendeks"));
        bool unit = false;
        for (QLabel *l : index->parentWidget()->findChildren<QLabel *>())
            unit = unit || (l->text() == QStringLiteral("m3") && l->x() > index->x() + index->width() / 2);
        QVERIFY(unit);
    }

    void enforcedIndexRange()
    {
        QWidget pg;
        pages::buildModem(&pg);
        auto *spin = pg.findChild<SpinEdit *>(QStringLiteral("edtendeksyaz"));
        spin->setValue(6000);
        QCOMPARE(spin->value(), 5000.0);
        spin->setValue(-3);
        QCOMPARE(spin->value(), 0.0);
        spin->setValue(1.5);
        QCOMPARE(spin->text(), QStringLiteral("1.50"));
    }

    // Each page fits its area; nothing the user reads overlaps anything else
    // or is squeezed below its minimum; LED displays stay legible.
    void layoutFits_data()
    {
        QTest::addColumn<int>("pageNo");
        QTest::newRow("Sayaç Okuma") << 6;
        QTest::newRow("Ayarlar") << 8;
        QTest::newRow("Endüstriyel Modem") << 9;
    }

    void layoutFits()
    {
        QFETCH(int, pageNo);
        QWidget *pg = page(pageNo);
        const QSize need = pg->minimumSizeHint();
        QVERIFY2(need.width() <= kPageArea.width() && need.height() <= kPageArea.height(),
                 qPrintable(QStringLiteral("needs %1x%2").arg(need.width()).arg(need.height())));
        QList<QWidget *> atoms;
        collectAtoms(pg, atoms);
        QList<QPair<QWidget *, QRect>> shown;
        for (QWidget *w : atoms) {
            if (!w->isVisibleTo(pg))
                continue;
            const QRect r(w->mapTo(pg, QPoint(0, 0)), w->size());
            QVERIFY2(pg->rect().contains(r), qPrintable(w->objectName() + w->property("text").toString()));
            const QSize min = w->minimumSizeHint();
            QVERIFY2(w->width() >= min.width() && w->height() >= min.height(),
                     qPrintable(QStringLiteral("squeezed: ") + w->objectName() + w->property("text").toString()));
            if (qobject_cast<LedDisplay *>(w))
                QVERIFY2(w->height() >= 20, qPrintable(w->objectName()));
            shown.append({w, r});
        }
        for (int i = 0; i < shown.size(); ++i)
            for (int j = i + 1; j < shown.size(); ++j)
                QVERIFY2(!shown[i].second.intersects(shown[j].second),
                         qPrintable(shown[i].first->objectName() + shown[i].first->property("text").toString() +
                                    QLatin1String(" / ") + shown[j].first->objectName() +
                                    shown[j].first->property("text").toString()));
    }
};

QTEST_MAIN(TstPageMeterSettingsModem)
#include "tst_page_meter_settings_modem.moc"
