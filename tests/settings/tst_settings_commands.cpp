// The click handlers of page 8 and of the capacitor steps, on the real pages:
// what each click sends, what it records for the answer and what the two
// status lines show.
#include "client_state.h"
#include "commands.h"
#include "main_pages.h"
#include "named_widgets.h"
#include "pending.h"
#include "register_store.h"
#include "settings_commands.h"
#include "spin_edit.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

const QString kOldOutgoing = QStringLiteral("önceki istek");
const QString kOldMessage = QStringLiteral("önceki mesaj");
constexpr int kOldStart = 7;

QByteArray onWire(const QByteArray &keyword, const QList<QByteArray> &fields)
{
    QByteArray r = keyword + '\x01';
    for (const QByteArray &f : fields)
        r += f + '\x01';
    return r + "\xF4\xF4\xF4";
}

// Pages 0, 4 and 8 with the serial box and both status lines, wired as the
// main window wires them.
struct Window {
    QWidget root;
    QLabel *message = new QLabel(kOldMessage, &root);
    QLabel *outgoing = new QLabel(kOldOutgoing, &root);
    QLineEdit *serial = new QLineEdit(QStringLiteral("12001"), &root);
    ConnectionState conn;
    ProgramState prog;
    RegisterStore store;
    NamedWidgets named;
    ClientContext ctx;
    QList<QByteArray> sent;
    QStringList errors;

    Window()
    {
        message->setObjectName(QStringLiteral("LblMesaj"));
        outgoing->setObjectName(QStringLiteral("LblGiden"));
        serial->setObjectName(QStringLiteral("Edit111"));
        for (auto build : {pages::buildAnalizorAni, pages::buildKondansator, pages::buildAyarlar})
            build(new QWidget(&root));
        named.index(&root);
        conn.pendingRequest = pending::anideger;
        store.startRegister = kOldStart;
        ctx.conn = &conn;
        ctx.prog = &prog;
        ctx.store = &store;
        ctx.mainWidgets = &named;
        ctx.messageLine = message;
        ctx.outgoingLine = outgoing;
        ctx.send = [this](const QByteArray &r) { sent.append(r); };
        ctx.showError = [this](const QString &t) { errors.append(t); };
        commands::installSettings(ctx);
        commands::installSteps(ctx);
    }

    // "name=text" types into a spin box, "name=1"/"name=0" checks or clears a
    // button.
    void apply(const QStringList &inputs)
    {
        for (const QString &input : inputs) {
            const QString name = input.section(QLatin1Char('='), 0, 0);
            const QString value = input.section(QLatin1Char('='), 1);
            QObject *o = named.object(name);
            QVERIFY2(o, qPrintable(name));
            if (auto *spin = qobject_cast<SpinEdit *>(o))
                spin->setText(value);
            else if (auto *button = qobject_cast<QAbstractButton *>(o))
                button->setChecked(value == QLatin1String("1"));
            else if (auto *edit = qobject_cast<QLineEdit *>(o))
                edit->setText(value);
        }
    }
    void click(const QString &name)
    {
        auto *button = named.get<QAbstractButton>(name);
        QVERIFY2(button, qPrintable(name));
        QTest::mouseClick(button, Qt::LeftButton);
    }
};

} // namespace

class TstSettingsCommands : public QObject {
    Q_OBJECT
private slots:
    void click_data();
    void click();
    void secondClickSendsAgain();
    void lampTogglesLocally();
    void echoOfAnUncheckedWriteIsNotReadAsTheEarlierAnswer();
    void withoutWidgetsNothingBreaks();
};

