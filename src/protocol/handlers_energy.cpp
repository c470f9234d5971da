// Energy figures between two dates, meter readouts, meter values before a
// reset, device energy summaries and the water-meter index.
#include "handlers.h"

#include "client_events.h"
#include "client_state.h"
#include "device_registry.h"
#include "energy_range.h"
#include "request_scheduler.h"
#include "energy_ratios.h"
#include "energy_summary.h"
#include "group_bar.h"
#include "led_display.h"
#include "meter_readout.h"
#include "readout_memo.h"
#include "named_widgets.h"
#include "numbers.h"
#include "silent_abort.h"
#include "wire.h"
#include "working_text.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>
#include <QTime>

#include <array>
#include <optional>

namespace handlers {

namespace {
struct EnergyMessages {
    Q_DECLARE_TR_FUNCTIONS(EnergyMessages)
};
} // namespace

namespace {

QChar separatorOf(const ClientContext &ctx)
{
    return ctx.prog ? ctx.prog->decimalSeparator : QLatin1Char('.');
}

template <class T> T *widget(const ClientContext &ctx, const char *name)
{
    return ctx.mainWidgets ? ctx.mainWidgets->get<T>(QLatin1String(name)) : nullptr;
}

void setLed(const ClientContext &ctx, const char *name, const QString &text)
{
    if (auto *led = widget<LedDisplay>(ctx, name))
        led->setText(text);
}

QString ledText(const ClientContext &ctx, const char *name)
{
    const auto *led = widget<LedDisplay>(ctx, name);
    return led ? led->text() : QString();
}

// The date and time fields hold a date or a time: a field the server made
// endless is shown by its beginning (a line edit would lay out up to 32,767
// characters of it on every change).
void setEdit(const ClientContext &ctx, const char *name, const QString &text)
{
    constexpr qsizetype kShownChars = 256;
    if (auto *edit = widget<QLineEdit>(ctx, name))
        edit->setText(text.left(kShownChars));
}

QString serialBox(const ClientContext &ctx)
{
    const auto *edit = widget<QLineEdit>(ctx, "Edit111");
    return edit ? edit->text() : QString();
}

// The locale's long time format, without the time zone that Qt adds to it.
QString timeOfArrival()
{
    static const QString format = [] {
        QString f = QLocale().timeFormat(QLocale::LongFormat);
        f.remove(QRegularExpression(QStringLiteral("\\s*\\bt+\\b\\s*")));
        return f.trimmed();
    }();
    return QLocale().toString(QTime::currentTime(), format);
}

void showBand(const ClientContext &ctx, const char *name, energy::Band band)
{
    auto *label = widget<QLabel>(ctx, name);
    if (!label)
        return;
    label->setText(energy::bandText(band));
    const QColor colour = QColor::fromRgb(QRgb(energy::bandColour(band)));
    if (label->palette().isBrushSet(QPalette::Active, QPalette::WindowText)
        && label->palette().color(QPalette::WindowText) == colour)
        return; // already so: a new palette would only cost a re-polish
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, colour);
    label->setPalette(pal);
}

// ---------------------------------------------------------------------------
// Energy between two dates.

struct RangeDisplays {
    std::array<const char *, 6> values; // A1, A2, L1, L2, C1, C2
    std::array<const char *, 2> ratios; // inductive, capacitive
    std::array<const char *, 2> bands;
    // The meter page's own date and time fields beside its two rows; the
    // page-1 fields are hidden while a meter is selected.
    const char *pageFirstDate;
    const char *pageLastDate;
    const char *pageTime;
};

const RangeDisplays kAnalyserRange{{"ak1", "ak2", "in1", "in2", "kap1", "kap2"},
                                   {"indoran", "kaporan"},
                                   {"inddurum", "Kapdurum"},
                                   nullptr,
                                   nullptr,
                                   nullptr};
const RangeDisplays kMeterRange{{"RzLEDak1", "RzLEDak2", "RzLEDin1", "RzLEDin2", "RzLEDkap1", "RzLEDkap2"},
                                {"RzLEDsycinoran", "RzLEDsyckaporan"},
                                {"lblsycindurum", "lblsyckapdurum"},
                                "Edit2",
                                "Edit3",
                                "Edit6"};

// The page's displays of one answer.
void showEnergyRange(const ClientContext &ctx, const energy::RangeAnswer &a, const RangeDisplays &d)
{
    const QString serial = wire::decode(a.serial);
    const QString date1 = wire::decode(a.firstDate);
    const QString date2 = wire::decode(a.lastDate);
    ctx.setMessage(EnergyMessages::tr("%1 Cihazının %2 ve %3 tarihleri arası Enerji bilgileri alınıyor. ")
                       .arg(serial, date1, date2));

    const QString now = timeOfArrival();
    setEdit(ctx, "Edit4", now);
    setEdit(ctx, "Edit222", date1);
    setEdit(ctx, "Edit333", date2);
    if (d.pageTime) {
        setEdit(ctx, d.pageTime, now);
        setEdit(ctx, d.pageFirstDate, date1);
        setEdit(ctx, d.pageLastDate, date2);
    }
    const QChar sep = separatorOf(ctx);
    for (int i = 0; i < a.parsedCount; ++i)
        setLed(ctx, d.values[size_t(i)], numbers::formatPattern(a.values[size_t(i)], u"##.00", sep));
    if (!a.complete())
        return;
    setLed(ctx, d.ratios[0], numbers::formatPattern(a.ratios.inductive, u"##.00", sep));
    setLed(ctx, d.ratios[1], numbers::formatPattern(a.ratios.capacitive, u"##.00", sep));
    showBand(ctx, d.bands[0], a.inductiveBand);
    showBand(ctx, d.bands[1], a.capacitiveBand);
}

// Serial, the two dates and the six counters; the last byte after them is
// skipped. The answer is read once into a typed value for every listener;
// an answer to a background request is shown nowhere. A value that does not
// parse stops the displays at that value.
void energyBetweenDates(WorkingText &text, ClientContext &ctx, qsizetype skip, const RangeDisplays &d,
                        energy::RangeAnswer::Source source)
{
    text.skip(skip);
    std::array<QByteArray, 9> f;
    for (QByteArray &field : f)
        field = text.nextField();
    text.skip(1);
    const QChar sep = separatorOf(ctx);
    const energy::RangeAnswer answer = energy::readRangeAnswer(source, f, sep);
    const std::optional<fleet::Expectation> claim =
        ctx.scheduler ? ctx.scheduler->claimEnergyRange(source, answer.serial, answer.firstDate, answer.lastDate)
                      : std::nullopt;
    const bool background = claim.has_value();
    if (ctx.registry)
        ctx.registry->setOnline(answer.serial, true);
    if (!claim || claim->show)
        showEnergyRange(ctx, answer, d);
    if (ctx.events)
        emit ctx.events->energyRange(answer, background);
}

// ---------------------------------------------------------------------------
// Meter readout.

const std::array<const char *, energy::MeterReadout::kCodes> kCodeDisplays = {
    "Rzsycakttop", "Rzsycindtop", "Rzsyckaptop", "RzsycT1", "RzsycT2", "RzsycT3",
};

// The ratios of the meter's own totals, once the capacitive total has
// arrived. The totals are written with a decimal comma first.
void meterTotalRatios(ClientContext &ctx)
{
    if (ledText(ctx, "Rzsyckaptop") == QLatin1String("00000000"))
        return;
    std::array<double, 3> totals{};
    const std::array<const char *, 3> names = {"Rzsycakttop", "Rzsycindtop", "Rzsyckaptop"};
    for (size_t i = 0; i < 3; ++i) {
        QString caption = ledText(ctx, names[i]);
        const qsizetype dot = caption.indexOf(u'.');
        if (dot >= 0)
            caption[dot] = u',';
        setLed(ctx, names[i], caption);
    }
    for (size_t i = 0; i < 3; ++i) {
        const std::optional<double> v = numbers::parseDecimal(ledText(ctx, names[i]), QLatin1Char(','));
        if (!v)
            return;
        totals[i] = *v;
    }
    if (totals[0] == 0)
        return;
    const QChar sep = separatorOf(ctx);
    setLed(ctx, "RzLEDinddurum", numbers::formatPattern(totals[1] / totals[0] * 100.0, u"0.00", sep));
    setLed(ctx, "RzLEDkapdurum", numbers::formatPattern(totals[2] / totals[0] * 100.0, u"0.00", sep));
}

bool sameGroupName(const QString &caption, const QByteArray &group)
{
    QByteArray upper = group;
    for (char &c : upper)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return caption == wire::decode(upper);
}

} // namespace

