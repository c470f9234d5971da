// The overcurrent relay's commands and the industrial modem's relays and water-meter index.
#include "commands.h"

#include "client_state.h"
#include "command_kit.h"
#include "lamp_button.h"
#include "led_display.h"
#include "named_widgets.h"
#include "numbers.h"
#include "pending.h"
#include "spin_edit.h"
#include "wire.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QPointer>
#include <QLabel>

#include <functional>

namespace commands {

namespace {

struct RelayCommands {
    Q_DECLARE_TR_FUNCTIONS(RelayCommands)
};

const QByteArray kModemCommand = QByteArrayLiteral("modemkomut");

// The relay mask of the overcurrent relay: one bit per lamp that is on.
struct RelayLamp {
    const char *lamp;
    char bit;
};
const RelayLamp kRelayLamps[] = {{"role1", 0x10}, {"role2", 0x20}, {"role3", 0x40}};

// The output commands of the industrial modem: button 13 + 2n pulls output n,
// 14 + 2n releases it.
struct OutputCommand {
    const char *button;
    int output;   // 1..3
    bool pull;
    const char *outgoing;
};
const OutputCommand kOutputs[] = {
    {"VrShadowButton15", 1, true, QT_TRANSLATE_NOOP("RelayCommands", "Röle 1 çekiliyor.Lütfen bekleyin...")},
    {"VrShadowButton16", 1, false, QT_TRANSLATE_NOOP("RelayCommands", "Röle 1 bırakılıyor.Lütfen bekleyin...")},
    {"VrShadowButton17", 2, true, QT_TRANSLATE_NOOP("RelayCommands", "Röle 2 çekiliyor.Lütfen bekleyin...")},
    {"VrShadowButton18", 2, false, QT_TRANSLATE_NOOP("RelayCommands", "Röle 2 bırakılıyor.Lütfen bekleyin...")},
    {"VrShadowButton19", 3, true, QT_TRANSLATE_NOOP("RelayCommands", "Röle 3 çekiliyor.Lütfen bekleyin...")},
    {"VrShadowButton20", 3, false, QT_TRANSLATE_NOOP("RelayCommands", "Röle 3 bırakılıyor.Lütfen bekleyin...")},
};

// "output", the output counted from 0, then 1 to pull or 0 to release.
QByteArray outputSubCommand(int output, bool pull)
{
    return QByteArrayLiteral("output") + QByteArray::number(output - 1) + (pull ? "1" : "0");
}

void setLabel(const ClientContext &ctx, const QString &name, const QString &text, const QColor &colour)
{
    auto *label = ctx.mainWidgets->get<QLabel>(name);
    if (!label)
        return;
    label->setText(text);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, colour);
    label->setPalette(pal);
}

// The overcurrent relay's serial as the Sno display shows it (after a device
// selection with its leading blank).
QByteArray relaySerial(const ClientContext &ctx)
{
    const auto *sno = ctx.mainWidgets->get<LedDisplay>(QStringLiteral("Sno"));
    return sno ? wire::encode(sno->text()) : QByteArray();
}

char relayMask(const ClientContext &ctx)
{
    char mask = 0;
    for (const RelayLamp &r : kRelayLamps) {
        const auto *lamp = ctx.mainWidgets->get<LampButton>(QString::fromLatin1(r.lamp));
        if (lamp && lamp->isLit())
            mask = char(mask | r.bit);
    }
    return mask;
}

void onClick(const ClientContext &ctx, const QString &button, std::function<void()> action)
{
    if (auto *b = ctx.mainWidgets->get<QAbstractButton>(button))
        QObject::connect(b, &QAbstractButton::clicked, b, std::move(action));
}

void setPending(const ClientContext &ctx, const QByteArray &keyword)
{
    if (ctx.conn)
        ctx.conn->pendingRequest = keyword;
}

// VrShadowButton22Click: the index in litres, from the spin box in cubic
// metres. The text is converted before anything changes, so a failed
// conversion leaves the pending answer as it was.
void writeIndex(const ClientContext &ctx)
{
    const auto *spin = ctx.mainWidgets->get<SpinEdit>(QStringLiteral("edtendeksyaz"));
    const std::optional<double> cubicMetres = toDecimal(ctx, spin ? spin->text() : QString());
    if (!cubicMetres)
        return;
    setPending(ctx, pending::endeksyaz);
    const QChar separator = ctx.prog ? ctx.prog->decimalSeparator : QLatin1Char('.');
    const QByteArray litres = wire::encode(numbers::formatGeneral(*cubicMetres * 1000.0, separator));
    ctx.sendRequest(requestForSerial(ctx, kModemCommand, {QByteArrayLiteral("ellesuendeksyaz") + litres + '#'}));
    ctx.setOutgoing(RelayCommands::tr("Kontor Yükleniyor. .Lütfen bekleyin..."));
    // The modem takes a moment to write the index: the page's buttons wait
    // three seconds, the window goes on painting and reading meanwhile.
    QList<QPointer<QAbstractButton>> held;
    if (auto *page = ctx.mainWidgets->get<QWidget>(QStringLiteral("suiTabSheet10")))
        for (QAbstractButton *b : page->findChildren<QAbstractButton *>())
            if (b->isEnabled()) {
                b->setEnabled(false);
                held.append(b);
            }
    ctx.later(3000, [held] {
        for (const QPointer<QAbstractButton> &b : held)
            if (b)
                b->setEnabled(true);
    });
}

} // namespace

