// The harmonic and relay pages against the bundled simulator, in one process:
// a user selects a device, asks for the three phases' waveforms and reads
// their spectra; switches the industrial modem's relays, writes and reads its
// water-meter index; reads and commands the overcurrent relay.
#include "log_in.h"
#include "client_windows.h"
#include "group_bar.h"
#include "harmonic_analysis.h"
#include "image_area.h"
#include "lamp_button.h"
#include "led_display.h"
#include "numbers.h"
#include "sim_field_outputs.h"
#include "sim_server.h"
#include "sim_waveform.h"
#include "spin_edit.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <cmath>

namespace {

struct Session {
    sim::SimServer server;
    ClientWindows w;

    bool open()
    {
        if (!server.listen(QHostAddress::LocalHost, 0))
            return false;
        logIn(w.giris, server.port());
        return QTest::qWaitFor([this] { return item(QStringLiteral("12006")) != nullptr; }, 5000);
    }
    GroupBarItem *item(const QString &serial) const
    {
        for (GroupBarItem *i : w.ana.findChildren<GroupBarItem *>()) {
            if (i->caption().endsWith(QStringLiteral("No: ") + serial))
                return i;
        }
        return nullptr;
    }
    // A click on the device's item, and the answer to the opening request.
    bool select(const QString &serial)
    {
        QTest::mouseClick(item(serial), Qt::LeftButton);
        return QTest::qWaitFor([this, serial] { return get<QLineEdit>("Edit111")->text() == serial; }, 3000);
    }
    template <class T> T *get(const char *name)
    {
        return w.ana.widgets().template get<T>(QString::fromLatin1(name));
    }
    void click(const char *button) { get<QAbstractButton>(button)->click(); }
    QString text(const char *label) { return get<QLabel>(label)->text(); }
};

} // namespace

class TstHarmonicsWithSimulator : public QObject {
    Q_OBJECT
private slots:
    void threePhasesAnalysed();
    void modemRelaysAndIndex();
    void overcurrentRelay();
};

// Each phase's answer is drawn and analysed; the spectrum the client computes
// is the content the simulated analyser put into its waveforms, to within
// the sampling in whole counts and the inexact π of the analysis.
void TstHarmonicsWithSimulator::threePhasesAnalysed()
{
    Session s;
    QVERIFY(s.open());
    // The layout follows a change of kind, and the kind starts as the
    // analyser's: the page of the waveforms opens once another kind was seen.
    QVERIFY(s.select(QStringLiteral("12002")));
    QVERIFY(s.select(QStringLiteral("12001")));
    QVERIFY(s.get<QWidget>("suiTabSheet4")->isEnabled());
    QTest::qWait(200); // the answer to the opening request
    const char *requests[] = {"VrShadowButton5", "VrShadowButton6", "VrShadowButton7"};
    const char *pictures[] = {"Image1", "Image2", "Image3"};
    const char *voltageBoxes[] = {"EditH22", "EditH11", "EditH31"};
    const char *currentBoxes[] = {"EditH2", "EditH12", "EditH32"};
    const char *voltageCharts[] = {"Image4", "Image6", "Image8"};
    for (int p = 0; p < 3; ++p) {
        const QImage blank = s.get<ImageArea>(pictures[p])->image();
        s.click(requests[p]);
        QVERIFY(QTest::qWaitFor([&] { return !s.get<QLineEdit>(voltageBoxes[p])->text().isEmpty(); }, 3000));
        QVERIFY(s.get<ImageArea>(pictures[p])->image() != blank);
        QCOMPARE(s.text("Label2"), QStringLiteral("12001 nolu cihaz harmonik verileri"));

        const ProgramState &prog = programState();
        const sim::PhaseWave wave = s.server.device(12001)->waves()[size_t(p)];
        const auto check = [&](const std::array<double, 66> &store, const std::array<double, 16> &percent,
                               const char *box) {
            const harmonics::Magnitudes m =
                harmonics::analyse(std::span<const double, 64>(store.data(), 64));
            QCOMPARE(s.get<QLineEdit>(box)->text(), numbers::formatGeneral(m[0], prog.decimalSeparator));
            // The largest sample is 70 counts: the fundamental is of that order.
            QVERIFY2(m[0] > 30 && m[0] < 90, qPrintable(QString::number(m[0])));
            for (int h = 1; h <= harmonics::kHarmonics; ++h) {
                const double put = h % 2 ? percent[size_t(h / 2)] / 100 : 0.0;
                const double got = m[size_t(h - 1)] / m[0];
                QVERIFY2(std::abs(got - put) < 0.012,
                         qPrintable(QStringLiteral("phase %1 H%2: %3, put in %4").arg(p + 1).arg(h).arg(got).arg(put)));
            }
        };
        check(prog.harmonicSamplesA, wave.voltagePercent, voltageBoxes[p]);
        check(prog.harmonicSamplesB, wave.currentPercent, currentBoxes[p]);
        QVERIFY(s.get<ImageArea>(voltageCharts[p])->image().pixel(7, 170) == qRgb(0xFF, 0xFF, 0x00));
    }
    // Picking the fifth current harmonic of phase 1 after all three arrived:
    // the list of phase 1 is still the one its own answer gave.
    const double fundamental = s.get<QLineEdit>("EditH2")->text().toDouble();
    s.get<SpinEdit>("SpinEdit1")->setValue(5);
    const double fifth = s.get<QLineEdit>("EditH2")->text().toDouble();
    QVERIFY2(fifth > 0.05 * fundamental && fifth < 0.3 * fundamental, qPrintable(QString::number(fifth)));
}