// Each row: what is typed or checked, the button clicked; then the request
// sent (empty: none), pendingRequest, startRegister, LblGiden and LblMesaj
// afterwards, and whether the conversion error was shown. Before the click
// pendingRequest is "anideger", startRegister 7, and both lines hold old text.
void TstSettingsCommands::click_data()
{
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("pendingRequest");
    QTest::addColumn<int>("startRegister");
    QTest::addColumn<QString>("outgoing");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("error");

    const QByteArray s = "12001";
    const QString ct = QStringLiteral("Akım Trafosu oranları yazılıyor.Lütfen bekleyin...");
    const QString tanfi = QStringLiteral("TanFi Değeri yazılıyor.Lütfen bekleyin...");
    const QString times = QStringLiteral("Alma Çıkarma Süreleri yazılıyor.Lütfen bekleyin...");
    const QString learning = QStringLiteral("Kondansatör Öğrenme Değerleri yazılıyor.Lütfen bekleyin...");
    const QString mode = QStringLiteral("Kademe devreye alma modu yazılıyor.Lütfen bekleyin...");
    const QString fast = QStringLiteral("Hızlı mod ayarı yazılıyor.Lütfen bekleyin...");
    const QString step = QStringLiteral("Kondansator Değerleri yazılıyor.Lütfen bekleyin...");
    const QString choose = commands::chooseOptionFirst();
    const QString none;
    const QByteArray nothing;

    QTest::newRow("CT 300") << QStringList{"CT=300"} << "Button9" << onWire("zorvctyaz", {s, "1", "44"})
                            << pending::akimtrafosu << kOldStart << ct << none << false;
    QTest::newRow("CT 2000") << QStringList{"CT=2000"} << "Button9" << onWire("zorvctyaz", {s, "7", "208"})
                             << pending::akimtrafosu << kOldStart << ct << none << false;
    QTest::newRow("CT typed -5") << QStringList{"CT=-5"} << "Button9" << onWire("zorvctyaz", {s, "0", "-5"})
                                 << pending::akimtrafosu << kOldStart << ct << none << false;
    QTest::newRow("CT with blanks") << QStringList{"CT= 12 "} << "Button9" << onWire("zorvctyaz", {s, "0", "12"})
                                    << pending::akimtrafosu << kOldStart << ct << none << false;
    QTest::newRow("CT empty") << QStringList{"CT="} << "Button9" << nothing << pending::akimtrafosu << kOldStart
                              << kOldOutgoing << kOldMessage << true;
    QTest::newRow("CT beyond 32 bits") << QStringList{"CT=99999999999"} << "Button9" << nothing
                                       << pending::akimtrafosu << kOldStart << kOldOutgoing << kOldMessage << true;
    QTest::newRow("tan phi -1") << QStringList{"Tanfi=-1"} << "btntanfi"
                                << onWire("zorvtanfiyaz", {s, "255", "255"}) << pending::tanfi << kOldStart << tanfi
                                << none << false;
    QTest::newRow("tan phi -10") << QStringList{"Tanfi=-10"} << "btntanfi"
                                 << onWire("zorvtanfiyaz", {s, "255", "246"}) << pending::tanfi << kOldStart
                                 << tanfi << none << false;
    QTest::newRow("tan phi 10,5") << QStringList{"Tanfi=10,5"} << "btntanfi" << nothing << pending::tanfi
                                  << kOldStart << kOldOutgoing << kOldMessage << true;
    QTest::newRow("inductive limit, initial 15")
        << QStringList{} << "btnindceza" << onWire("zorvindcezasiniryaz", {s, "0", "15"}) << pending::induktifceza
        << kOldStart << QStringLiteral("İndüktif Ceza Sınır Değeri yazılıyor.Lütfen bekleyin...") << none << false;
    QTest::newRow("capacitive limit, initial 10")
        << QStringList{} << "btnkapceza" << onWire("zorvkapcezasiniryaz", {s, "0", "10"})
        << pending::kapasitifceza << kOldStart
        << QStringLiteral("Kapasitif Ceza Sınır Değeri yazılıyor.Lütfen bekleyin...") << none << false;
    QTest::newRow("inductive limit 7.5") << QStringList{"indcezasinir=7.5"} << "btnindceza" << nothing
                                         << pending::induktifceza << kOldStart << kOldOutgoing << kOldMessage << true;
    QTest::newRow("switching times")
        << QStringList{"maxalmasure=10", "maxcikmasure=60", "minalmacikmasure=2"} << "Button7"
        << onWire("zorvalmacikarmayaz", {s, "0", "10", "0", "60", "0", "2"}) << pending::almacikarma << kOldStart
        << times << none << false;
    QTest::newRow("switching times, middle one not a number")
        << QStringList{"maxcikmasure=abc"} << "Button7" << nothing << pending::almacikarma << kOldStart
        << kOldOutgoing << kOldMessage << true;
    QTest::newRow("learning, both enabled as the page starts")
        << QStringList{} << "Button5" << onWire("zorvkonogryonyaz", {s, "0", "0", "0", "0", "0", "0"})
        << QByteArray() << kOldStart << learning << none << false;
    QTest::newRow("learning disabled")
        << QStringList{"konogrenmeddisi=1"} << "Button5"
        << onWire("zorvkonogryonyaz", {s, "0", "1", "0", "0", "0", "0"}) << QByteArray() << kOldStart << learning
        << none << false;
    QTest::newRow("both disabled")
        << QStringList{"konogrenmeddisi=1", "yonsabitddisi=1"} << "Button5"
        << onWire("zorvkonogryonyaz", {s, "0", "1", "0", "1", "0", "0"}) << QByteArray() << kOldStart << learning
        << none << false;
    QTest::newRow("manual") << QStringList{"manueldevrede=1"} << "zorvotomanuelyaz"
                            << onWire("zorvotomanuelyaz", {s, "1"}) << pending::otomanuel << kOldStart << mode
                            << none << false;
    QTest::newRow("automatic") << QStringList{"otomatikdevrede=1"} << "zorvotomanuelyaz"
                               << onWire("zorvotomanuelyaz", {s, "0"}) << pending::otomanuel << kOldStart << mode
                               << none << false;
    QTest::newRow("mode, no option chosen") << QStringList{} << "zorvotomanuelyaz" << nothing << pending::anideger
                                            << kOldStart << choose << kOldMessage << false;
    QTest::newRow("fast mode on") << QStringList{"radioaktif=1"} << "Button8" << onWire("zorvhizlimod", {s, "1"})
                                  << pending::hizlimod << kOldStart << fast << none << false;
    QTest::newRow("fast mode off") << QStringList{"radiopasif=1"} << "Button8" << onWire("zorvhizlimod", {s, "0"})
                                   << pending::hizlimod << kOldStart << fast << none << false;
    QTest::newRow("fast mode, no option chosen") << QStringList{} << "Button8" << nothing << pending::anideger
                                                 << kOldStart << choose << kOldMessage << false;
    QTest::newRow("read constants") << QStringList{} << "sabitoku" << onWire("zorvsabitiste", {s})
                                    << pending::sabitler << 129
                                    << QStringLiteral("Sabit değerler istendi.Lütfen bekleyin...") << none << false;
    QTest::newRow("read steps") << QStringList{} << "BitBtn2" << onWire("kondasatordurum", {s})
                                << pending::kondasatordurum << 157
                                << QStringLiteral("Kondansatör durumları istendi.Lütfen bekleyin...") << none << false;
    QTest::newRow("step 3 with 300, 0, 5000")
        << QStringList{"C3_R_YAZ=300", "C3_s_YAZ=0", "C3_t_YAZ=5000"} << "c3yaz"
        << onWire("Kondandegeryaz", {s, "1", "44", "0", "0", "19", "136", "0", "3"}) << QByteArray() << kOldStart
        << step << kOldMessage << false;
    QTest::newRow("step 18, initial values")
        << QStringList{} << "c18yaz" << onWire("Kondandegeryaz", {s, "0", "1", "0", "1", "0", "1", "0", "18"})
        << QByteArray() << kOldStart << step << kOldMessage << false;
    QTest::newRow("step check boxes are not read")
        << QStringList{"c1_r_etkin=1", "c1_t_etkin=1"} << "c1yaz"
        << onWire("Kondandegeryaz", {s, "0", "1", "0", "1", "0", "1", "0", "1"}) << QByteArray() << kOldStart
        << step << kOldMessage << false;
    QTest::newRow("step 7, S as a fraction") << QStringList{"C7_s_YAZ=2,5"} << "c7yaz" << nothing
                                             << pending::anideger << kOldStart << kOldOutgoing << kOldMessage << true;
    QTest::newRow("switch step 18") << QStringList{} << "durum18" << onWire("zorvdevreyealcikart", {s, "18"})
                                    << QByteArray() << kOldStart
                                    << QStringLiteral("18 nolu Kondansator devreye alınıyor/çıkartılıyor.Lütfen bekleyin...")
                                    << kOldMessage << false;
    QTest::newRow("switch step 1") << QStringList{} << "durum1" << onWire("zorvdevreyealcikart", {s, "1"})
                                   << QByteArray() << kOldStart
                                   << QStringLiteral("1 nolu Kondansator devreye alınıyor/çıkartılıyor.Lütfen bekleyin...")
                                   << kOldMessage << false;
    QTest::newRow("empty serial box goes out empty")
        << QStringList{"Edit111=", "CT=1"} << "Button9" << onWire("zorvctyaz", {"", "0", "1"})
        << pending::akimtrafosu << kOldStart << ct << none << false;
}