void installRelays(ClientContext &ctx)
{
    if (!ctx.mainWidgets)
        return;
    const ClientContext *c = &ctx;

    // Page 2: the overcurrent relay, addressed by the serial in Sno.
    onClick(ctx, QStringLiteral("VrShadowButton1"), [c] {
        c->sendRequest(wire::buildRequest("roleaktif", {relaySerial(*c), QByteArray(1, relayMask(*c))}));
        c->setOutgoing(RelayCommands::tr(" Röle çekme isteği gönderildi"));
        c->setMessage(QString());
    });
    onClick(ctx, QStringLiteral("VrShadowButton2"),
            [c] { c->sendRequest(wire::buildRequest("AARdegerlerioku", {relaySerial(*c)})); });
    onClick(ctx, QStringLiteral("VrShadowButton3"), [c] { c->sendRequest(wire::buildRequest("sabitleriyaz")); });

    // Page 9: the industrial modem, addressed by the serial in Edit111.
    onClick(ctx, QStringLiteral("VrShadowButton21"), [c] {
        setPending(*c, pending::outputdrm);
        c->sendRequest(requestForSerial(*c, kModemCommand, {QByteArrayLiteral("rolesorgula")}));
        c->setOutgoing(RelayCommands::tr("Röle durumları sorgulanıyor.Lütfen bekleyin..."));
    });
    for (const OutputCommand &o : kOutputs) {
        onClick(ctx, QString::fromLatin1(o.button), [c, &o] {
            setPending(*c, pending::tekliroledrm);
            c->sendRequest(requestForSerial(*c, kModemCommand, {outputSubCommand(o.output, o.pull)}));
            c->setOutgoing(RelayCommands::tr(o.outgoing));
            // Until the answer tells the new state.
            setLabel(*c, QStringLiteral("lblrole%1drm").arg(o.output), QStringLiteral("0"), QColor(0xFF, 0x00, 0x00));
        });
    }
    onClick(ctx, QStringLiteral("btnsuendeks"), [c] {
        setPending(*c, pending::susayaci);
        c->sendRequest(requestForSerial(*c, kModemCommand, {QByteArrayLiteral("suendeksver")}));
        c->setOutgoing(RelayCommands::tr("Sayacın endeks değeri isteniyor.Lütfen bekleyin..."));
    });
    onClick(ctx, QStringLiteral("VrShadowButton22"), [c] { writeIndex(*c); });
}

} // namespace commands
