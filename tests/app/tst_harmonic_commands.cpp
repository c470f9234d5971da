// The harmonic requests of pages 3 and 5 and the selectors of page 3.
#include "feature_pages.h"

#include "harmonic_analysis.h"
#include "image_area.h"
#include "pending.h"
#include "shadow_button.h"
#include "spin_edit.h"

#include <QPushButton>
#include <QtTest>

#include <cmath>

namespace {

// Samples for a phase: voltage Σ (2k+1)-th harmonic of amplitude 60/(2k+1),
// current a sine of 25 with a 5th of 5; then two trailing bytes.
QList<int> phaseSamples()
{
    QList<int> s;
    for (int i = 0; i < 64; ++i) {
        double v = 0;
        for (int h = 1; h <= 9; h += 2)
            v += 60.0 / h * std::sin(h * 2 * M_PI * i / 64);
        s.append(int(std::lround(v)) & 0xFF);
    }
    for (int i = 0; i < 64; ++i)
        s.append(int(std::lround(25 * std::sin(2 * M_PI * i / 64) + 5 * std::sin(10 * M_PI * i / 64))) & 0xFF);
    s << 0x12 << 0x34;
    return s;
}

// What the analysis makes of the stored samples, as the value boxes show it.
harmonics::Texts expectedTexts(const ProgramState &prog, bool voltage)
{
    const auto &store = voltage ? prog.harmonicSamplesA : prog.harmonicSamplesB;
    return harmonics::texts(harmonics::analyse(std::span<const double, 64>(store.data(), 64)), QLatin1Char('.'));
}

const QByteArray &pendingOf(int phase)
{
    return phase == 1 ? pending::harmonikb : phase == 2 ? pending::harmoniki : pending::harmoniku;
}

} // namespace

class TstHarmonicCommands : public QObject {
    Q_OBJECT
private slots:
    void requests_data();
    void requests();
    void selectors_data();
    void selectors();
    void selectorsWaitForTheFirstAnalysis();
    void selectorOutsideTheList_data();
    void selectorOutsideTheList();
    void hiddenButtonsRunTheAnalysis();
};

void TstHarmonicCommands::requests_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("pendingRequest");
    QTest::addColumn<int>("startRegister");
    QTest::addColumn<QString>("outgoing");
    QTest::newRow("phase 1") << "VrShadowButton5" << QByteArray("harmonikbir\x01" "12006\x01\xF4\xF4\xF4")
                             << pending::harmonikb << 77 << "Faz1 harmonik değerleri istendi.Lütfen bekleyin...";
    QTest::newRow("phase 2") << "VrShadowButton6" << QByteArray("harmonikiki\x01" "12006\x01\xF4\xF4\xF4")
                             << pending::harmoniki << 77 << "Faz2 harmonik değerleri istendi.Lütfen bekleyin...";
    QTest::newRow("phase 3") << "VrShadowButton7" << QByteArray("harmonikuc\x01" "12006\x01\xF4\xF4\xF4")
                             << pending::harmoniku << 77 << "Faz3 harmonik değerleri istendi.Lütfen bekleyin...";
    QTest::newRow("device table") << "VrShadowButton4" << QByteArray("harmonikzorv\x01" "12006\x01\xF4\xF4\xF4")
                                  << pending::harmonikzorv << 300
                                  << "harmonikzorv durumları istendi.Lütfen bekleyin...";
}

void TstHarmonicCommands::requests()
{
    QFETCH(QString, button);
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, pendingRequest);
    QFETCH(int, startRegister);
    QFETCH(QString, outgoing);
    FeaturePages f;
    f.store.startRegister = 77;
    f.LblMesaj->setText(QStringLiteral("eski"));
    f.get<QAbstractButton>(button)->click();
    QCOMPARE(f.sent, QList<QByteArray>{request});
    QCOMPARE(f.conn.pendingRequest, pendingRequest);
    QCOMPARE(f.store.startRegister, startRegister);
    QCOMPARE(f.LblGiden->text(), outgoing);
    QCOMPARE(f.LblMesaj->text(), QString());
    // A second click sends a second request.
    f.get<QAbstractButton>(button)->click();
    QCOMPARE(f.sent.size(), 2);
}

