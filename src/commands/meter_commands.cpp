// Meter readings, energy between two dates and the consumption request.
#include "meter_commands.h"
#include "commands.h"

#include "client_state.h"
#include "command_kit.h"
#include "energy_request.h"
#include "led_display.h"
#include "meter_page.h"
#include "named_widgets.h"
#include "pending.h"
#include "register_store.h"
#include "wire.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QLocale>

namespace commands {

namespace {

struct MeterCommands {
    Q_DECLARE_TR_FUNCTIONS(MeterCommands)
};

const char *const kMeterRequestSent =
    QT_TRANSLATE_NOOP("MeterCommands", "Sayaç okuma isteği gönderildi.Lütfen bekleyin...");

// The date part of a picker in the short date format of the regional
// settings; no time of day.
QByteArray dateField(const ClientContext &ctx, const char *picker)
{
    const auto *edit = ctx.mainWidgets->get<QDateEdit>(QLatin1String(picker));
    if (!edit)
        return {};
    return energy::wireDate(edit->date());
}

bool serialBoxEmpty(const ClientContext &ctx)
{
    return serialField(ctx).isEmpty();
}

void expect(ClientContext &ctx, const QByteArray &pendingRequest, int startRegister)
{
    if (ctx.conn)
        ctx.conn->pendingRequest = pendingRequest;
    if (ctx.store)
        ctx.store->startRegister = startRegister;
}

void readMeter(ClientContext &ctx, const QByteArray &kind, const QByteArray &record, int lastResetStep)
{
    expect(ctx, pending::sayac, 0);
    ctx.sendRequest(requestForSerial(ctx, "sayac", {kind, record}));
    ctx.setOutgoing(MeterCommands::tr(kMeterRequestSent));
    ctx.setMessage(QString());
    resetMeterPage(ctx, 1, lastResetStep);
}

void onClick(ClientContext &ctx, const char *button, void (*handler)(ClientContext &))
{
    auto *b = ctx.mainWidgets->get<QAbstractButton>(QLatin1String(button));
    if (!b)
        return;
    ClientContext *c = &ctx;
    QObject::connect(b, &QAbstractButton::clicked, b, [c, handler] { handler(*c); });
}

} // namespace

QString utilityReadingQuestion()
{
    return MeterCommands::tr("DİKKAT\n\rTedaş Okuma Kaydı ?\n\rYes tıklanırsa Kayıt işlemi gerçekleşir\n\r"
                             "No tıklanırsa Sadece Okuma yapılır ve oranlar tespit edilir");
}

// "Sayaç Oku": an ordinary reading; the ratio percentages of the previous
// reading stay on screen.
void VrShadowButton11Click(ClientContext &ctx)
{
    readMeter(ctx, "tdshyr", "kythyr", 5);
}

// "Tedaş Okuma": a utility reading, recorded only when the user answers Yes.
void VrShadowButton13Click(ClientContext &ctx)
{
    const bool record = ctx.confirm && ctx.confirm(utilityReadingQuestion());
    readMeter(ctx, "tdsEvt", record ? "kytevt" : "kythyr", 6);
}

// "Tarih Arası Oranları Hesapla" on the meter page.
void VrShadowButton12Click(ClientContext &ctx)
{
    if (!serialBoxEmpty(ctx))
        ctx.sendRequest(requestForSerial(ctx, energy::rangeKeyword(energy::RangeAnswer::Source::Meter),
                                         {dateField(ctx, "dtsycilktarih"), dateField(ctx, "dtsycsontarih")}));
    resetMeterPage(ctx, 4, 6);
}

// "İki Tarih Arası Oranları Hesapla" on the consumption page.
void BitBtn1Click(ClientContext &ctx)
{
    if (!serialBoxEmpty(ctx))
        ctx.sendRequest(requestForSerial(ctx, energy::rangeKeyword(energy::RangeAnswer::Source::Device),
                                         {dateField(ctx, "DateTimePicker1"), dateField(ctx, "DateTimePicker2")}));
}

// "Enerji Değerlerini İste": the consumption registers from 90 on.
void VrShadowButton8Click(ClientContext &ctx)
{
    expect(ctx, pending::tuketim, 90);
    ctx.sendRequest(requestForSerial(ctx, "enerharcanan"));
    ctx.setOutgoing(MeterCommands::tr("Tüketim verileri istendi.Lütfen bekleyin..."));
    ctx.setMessage(QString());
    for (const char *name : {"SayacAktif", "Sayacind", "SayacKap"})
        if (auto *led = ctx.mainWidgets->get<LedDisplay>(QLatin1String(name)))
            led->setText(QStringLiteral("0"));
}

void installMeter(ClientContext &ctx)
{
    if (!ctx.mainWidgets)
        return;
    onClick(ctx, "VrShadowButton11", VrShadowButton11Click);
    onClick(ctx, "VrShadowButton13", VrShadowButton13Click);
    onClick(ctx, "VrShadowButton12", VrShadowButton12Click);
    onClick(ctx, "VrShadowButton9", BitBtn1Click);
    onClick(ctx, "VrShadowButton8", VrShadowButton8Click);
}

} // namespace commands