void TstSettingsCommands::click()
{
    QFETCH(QStringList, inputs);
    QFETCH(QString, button);
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, pendingRequest);
    QFETCH(int, startRegister);
    QFETCH(QString, outgoing);
    QFETCH(QString, message);
    QFETCH(bool, error);

    Window w;
    w.apply(inputs);
    w.click(button);
    QCOMPARE(w.sent, request.isEmpty() ? QList<QByteArray>{} : QList<QByteArray>{request});
    QCOMPARE(w.conn.pendingRequest, pendingRequest);
    QCOMPARE(w.store.startRegister, startRegister);
    QCOMPARE(w.outgoing->text(), outgoing);
    QCOMPARE(w.message->text(), message);
    QCOMPARE(w.errors.size(), error ? 1 : 0);
}

void TstSettingsCommands::secondClickSendsAgain()
{
    Window w;
    w.apply({"CT=300"});
    w.click("Button9");
    w.click("Button9");
    QCOMPARE(w.sent.size(), 2);
    QCOMPARE(w.sent.at(0), w.sent.at(1));
    // The conversion error names what was typed.
    w.apply({"CT=1,5"});
    w.click("Button9");
    QCOMPARE(w.sent.size(), 2);
    QCOMPARE(w.errors.size(), 1);
    QVERIFY(w.errors.at(0).contains(QStringLiteral("1,5")));
}