// Each selector shows entry (value − 1) of its own phase and quantity.
void TstHarmonicCommands::selectors_data()
{
    QTest::addColumn<int>("phase");
    QTest::addColumn<QString>("selector");
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("voltage");
    QTest::newRow("SpinEdit2: phase 1 voltage") << 1 << "SpinEdit2" << "EditH22" << true;
    QTest::newRow("SpinEdit1: phase 1 current") << 1 << "SpinEdit1" << "EditH2" << false;
    QTest::newRow("SpinEdit3: phase 2 voltage") << 2 << "SpinEdit3" << "EditH11" << true;
    QTest::newRow("SpinEdit4: phase 2 current") << 2 << "SpinEdit4" << "EditH12" << false;
    QTest::newRow("SpinEdit5: phase 3 voltage") << 3 << "SpinEdit5" << "EditH31" << true;
    QTest::newRow("SpinEdit6: phase 3 current") << 3 << "SpinEdit6" << "EditH32" << false;
}

void TstHarmonicCommands::selectors()
{
    QFETCH(int, phase);
    QFETCH(QString, selector);
    QFETCH(QString, box);
    QFETCH(bool, voltage);
    FeaturePages f;
    f.conn.pendingRequest = pendingOf(phase);
    f.deliver(enerjial(waveformText(phaseSamples())));
    const harmonics::Texts expected = expectedTexts(f.prog, voltage);
    auto *sel = f.get<SpinEdit>(selector);
    auto *value = f.get<QLineEdit>(box);
    QCOMPARE(value->text(), expected[0]);

    sel->setValue(5);
    QCOMPARE(value->text(), expected[4]);
    const double fifth = value->text().toDouble();
    // Whole-number samples: within a few tenths of what was put in.
    QVERIFY2(std::abs(fifth - (voltage ? 12.0 : 5.0)) < 0.3, qPrintable(value->text()));
    // The arrows step by two, through the odd harmonics.
    sel->stepBy(1);
    QCOMPARE(value->text(), expected[6]);
    sel->setValue(31);
    QCOMPARE(value->text(), expected[30]);
    // A later analysis of another phase leaves this phase's list alone.
    f.conn.pendingRequest = pendingOf(phase % 3 + 1);
    f.deliver(enerjial(waveformText(QList<int>(130, 9))));
    sel->setValue(5);
    QCOMPARE(value->text(), expected[4]);
}

void TstHarmonicCommands::selectorsWaitForTheFirstAnalysis()
{
    FeaturePages f;
    f.conn.pendingRequest = pending::harmonikb;
    f.deliver(enerjial(waveformText(phaseSamples())));
    // Phase 2 has no list yet: its selectors change nothing.
    f.get<SpinEdit>("SpinEdit3")->setValue(5);
    f.get<SpinEdit>("SpinEdit4")->setValue(3);
    QCOMPARE(f.get<QLineEdit>("EditH11")->text(), QString());
    QCOMPARE(f.get<QLineEdit>("EditH12")->text(), QString());
}

// Typed values that name no harmonic leave the box as it was.
void TstHarmonicCommands::selectorOutsideTheList_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("0") << "0";
    QTest::newRow("32") << "32";
    QTest::newRow("-1") << "-1";
    QTest::newRow("fraction") << "2.5";
    QTest::newRow("huge") << "1e300";
}

void TstHarmonicCommands::selectorOutsideTheList()
{
    QFETCH(QString, typed);
    FeaturePages f;
    f.conn.pendingRequest = pending::harmonikb;
    f.deliver(enerjial(waveformText(phaseSamples())));
    const QString before = f.get<QLineEdit>("EditH22")->text();
    f.get<SpinEdit>("SpinEdit2")->setText(typed);
    QCOMPARE(f.get<QLineEdit>("EditH22")->text(), before);
}

// Button2 … Button4 carry the analysis of phases 1 to 3 on the stored samples.
void TstHarmonicCommands::hiddenButtonsRunTheAnalysis()
{
    FeaturePages f;
    const QList<int> s = phaseSamples();
    for (int i = 0; i < 64; ++i) {
        f.prog.harmonicSamplesA[size_t(i)] = qint8(s[i]);
        f.prog.harmonicSamplesB[size_t(i)] = qint8(s[64 + i]);
    }
    auto *chart = f.get<ImageArea>("Image8");
    const QImage before = chart->image();
    f.get<QPushButton>("Button4")->click();
    QCOMPARE(f.get<QLineEdit>("EditH31")->text(), expectedTexts(f.prog, true)[0]);
    QCOMPARE(f.get<QLineEdit>("EditH32")->text(), expectedTexts(f.prog, false)[0]);
    QVERIFY(chart->image() != before);
    QCOMPARE(f.get<QLineEdit>("EditH22")->text(), QString());
    QVERIFY(f.sent.isEmpty());
}

QTEST_MAIN(TstHarmonicCommands)
#include "tst_harmonic_commands.moc"