void TstHarmonicsWithSimulator::modemRelaysAndIndex()
{
    Session s;
    QVERIFY(s.open());
    QVERIFY(s.select(QStringLiteral("12006")));
    const auto states = [&s] {
        return QStringList{s.text("lblrole1drm"), s.text("lblrole2drm"), s.text("lblrole3drm")};
    };
    const QStringList fresh{"Aktif", "Pasif", "Pasif"};
    s.click("VrShadowButton21");
    QVERIFY(QTest::qWaitFor([&] { return states() == fresh; }, 3000));

    s.click("VrShadowButton17"); // pull output 2
    QCOMPARE(s.text("lblrole2drm"), QStringLiteral("0"));
    QVERIFY(QTest::qWaitFor([&] { return s.text("lblrole2drm") == QLatin1String("Aktif"); }, 3000));
    s.click("VrShadowButton16"); // release output 1
    QVERIFY(QTest::qWaitFor([&] { return s.text("lblrole1drm") == QLatin1String("Pasif"); }, 3000));
    s.click("VrShadowButton21");
    QTest::qWait(300);
    QCOMPARE(states(), (QStringList{"Pasif", "Aktif", "Pasif"}));
    QCOMPARE(s.get<QLabel>("lblrole2drm")->palette().color(QPalette::WindowText), QColor(0x00, 0xFF, 0x00));

    // 1.5 m3 goes out as 1500 litres; the modem confirms, the page's buttons
    // come back after three seconds, and the index reads back as 1.5.
    s.get<SpinEdit>("edtendeksyaz")->setValue(1.5);
    s.click("VrShadowButton22");
    QVERIFY(QTest::qWaitFor(
        [&] { return s.text("LblMesaj") == QStringLiteral("12006 Seri Nolu Cihaza endeks değeri yazıldı. "); },
        3000));
    QCOMPARE(sim::FieldOutputs::of(s.server).modem(12006).waterLitres, 1500);
    QVERIFY(!s.get<QAbstractButton>("btnsuendeks")->isEnabled());
    QVERIFY(QTest::qWaitFor([&] { return s.get<QAbstractButton>("btnsuendeks")->isEnabled(); }, 4000));
    s.click("btnsuendeks");
    const QString expected = QStringLiteral("1") + programState().decimalSeparator + QStringLiteral("5");
    QVERIFY(QTest::qWaitFor([&] { return s.get<LedDisplay>("displaysuendeks")->text() == expected; }, 3000));
}

// The overcurrent relay is addressed by the serial its Sno display shows.
void TstHarmonicsWithSimulator::overcurrentRelay()
{
    Session s;
    QVERIFY(s.open());
    QVERIFY(s.select(QStringLiteral("12003")));
    QVERIFY(s.get<LedDisplay>("Sno")->text().startsWith(QLatin1Char(' ')));
    s.get<LampButton>("role1")->setLit(true);
    s.get<LampButton>("role3")->setLit(true);
    s.click("VrShadowButton1");
    QVERIFY(QTest::qWaitFor([&] { return sim::FieldOutputs::of(s.server).overcurrent(12003).relayMask == 0x50; },
                            3000));
    QCOMPARE(s.text("LblGiden"), QStringLiteral(" Röle çekme isteği gönderildi"));

    s.click("VrShadowButton2");
    QVERIFY(QTest::qWaitFor([&] { return s.get<LedDisplay>("Sno")->text() == QLatin1String("12003"); }, 3000));
    bool ok = false;
    QVERIFY(s.get<LedDisplay>("akim1")->text().toDouble(&ok) > 0 && ok);
    QVERIFY(QDate::fromString(s.get<LedDisplay>("Trh")->text(), "dd.MM.yyyy").isValid());
    // The constants write names no device; the server takes it to the user's relay.
    s.click("VrShadowButton3");
    QTest::qWait(200);
    QCOMPARE(sim::FieldOutputs::of(s.server).overcurrent(12003).constantWrites, 1);
}

QTEST_MAIN(TstHarmonicsWithSimulator)
#include "tst_harmonics_with_simulator.moc"