void reaktifenerji(WorkingText &text, ClientContext &ctx)
{
    energyBetweenDates(text, ctx, 14, kAnalyserRange, energy::RangeAnswer::Source::Device);
}

void tedassycal(WorkingText &text, ClientContext &ctx)
{
    energyBetweenDates(text, ctx, 11, kMeterRange, energy::RangeAnswer::Source::Meter);
}

void sayacal(WorkingText &text, ClientContext &ctx)
{
    const QString serial = serialBox(ctx);
    ctx.setMessage(EnergyMessages::tr("%1 Seri Nolu sayaç değerleri alınıyor. ").arg(serial));
    text.skip(10);
    // The next piece's keyword and its 3 bytes are taken out, so that two
    // pieces in one read join in the memo. Every later piece of the same
    // read is taken out too: the rest goes into the memo once, and no piece
    // is shown twice.
    text.removeAll("sayacal", 3);
    for (const char *name : {"Label2", "lblSayacBaslik"})
        if (auto *header = widget<QLabel>(ctx, name))
            header->setText(EnergyMessages::tr("%1 Nolu Sayaç Değerleri").arg(serial));

    auto *memo = widget<QPlainTextEdit>(ctx, "Memo3");
    if (!memo)
        return;
    ReadoutMemo *index = ReadoutMemo::of(memo);
    // The rest stays in the working text: the walk goes on over it.
    index->append(text.view());
    for (int i = 0; i < energy::MeterReadout::kCodes; ++i)
        if (const std::optional<QString> v = index->readout().value(i))
            setLed(ctx, kCodeDisplays[size_t(i)], *v);
    meterTotalRatios(ctx);
    if (ctx.events)
        emit ctx.events->meterReadout(wire::encode(serial), index->readout());
}

