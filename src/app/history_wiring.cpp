#include "history_wiring.h"

#include "client_context.h"
#include "client_events.h"
#include "client_settings.h"
#include "client_state.h"
#include "device_kind.h"
#include "energy_range.h"
#include "frm_ana.h"
#include "history_location.h"
#include "register_map.h"
#include "register_store.h"
#include "wire.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSettings>
#include <QTimeZone>

#include <array>

namespace {

// A date of an energy answer: as the user's short date format wrote it
// (the request carries the picker's date), or as the server names a billing
// period (day.month.year).
std::optional<QDate> answerDate(const QByteArray &field)
{
    const QString text = wire::decode(field).trimmed();
    if (text.isEmpty())
        return std::nullopt;
    for (const char *format : {"d.M.yyyy", "yyyy-M-d", "d/M/yyyy"}) {
        const QDate d = QDate::fromString(text, QLatin1String(format));
        if (d.isValid())
            return d;
    }
    QDate d = QLocale().toDate(text, QLocale::ShortFormat);
    if (!d.isValid())
        return std::nullopt;
    if (d.year() < 1970) // a two-digit year
        d = d.addYears(100);
    return d;
}

qint64 localMidnight(const QDate &d)
{
    return d.startOfDay().toMSecsSinceEpoch();
}

// A readout value is whole once the "*" before its unit or the ")" after it
// has come.
bool wholeValue(const QString &text, const QString &code, const QString &value)
{
    const qsizetype at = text.indexOf(code);
    if (at < 0)
        return false;
    const qsizetype end = at + code.size() + value.size();
    if (end >= text.size())
        return false;
    const QChar c = text.at(end);
    return c == u'*' || c == u')' || c == u'\r' || c == u'\n';
}

} // namespace

ClientRecording::ClientRecording(std::unique_ptr<history::Recorder> recorder, const ClientContext &context,
                                 QObject *parent)
    : QObject(parent), m_ctx(context), m_recorder(std::move(recorder))
{
    setObjectName(QStringLiteral("ClientRecording"));
    if (!context.events)
        return;
    connect(context.events, &fleet::ClientEvents::registersStored, this, &ClientRecording::registers);
    connect(context.events, &fleet::ClientEvents::energyRange, this, &ClientRecording::energyRange);
    connect(context.events, &fleet::ClientEvents::meterReadout, this, &ClientRecording::meterReadout);
}

ClientRecording::~ClientRecording() = default;

void ClientRecording::registers(int serial, const QByteArray &, int first, int count, bool)
{
    if (!m_ctx.store || count <= 0)
        return;
    const int kind = m_ctx.prog ? m_ctx.prog->deviceKind : 0;
    // The register map is the view of analysers and compensation relays;
    // the overcurrent relay's and the meter modem's pages show no register.
    const auto k = fleet::DeviceKind(kind);
    if (k == fleet::DeviceKind::OvercurrentRelay || k == fleet::DeviceKind::MeterModem)
        return;
    std::array<double, display::kLastRegister + 1> row;
    for (int n = 0; n <= display::kLastRegister; ++n)
        row[size_t(n)] = m_ctx.store->read(1, n);
    m_recorder->recordRegisters(QString::number(serial), kind, row, {first, first + count - 1});
}

history::EnergyPeriod ClientRecording::periodOf(const energy::RangeAnswer &a, qint64 arrived)
{
    history::EnergyPeriod p;
    const std::optional<QDate> first = answerDate(a.firstDate);
    const std::optional<QDate> last = answerDate(a.lastDate);
    p.from = first ? localMidnight(*first) : 0;
    p.to = last ? qMin(localMidnight(last->addDays(1)), arrived) : arrived;
    if (p.from > arrived)
        p.from = 0;
    p.a1 = a.values[0];
    p.a2 = a.values[1];
    p.l1 = a.values[2];
    p.l2 = a.values[3];
    p.c1 = a.values[4];
    p.c2 = a.values[5];
    return p;
}

void ClientRecording::energyRange(const energy::RangeAnswer &answer, bool)
{
    // An answer with a value that did not read is shown only in part; its
    // ratios are unknown and nothing of it is kept.
    if (!answer.complete() || answer.serial.isEmpty())
        return;
    m_recorder->recordEnergy(wire::decode(answer.serial), periodOf(answer, m_recorder->now()));
}

void ClientRecording::meterReadout(const QByteArray &serial, const energy::MeterReadout &readout)
{
    // The readout grows piece by piece: each code is kept once, when its
    // value has come whole. A shorter text is a new reading.
    Readout &seen = m_readouts[serial];
    if (readout.size() < seen.size)
        seen.recorded = 0;
    seen.size = readout.size();
    std::array<std::optional<double>, energy::MeterReadout::kCodes> values;
    bool any = false;
    for (int i = 0; i < energy::MeterReadout::kCodes; ++i) {
        const quint8 bit = quint8(1u << i);
        if (seen.recorded & bit)
            continue;
        const std::optional<QString> v = readout.value(i);
        if (!v || !wholeValue(readout.text(), energy::MeterReadout::codes()[size_t(i)], *v))
            continue;
        seen.recorded |= bit;
        values[size_t(i)] = history::readoutNumber(*v);
        any = any || values[size_t(i)].has_value();
    }
    if (any)
        m_recorder->recordMeterReadout(wire::decode(serial), values);
}

ClientRecording *startRecording(TFrmAna &window, const QString &historyOption)
{
    ClientContext &ctx = window.context();
    const QString setting = client_settings::store().value(QLatin1String(history::kSettingsKey)).toString();
    QString error;
    const std::optional<history::Location> location = history::resolveLocation(
        historyOption.isEmpty() ? std::nullopt : std::optional<QString>(historyOption), setting, &error);
    const auto tell = [c = &ctx](const QString &text) {
        c->setMessage(text);
        c->note(text);
    };
    if (!location) {
        tell(QCoreApplication::translate("ClientRecording", "Geçmiş kaydedilmiyor: %1").arg(error));
        return nullptr;
    }
    history::RecorderOptions options;
    options.location = *location;
    auto recorder = std::make_unique<history::Recorder>(std::move(options));
    QObject::connect(recorder.get(), &history::Recorder::statusMessage, &window, tell);
    return new ClientRecording(std::move(recorder), ctx, &window);
}
