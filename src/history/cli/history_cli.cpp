#include "history_cli.h"

#include "csv_writer.h"
#include "history_location.h"
#include "history_reader.h"
#include "language_choice.h"
#include "month_report.h"
#include "quantities.h"
#include "time_text.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

#include <cstdio>
#include <memory>

namespace history::cli {

namespace {

// The texts of the command line, in one translation context.
struct Cli {
    Q_DECLARE_TR_FUNCTIONS(history::Cli)
};

enum Exit { Done = 0, Usage = 1, Database = 2, Output = 3 };

int complain(const QString &text, int code)
{
    std::fputs(qUtf8Printable(text + u'\n'), stderr);
    return code;
}

// Standard output, or a file that replaces the old one only when complete.
class Sink {
public:
    bool open(const QString &target)
    {
        if (target.isEmpty() || target == u"-") {
            auto out = std::make_unique<QFile>();
            if (!out->open(stdout, QIODevice::WriteOnly))
                return keep(out->errorString());
            m_device = std::move(out);
            return true;
        }
        // A device or a pipe (/dev/stdout, a fifo) is written as it is; a
        // file is replaced only once complete.
        const QFileInfo info(target);
        if (info.exists() && !info.isFile()) {
            auto out = std::make_unique<QFile>(target);
            if (!out->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
                return keep(out->errorString());
            m_device = std::move(out);
            return true;
        }
        auto file = std::make_unique<QSaveFile>(target);
        if (!file->open(QIODevice::WriteOnly))
            return keep(file->errorString());
        m_save = file.get();
        m_device = std::move(file);
        return true;
    }
    QIODevice &device() { return *m_device; }
    bool close(csv::Writer &writer)
    {
        const bool written = writer.flush();
        if (m_save)
            return written ? m_save->commit() : (m_save->cancelWriting(), false);
        return written && static_cast<QFile &>(*m_device).flush();
    }
    QString errorText() const { return m_device ? m_device->errorString() : m_openError; }

private:
    bool keep(const QString &error)
    {
        m_openError = error;
        return false;
    }
    std::unique_ptr<QIODevice> m_device;
    QString m_openError;
    QSaveFile *m_save = nullptr;
};

struct Options {
    QCommandLineOption history = historyOption();
    QCommandLineOption serial{QStringLiteral("serial"), Cli::tr("Cihazın seri numarası."), QStringLiteral("S")};
    QCommandLineOption quantity{QStringLiteral("quantity"),
                                Cli::tr("Büyüklük anahtarı (V1, I2, cos_total…); birden çok verilebilir, "
                                   "verilmezse cihazın hepsi."),
                                QStringLiteral("Q")};
    QCommandLineOption from{QStringLiteral("from"), Cli::tr("Başlangıç (ISO 8601, bölge yoksa yerel saat)."),
                            QStringLiteral("T")};
    QCommandLineOption to{QStringLiteral("to"), Cli::tr("Bitiş, dahil değil (ISO 8601)."), QStringLiteral("T")};
    QCommandLineOption step{QStringLiteral("step"), Cli::tr("Adım: raw, 1m, 1h, 1d."), QStringLiteral("STEP"),
                            QStringLiteral("raw")};
    QCommandLineOption csv{QStringLiteral("csv"), Cli::tr("CSV dosyası, - ise standart çıktı."),
                           QStringLiteral("FILE|-"), QStringLiteral("-")};
    QCommandLineOption month{QStringLiteral("month"), Cli::tr("Ay: YYYY-MM."), QStringLiteral("YYYY-MM")};
    QCommandLineOption lang{QStringLiteral("lang"),
                            Cli::tr("Dil: tr ya da en; verilmezse istemcide seçilen, o da yoksa sistemin dili."),
                            QStringLiteral("tr|en")};
};

int list(HistoryReader &reader, Sink &sink)
{
    const QList<SeriesInfo> all = reader.seriesList();
    if (reader.database().error())
        return complain(reader.errorText(), Database);
    csv::Writer out(sink.device());
    out.row({Cli::tr("Seri No"), Cli::tr("Büyüklük"), Cli::tr("Ad"), Cli::tr("Birim"), Cli::tr("İlk"),
             Cli::tr("Son")});
    TimeFormatter time;
    for (const SeriesInfo &s : all) {
        const QuantityInfo info = quantityInfo(s.quantity);
        out.text(s.serial);
        out.text(s.quantity);
        out.text(info.label);
        out.text(info.unit);
        out.plain(time.format(s.first, true));
        out.plain(time.format(s.last, true));
        out.endRow();
    }
    return sink.close(out) ? Done : complain(sink.errorText(), Output);
}

int exportSeries(HistoryReader &reader, Sink &sink, const QCommandLineParser &p, const Options &o)
{
    const QString serial = p.value(o.serial);
    const auto from = parseTime(p.value(o.from));
    const auto to = parseTime(p.value(o.to));
    const auto step = parseStep(p.value(o.step));
    if (serial.isEmpty())
        return complain(Cli::tr("export: --serial gerekli."), Usage);
    if (!from || !to)
        return complain(Cli::tr("export: --from ve --to ISO 8601 zamanları olmalı (örneğin 2026-12-01T00:00:00)."),
                        Usage);
    if (!step)
        return complain(Cli::tr("export: --step raw, 1m, 1h ya da 1d olmalı."), Usage);
    QStringList quantities = p.values(o.quantity);
    if (quantities.isEmpty()) {
        for (const SeriesInfo &s : reader.seriesList())
            if (s.serial == serial)
                quantities.append(s.quantity);
    }
    quantities.removeDuplicates();
    struct Source {
        QString key;
        std::unique_ptr<PointCursor> cursor;
        Point head;
        bool live = false;
    };
    std::vector<Source> sources;
    for (const QString &q : std::as_const(quantities)) {
        const auto id = reader.seriesId(serial, q);
        if (!id)
            return complain(Cli::tr("export: %1 cihazının %2 büyüklüğü kayıtlı değil.").arg(serial, q), Usage);
        Source s{q, reader.cursor(*id, *from, *to, *step), {}, false};
        s.live = s.cursor->next(s.head);
        sources.push_back(std::move(s));
    }
    if (reader.database().error())
        return complain(reader.errorText(), Database);

    csv::Writer out(sink.device());
    const bool raw = *step == Step::Raw;
    out.text(Cli::tr("Zaman"));
    for (const Source &s : sources) {
        if (raw) {
            out.text(s.key);
        } else {
            for (const char *part : {"_min", "_avg", "_max"})
                out.text(s.key + QLatin1String(part));
        }
    }
    out.endRow();
    // The series side by side: one row per time, a field left empty where
    // a series has nothing at that time.
    TimeFormatter time;
    for (;;) {
        qint64 t = std::numeric_limits<qint64>::max();
        for (const Source &s : sources)
            if (s.live)
                t = std::min(t, s.head.t);
        if (t == std::numeric_limits<qint64>::max())
            break;
        out.plain(time.format(t, raw));
        for (Source &s : sources) {
            const bool here = s.live && s.head.t == t;
            if (raw) {
                here ? out.number(s.head.avg) : out.empty();
            } else {
                for (double v : {s.head.min, s.head.avg, s.head.max})
                    here ? out.number(v) : out.empty();
            }
            if (here)
                s.live = s.cursor->next(s.head);
        }
        out.endRow();
        if (!out.ok())
            break;
    }
    if (reader.database().error())
        return complain(reader.errorText(), Database);
    return sink.close(out) ? Done : complain(sink.errorText(), Output);
}

int report(HistoryReader &reader, Sink &sink, const QCommandLineParser &p, const Options &o)
{
    const auto month = parseMonth(p.value(o.month));
    if (!month)
        return complain(Cli::tr("report: --month YYYY-MM olmalı (örneğin 2026-12)."), Usage);
    const std::vector<MonthRow> rows = monthReport(reader, month->first, month->second);
    if (reader.database().error())
        return complain(reader.errorText(), Database);
    csv::Writer out(sink.device());
    out.row({Cli::tr("Seri No"), Cli::tr("İlk okuma"), Cli::tr("Son okuma"), Cli::tr("Kaynak"),
             Cli::tr("Aktif enerji (kWh)"), Cli::tr("İndüktif enerji (kVArh)"), Cli::tr("Kapasitif enerji (kVArh)"),
             Cli::tr("İnd. Oran %"), Cli::tr("Kap. Oran %"), Cli::tr("İnd. Durum"), Cli::tr("Kap. Durum")});
    TimeFormatter time;
    for (const MonthRow &r : rows) {
        out.text(r.serial);
        out.plain(time.format(r.from, false));
        out.plain(time.format(r.to, false));
        out.text(r.source);
        out.number(r.active, 3);
        out.number(r.inductive, 3);
        out.number(r.capacitive, 3);
        out.number(r.ratios.inductive, 2);
        out.number(r.ratios.capacitive, 2);
        out.text(energy::bandText(r.inductiveBand));
        out.text(energy::bandText(r.capacitiveBand));
        out.endRow();
    }
    return sink.close(out) ? Done : complain(sink.errorText(), Output);
}

} // namespace

QString chooseLanguage(const QStringList &arguments, const QString &remembered, const QLocale &system)
{
    // A locale that names no language (C, POSIX: what a scheduled job
    // usually runs under) counts as Turkish, the language of the source, so
    // that the texts and column names stay as they were.
    const QLocale asked = system.language() == QLocale::C ? QLocale(QLocale::Turkish, QLocale::Turkey) : system;
    return language::chooseLanguage(language::requestedLanguage(arguments), remembered, asked);
}

int run(const QStringList &arguments)
{
    QCommandLineParser p;
    p.setApplicationDescription(Cli::tr("Geçmiş veritabanını pencere açmadan okur.\n"
                                   "  list     cihazlar ve büyüklükler, ilk ve son zamanlarıyla\n"
                                   "  export   bir cihazın büyüklükleri CSV olarak\n"
                                   "  report   her cihazın bir aylık enerjisi, oranları ve durumları"));
    p.addHelpOption();
    const Options o;
    p.addOptions({o.history, o.serial, o.quantity, o.from, o.to, o.step, o.csv, o.month, o.lang});
    p.addPositionalArgument(Cli::tr("komut"), QStringLiteral("list | export | report"));
    if (!p.parse(arguments))
        return complain(p.errorText(), Usage);
    if (p.isSet(QStringLiteral("help"))) {
        std::fputs(qUtf8Printable(p.helpText()), stdout);
        return Done;
    }
    const QStringList positional = p.positionalArguments();
    const QString command = positional.value(0);
    if (positional.size() != 1 || (command != u"list" && command != u"export" && command != u"report"))
        return complain(Cli::tr("Komut list, export ya da report olmalı.") + u'\n' + p.helpText(), Usage);

    QString error;
    const auto location = resolveLocation(p.isSet(o.history) ? std::optional(p.value(o.history)) : std::nullopt,
                                          settingLocation(), &error);
    if (!location)
        return complain(error, Usage);
    HistoryReader reader;
    if (!reader.open(*location, &error))
        return complain(error, Database);
    Sink sink;
    if (!sink.open(p.value(o.csv)))
        return complain(Cli::tr("Yazılamıyor: %1 (%2)").arg(p.value(o.csv), sink.errorText()), Output);
    if (command == u"list")
        return list(reader, sink);
    if (command == u"export")
        return exportSeries(reader, sink, p, o);
    return report(reader, sink, p, o);
}

} // namespace history::cli
