// Answers that carry what a device measured or holds: the overcurrent
// relay's currents, the register payloads and the industrial modem's relay
// states.
#include "handlers.h"

#include "client_events.h"
#include "client_state.h"
#include "led_display.h"
#include "named_widgets.h"
#include "payload_decoder.h"
#include "pending.h"
#include "register_store.h"
#include "wire.h"
#include "working_text.h"

#include <QCoreApplication>
#include <QLabel>

namespace handlers {

namespace {

struct DeviceData {
    Q_DECLARE_TR_FUNCTIONS(DeviceData)
};

QString activeSerialText(const ClientContext &ctx)
{
    return QString::number(ctx.prog ? ctx.prog->activeSerial : 0);
}

template <class W> W *widget(const ClientContext &ctx, const QString &name)
{
    return ctx.mainWidgets ? ctx.mainWidgets->get<W>(name) : nullptr;
}

void setHeader(const ClientContext &ctx, const QString &text)
{
    if (auto *label = widget<QLabel>(ctx, QStringLiteral("Label2")))
        label->setText(text);
}

// What the message line and the header of page 0 say for each register
// answer; %1 is the serial.
struct RegisterAnswer {
    const QByteArray &pendingRequest;
    const char *notice;
    const char *header;
};

const RegisterAnswer kRegisterAnswers[] = {
    {pending::anideger,
     QT_TRANSLATE_NOOP("DeviceData", "%1 Seri Nolu Cihazın ölçüm değerleri alınıyor. "),
     QT_TRANSLATE_NOOP("DeviceData", "%1 Nolu Cihaz Verileri")},
    {pending::tuketim,
     QT_TRANSLATE_NOOP("DeviceData", "%1 Seri Nolu Cihazın tüketim değerleri alınıyor. "),
     QT_TRANSLATE_NOOP("DeviceData", "%1 Nolu Cihaz Tüketim Verileri")},
    {pending::harmonikzorv,
     QT_TRANSLATE_NOOP("DeviceData", "%1 Seri Nolu Cihazın harmonikzorv değerleri alınıyor. "),
     QT_TRANSLATE_NOOP("DeviceData", "%1 Nolu Cihaz harmonikzorv Verileri")},
    // The constants answer carries the consumption header.
    {pending::sabitler,
     QT_TRANSLATE_NOOP("DeviceData", "%1 Seri Nolu Cihazın sabit değerleri alınıyor. "),
     QT_TRANSLATE_NOOP("DeviceData", "%1 Nolu Cihaz Tüketim Verileri")},
    {pending::kondasatordurum,
     QT_TRANSLATE_NOOP("DeviceData", "%1 Seri Nolu Cihazın kondansatör durum ve güç değerleri alınıyor. "),
     QT_TRANSLATE_NOOP("DeviceData", "%1 nolu cihaz kondansatör bilgileri")},
};

// A relay label of the industrial modem: "Pasif" in red or "Aktif" in green.
void showRelay(const ClientContext &ctx, int relay, bool active)
{
    auto *label = widget<QLabel>(ctx, QStringLiteral("lblrole%1drm").arg(relay));
    if (!label)
        return;
    label->setText(active ? DeviceData::tr("Aktif") : DeviceData::tr("Pasif"));
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, active ? QColor(0x00, 0xFF, 0x00) : QColor(0xFF, 0x00, 0x00));
    label->setPalette(p);
}

} // namespace

void akimdegerleri(WorkingText &text, ClientContext &ctx)
{
    text.skip(14);
    static const char *const kDisplays[] = {"akim1", "akim2", "akim3", "akimt", "Sno", "Trh", "Saat"};
    for (const char *name : kDisplays) {
        const QByteArray field = text.nextField();
        if (auto *led = widget<LedDisplay>(ctx, QLatin1String(name)))
            led->setText(wire::decode(field));
    }
}

void registerPayload(WorkingText &text, ClientContext &ctx)
{
    const QByteArray request =
        !ctx.answerFor.isEmpty() ? ctx.answerFor : ctx.conn ? ctx.conn->pendingRequest : QByteArray();
    const RegisterAnswer *answer = nullptr;
    for (const RegisterAnswer &a : kRegisterAnswers)
        if (a.pendingRequest == request)
            answer = &a;
    if (!answer || !ctx.store) {
        text.clear();
        return;
    }
    ctx.store->targetRow = 1;
    const int serialNumber = ctx.prog ? ctx.prog->activeSerial : 0;
    const QString serial = activeSerialText(ctx);
    const bool background = ctx.backgroundAnswer;
    if (!background)
        ctx.setMessage(DeviceData::tr(answer->notice).arg(serial));
    // The payload runs to the end of the read. A field the decoder cannot
    // read ends the handling of the whole read: the header stays as it was.
    // (A background answer is stored from its own first register; the
    // dispatcher keeps the user's.)
    const int first = ctx.store->startRegister;
    payload::decode(text.view(), *ctx.store);
    text.clear();
    if (ctx.events)
        emit ctx.events->registersStored(serialNumber, request, first, ctx.store->startRegister - first, background);
    if (!background)
        setHeader(ctx, DeviceData::tr(answer->header).arg(serial));
}

void relayStates(WorkingText &text, ClientContext &ctx)
{
    if (ctx.store)
        ctx.store->targetRow = 1;
    const QString serial = activeSerialText(ctx);
    ctx.setMessage(DeviceData::tr("%1 Seri Nolu Cihazın röle durumları alınıyor. ").arg(serial));
    QByteArray states[3];
    for (QByteArray &s : states)
        s = text.nextField('#');
    text.clear();
    setHeader(ctx, DeviceData::tr("%1 Nolu Cihaz röle durumları").arg(serial));
    // "Röle" as code page 1254 bytes, then the relay number and its state.
    for (int relay = 1; relay <= 3; ++relay) {
        const QByteArray name = QByteArray("R\xF6le") + QByteArray::number(relay);
        if (states[relay - 1] == name + '0')
            showRelay(ctx, relay, false);
        else if (states[relay - 1] == name + '1')
            showRelay(ctx, relay, true);
    }
}

void singleRelayState(WorkingText &text, ClientContext &ctx)
{
    if (ctx.store)
        ctx.store->targetRow = 1;
    const QByteArray relay = text.takeByte();
    text.skip(1);
    const QByteArray state = text.takeByte();
    text.clear();
    if (relay.size() != 1 || state.size() != 1)
        return;
    const int index = relay.at(0) - '0';
    if (index < 0 || index > 2 || (state.at(0) != '0' && state.at(0) != '1'))
        return;
    showRelay(ctx, index + 1, state.at(0) == '1');
}

} // namespace handlers
