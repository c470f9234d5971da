// Page 8 "Ayarlar": reading and writing the compensation relay's settings.
// Each handler: pendingRequest, then the values, then the serial from
// Edit111, the request, and the status texts.
#include "settings_commands.h"

#include "client_state.h"
#include "command_kit.h"
#include "commands.h"
#include "named_widgets.h"
#include "pending.h"
#include "register_store.h"
#include "settings_requests.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCoreApplication>

namespace commands {

namespace {
struct SettingsCommands {
    Q_DECLARE_TR_FUNCTIONS(SettingsCommands)
};
} // namespace

namespace settings_kit {

QString spinText(const ClientContext &ctx, const QString &name)
{
    const auto *spin = ctx.mainWidgets ? ctx.mainWidgets->get<QAbstractSpinBox>(name) : nullptr;
    return spin ? spin->text() : QString();
}

std::optional<qint32> spinWhole(const ClientContext &ctx, const QString &name)
{
    return toInteger(ctx, spinText(ctx, name));
}

bool isChecked(const ClientContext &ctx, const QString &name)
{
    const auto *button = ctx.mainWidgets ? ctx.mainWidgets->get<QAbstractButton>(name) : nullptr;
    return button && button->isChecked();
}

void setPending(ClientContext &ctx, const QByteArray &value)
{
    if (ctx.conn)
        ctx.conn->pendingRequest = value;
}

void expectNoAnswer(ClientContext &ctx)
{
    setPending(ctx, QByteArray());
}

void sendWithStatus(ClientContext &ctx, const QByteArray &request, const QString &status, bool clearMessage)
{
    ctx.sendRequest(request);
    ctx.setOutgoing(status);
    if (clearMessage)
        ctx.setMessage(QString());
}

} // namespace settings_kit

using namespace settings_kit;

namespace {

using OneWord = QByteArray (*)(const QByteArray &serial, qint32 value);

// The four settings written as one word from one spin box.
void writeOneWord(ClientContext &ctx, const QByteArray &pendingValue, const char *spin, OneWord build,
                  const QString &status)
{
    setPending(ctx, pendingValue);
    const std::optional<qint32> v = spinWhole(ctx, QString::fromLatin1(spin));
    if (!v)
        return;
    sendWithStatus(ctx, build(serialField(ctx), *v), status, true);
}

// Which option of a radio pair is checked: the first, the second, or neither.
std::optional<bool> firstOfPair(const ClientContext &ctx, const char *first, const char *second)
{
    if (isChecked(ctx, QString::fromLatin1(first)))
        return true;
    if (isChecked(ctx, QString::fromLatin1(second)))
        return false;
    return std::nullopt;
}

} // namespace

QString chooseOptionFirst()
{
    return SettingsCommands::tr("Lütfen önce bir seçenek işaretleyin.");
}

void Button9Click(ClientContext &ctx)
{
    writeOneWord(ctx, pending::akimtrafosu, "CT", requests::currentTransformer,
                 SettingsCommands::tr("Akım Trafosu oranları yazılıyor.Lütfen bekleyin..."));
}

void btntanfiClick(ClientContext &ctx)
{
    writeOneWord(ctx, pending::tanfi, "Tanfi", requests::tanPhi,
                 SettingsCommands::tr("TanFi Değeri yazılıyor.Lütfen bekleyin..."));
}

void btnindcezaClick(ClientContext &ctx)
{
    writeOneWord(ctx, pending::induktifceza, "indcezasinir", requests::inductiveLimit,
                 SettingsCommands::tr("İndüktif Ceza Sınır Değeri yazılıyor.Lütfen bekleyin..."));
}

void btnkapcezaClick(ClientContext &ctx)
{
    writeOneWord(ctx, pending::kapasitifceza, "kapcezasinir", requests::capacitiveLimit,
                 SettingsCommands::tr("Kapasitif Ceza Sınır Değeri yazılıyor.Lütfen bekleyin..."));
}

void Button7Click(ClientContext &ctx)
{
    setPending(ctx, pending::almacikarma);
    // The first box that does not convert stops the handler.
    const std::optional<qint32> maxIn = spinWhole(ctx, QStringLiteral("maxalmasure"));
    if (!maxIn)
        return;
    const std::optional<qint32> maxOut = spinWhole(ctx, QStringLiteral("maxcikmasure"));
    if (!maxOut)
        return;
    const std::optional<qint32> minInOut = spinWhole(ctx, QStringLiteral("minalmacikmasure"));
    if (!minInOut)
        return;
    sendWithStatus(ctx, requests::switchingTimes(serialField(ctx), *maxIn, *maxOut, *minInOut),
                   SettingsCommands::tr("Alma Çıkarma Süreleri yazılıyor.Lütfen bekleyin..."), true);
}

void Button5Click(ClientContext &ctx)
{
    const bool learning = isChecked(ctx, QStringLiteral("konogrenmedevrede"));
    const bool direction = isChecked(ctx, QStringLiteral("yonsabitdevrede"));
    const QByteArray request = requests::learningAndDirection(serialField(ctx), learning, direction);
    expectNoAnswer(ctx);
    sendWithStatus(ctx, request, SettingsCommands::tr("Kondansatör Öğrenme Değerleri yazılıyor.Lütfen bekleyin..."),
                   true);
}

void zorvotomanuelyazClick(ClientContext &ctx)
{
    // Neither option checked (the page starts so): no value to send.
    const std::optional<bool> manual = firstOfPair(ctx, "manueldevrede", "otomatikdevrede");
    if (!manual) {
        ctx.setOutgoing(chooseOptionFirst());
        return;
    }
    setPending(ctx, pending::otomanuel);
    sendWithStatus(ctx, requests::switchingMode(serialField(ctx), *manual),
                   SettingsCommands::tr("Kademe devreye alma modu yazılıyor.Lütfen bekleyin..."), true);
}

void Button8Click(ClientContext &ctx)
{
    const std::optional<bool> enabled = firstOfPair(ctx, "radioaktif", "radiopasif");
    if (!enabled) {
        ctx.setOutgoing(chooseOptionFirst());
        return;
    }
    setPending(ctx, pending::hizlimod);
    sendWithStatus(ctx, requests::fastMode(serialField(ctx), *enabled),
                   SettingsCommands::tr("Hızlı mod ayarı yazılıyor.Lütfen bekleyin..."), true);
}

void sabitokuClick(ClientContext &ctx)
{
    setPending(ctx, pending::sabitler);
    if (ctx.store)
        ctx.store->startRegister = 129;
    sendWithStatus(ctx, requests::readConstants(serialField(ctx)),
                   SettingsCommands::tr("Sabit değerler istendi.Lütfen bekleyin..."), true);
}

void installSettings(ClientContext &ctx)
{
    if (!ctx.mainWidgets)
        return;
    struct Binding {
        const char *button;
        void (*handle)(ClientContext &);
    };
    static const Binding kBindings[] = {
        {"Button9", Button9Click},     {"btntanfi", btntanfiClick},
        {"btnindceza", btnindcezaClick}, {"btnkapceza", btnkapcezaClick},
        {"Button7", Button7Click},     {"Button5", Button5Click},
        {"zorvotomanuelyaz", zorvotomanuelyazClick}, {"Button8", Button8Click},
        {"sabitoku", sabitokuClick},
    };
    ClientContext *c = &ctx;
    for (const Binding &b : kBindings) {
        auto *button = ctx.mainWidgets->get<QAbstractButton>(QString::fromLatin1(b.button));
        if (!button)
            continue;
        const auto handle = b.handle;
        QObject::connect(button, &QAbstractButton::clicked, button, [c, handle] { handle(*c); });
    }
}

} // namespace commands