void sycdegerleri(WorkingText &text, ClientContext &ctx)
{
    text.skip(13);
    for (const char *name : {"SayacAktif", "Sayacind", "SayacKap"})
        setLed(ctx, name, wire::decode(text.nextField()));
}

void cihazenerji(WorkingText &text, ClientContext &ctx)
{
    text.skip(12);
    const QByteArray serialBytes = text.nextField();
    const QByteArray group = text.nextField();
    const QByteArray data = text.peekField();
    const QString serial = wire::decode(serialBytes);
    ctx.setMessage(EnergyMessages::tr("%1 Enerji bilgileri alınıyor. ").arg(serial));
    if (ctx.store) {
        // A field that does not convert ends the read here (SilentAbort).
        const energy::SummaryResult result = energy::decodeEnergySummary(data, *ctx.store, separatorOf(ctx));
        if (result == energy::SummaryResult::RowOutside)
            ctx.note(EnergyMessages::tr("cihazenerji: %1 cihazının enerji özeti 1 ile 250 arasında olmayan bir satırı "
                                        "gösteriyor; saklanmadı.")
                         .arg(serial));
    }
    text.nextField();
    text.skip(1);
    if (!ctx.deviceBar)
        return;
    for (GroupBarGroup *g : ctx.deviceBar->groups()) {
        if (!sameGroupName(g->caption(), group))
            continue;
        for (GroupBarItem *item : g->items())
            if (item->caption().contains(serial))
                item->setFontColor(QColor(0x00, 0x00, 0xFF));
    }
}

void waterMeterIndex(WorkingText &text, ClientContext &ctx)
{
    const int serial = ctx.prog ? ctx.prog->activeSerial : 0;
    ctx.setMessage(EnergyMessages::tr("%1 Seri Nolu Cihazın sayac endeksi gönderiliyor. ").arg(serial));
    // The dispatcher has skipped "enerjial", its 3 bytes and "suendeks".
    const std::optional<qint32> litres = numbers::parseInt(text.view());
    if (!litres)
        throw SilentAbort(); // the rest of the read is dropped; the display keeps its value
    setLed(ctx, "displaysuendeks", numbers::formatGeneral(*litres / 1000.0, separatorOf(ctx)));
    text.clear();
}

} // namespace handlers