void TstSettingsCommands::lampTogglesLocally()
{
    Window w;
    auto *lamp = w.named.get<QAbstractButton>(QStringLiteral("durum5"));
    const bool before = lamp->isChecked();
    w.click("durum5");
    QCOMPARE(lamp->isChecked(), !before);
    w.click("durum5");
    QCOMPARE(lamp->isChecked(), before);
    QCOMPARE(w.sent.size(), 2);
}

void TstSettingsCommands::echoOfAnUncheckedWriteIsNotReadAsTheEarlierAnswer()
{
    // After a capacitor read the step writer, the step switcher and the
    // learning write leave nothing pending, so no "enerjial" branch takes
    // their echo as a register payload.
    for (const QString &button : {QStringLiteral("c2yaz"), QStringLiteral("durum2"), QStringLiteral("Button5")}) {
        Window w;
        w.click("BitBtn2");
        QCOMPARE(w.conn.pendingRequest, pending::kondasatordurum);
        w.click(button);
        QVERIFY2(w.conn.pendingRequest.isEmpty(), qPrintable(button));
        QCOMPARE(w.store.startRegister, 157);
    }
}

void TstSettingsCommands::withoutWidgetsNothingBreaks()
{
    // A context without the main window's components: boxes read as empty.
    ConnectionState conn;
    ClientContext ctx;
    ctx.conn = &conn;
    QStringList errors;
    QList<QByteArray> sent;
    ctx.showError = [&](const QString &t) { errors.append(t); };
    ctx.send = [&](const QByteArray &r) { sent.append(r); };
    commands::installSettings(ctx);
    commands::installSteps(ctx);
    commands::Button9Click(ctx);
    commands::stepWriter(ctx, 4);
    commands::Button8Click(ctx);
    commands::sabitokuClick(ctx);
    QCOMPARE(errors.size(), 2);
    QCOMPARE(sent, QList<QByteArray>{onWire("zorvsabitiste", {""})});
}

QTEST_MAIN(TstSettingsCommands)
#include "tst_settings_commands.moc"
