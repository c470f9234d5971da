#include "page_tables.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QVariant>

namespace exports {

namespace {

// The text a named display, label or field shows; empty when the page has
// no such component.
QString textOf(const QObject *page, const char *name)
{
    const QObject *o = page ? page->findChild<QObject *>(QString::fromLatin1(name)) : nullptr;
    return o ? o->property("text").toString() : QString();
}

struct Item {
    const char *group;
    const char *quantity;
    const char *component;
    const char *unit;
};

// The texts of the exported tables, in one translation context; the rows'
// texts are translated as they are written.
struct ExportTables {
    Q_DECLARE_TR_FUNCTIONS(ExportTables)
public:
    // clang-format off
    static inline const std::initializer_list<Item> kEnergy = {
        {QT_TR_NOOP("Cihaz"), QT_TR_NOOP("Seri No"), "Edit111", ""},
        {QT_TR_NOOP("Aktif enerji"), QT_TR_NOOP("R"), "kWh_R", "kWh"},
        {QT_TR_NOOP("Aktif enerji"), QT_TR_NOOP("S"), "kwh_S", "kWh"},
        {QT_TR_NOOP("Aktif enerji"), QT_TR_NOOP("T"), "kwh_T", "kWh"},
        {QT_TR_NOOP("Aktif enerji"), QT_TR_NOOP("Toplam"), "Ewh", "kWh"},
        {QT_TR_NOOP("İndüktif reaktif enerji"), QT_TR_NOOP("R"), "kVArLh_R", "kVArh"},
        {QT_TR_NOOP("İndüktif reaktif enerji"), QT_TR_NOOP("S"), "kVArLh_S", "kVArh"},
        {QT_TR_NOOP("İndüktif reaktif enerji"), QT_TR_NOOP("T"), "kVArLh_T", "kVArh"},
        {QT_TR_NOOP("İndüktif reaktif enerji"), QT_TR_NOOP("Toplam"), "Elh", "kVArh"},
        {QT_TR_NOOP("Kapasitif reaktif enerji"), QT_TR_NOOP("R"), "kVArCh_R", "kVArh"},
        {QT_TR_NOOP("Kapasitif reaktif enerji"), QT_TR_NOOP("S"), "kVArCh_S", "kVArh"},
        {QT_TR_NOOP("Kapasitif reaktif enerji"), QT_TR_NOOP("T"), "kVArCh_T", "kVArh"},
        {QT_TR_NOOP("Kapasitif reaktif enerji"), QT_TR_NOOP("Toplam"), "ECh", "kVArh"},
        {QT_TR_NOOP("Toplam oranlar"), QT_TR_NOOP("İndüktif / Aktif"), "Toplamindoran", "%"},
        {QT_TR_NOOP("Toplam oranlar"), QT_TR_NOOP("Kapasitif / Aktif"), "Toplamkaporan", "%"},
        {QT_TR_NOOP("Reset öncesi sayaç değerleri"), QT_TR_NOOP("Aktif"), "SayacAktif", "kWh"},
        {QT_TR_NOOP("Reset öncesi sayaç değerleri"), QT_TR_NOOP("İndüktif"), "Sayacind", "kVArh"},
        {QT_TR_NOOP("Reset öncesi sayaç değerleri"), QT_TR_NOOP("Kapasitif"), "SayacKap", "kVArh"},
        {QT_TR_NOOP("İlk tarih"), QT_TR_NOOP("Tarih"), "Edit222", ""},
        {QT_TR_NOOP("İlk tarih"), QT_TR_NOOP("Aktif"), "ak1", "kWh"},
        {QT_TR_NOOP("İlk tarih"), QT_TR_NOOP("İndüktif"), "in1", "kVArh"},
        {QT_TR_NOOP("İlk tarih"), QT_TR_NOOP("Kapasitif"), "kap1", "kVArh"},
        {QT_TR_NOOP("Son tarih"), QT_TR_NOOP("Tarih"), "Edit333", ""},
        {QT_TR_NOOP("Son tarih"), QT_TR_NOOP("Aktif"), "ak2", "kWh"},
        {QT_TR_NOOP("Son tarih"), QT_TR_NOOP("İndüktif"), "in2", "kVArh"},
        {QT_TR_NOOP("Son tarih"), QT_TR_NOOP("Kapasitif"), "kap2", "kVArh"},
        {QT_TR_NOOP("İki tarih arası"), QT_TR_NOOP("İndüktif / Aktif"), "indoran", "%"},
        {QT_TR_NOOP("İki tarih arası"), QT_TR_NOOP("İndüktif durum"), "inddurum", ""},
        {QT_TR_NOOP("İki tarih arası"), QT_TR_NOOP("Kapasitif / Aktif"), "kaporan", "%"},
        {QT_TR_NOOP("İki tarih arası"), QT_TR_NOOP("Kapasitif durum"), "Kapdurum", ""},
    };

    static inline const std::initializer_list<Item> kMeter = {
        {QT_TR_NOOP("Sayaç"), QT_TR_NOOP("Başlık"), "lblSayacBaslik", ""},
        {QT_TR_NOOP("Sayaç endeks değerleri"), QT_TR_NOOP("Aktif toplam (1.8.0)"), "Rzsycakttop", ""},
        {QT_TR_NOOP("Sayaç endeks değerleri"), QT_TR_NOOP("İndüktif toplam (5.8.0)"), "Rzsycindtop", ""},
        {QT_TR_NOOP("Sayaç endeks değerleri"), QT_TR_NOOP("Kapasitif toplam (8.8.0)"), "Rzsyckaptop", ""},
        {QT_TR_NOOP("Aktif değerler"), "T1 (1.8.1)", "RzsycT1", ""},
        {QT_TR_NOOP("Aktif değerler"), "T2 (1.8.2)", "RzsycT2", ""},
        {QT_TR_NOOP("Aktif değerler"), "T3 (1.8.3)", "RzsycT3", ""},
        {QT_TR_NOOP("İlk tarih"), QT_TR_NOOP("Tarih"), "Edit2", ""},
        {QT_TR_NOOP("İlk tarih"), QT_TR_NOOP("Aktif"), "RzLEDak1", "kWh"},
        {QT_TR_NOOP("İlk tarih"), QT_TR_NOOP("İndüktif"), "RzLEDin1", "kVArh"},
        {QT_TR_NOOP("İlk tarih"), QT_TR_NOOP("Kapasitif"), "RzLEDkap1", "kVArh"},
        {QT_TR_NOOP("Son tarih"), QT_TR_NOOP("Tarih"), "Edit3", ""},
        {QT_TR_NOOP("Son tarih"), QT_TR_NOOP("Aktif"), "RzLEDak2", "kWh"},
        {QT_TR_NOOP("Son tarih"), QT_TR_NOOP("İndüktif"), "RzLEDin2", "kVArh"},
        {QT_TR_NOOP("Son tarih"), QT_TR_NOOP("Kapasitif"), "RzLEDkap2", "kVArh"},
        {QT_TR_NOOP("İki tarih arası"), QT_TR_NOOP("İndüktif / Aktif"), "RzLEDsycinoran", "%"},
        {QT_TR_NOOP("İki tarih arası"), QT_TR_NOOP("İndüktif durum"), "lblsycindurum", ""},
        {QT_TR_NOOP("İki tarih arası"), QT_TR_NOOP("Kapasitif / Aktif"), "RzLEDsyckaporan", "%"},
        {QT_TR_NOOP("İki tarih arası"), QT_TR_NOOP("Kapasitif durum"), "lblsyckapdurum", ""},
        {QT_TR_NOOP("Sayaç"), QT_TR_NOOP("Seri No"), "Edit5", ""},
        {QT_TR_NOOP("Sayaç"), QT_TR_NOOP("Saat"), "Edit6", ""},
    };
    // clang-format on
};

QStringList longHeader()
{
    return {ExportTables::tr("Grup"), ExportTables::tr("Büyüklük"), ExportTables::tr("Değer"),
            ExportTables::tr("Birim")};
}

void addItems(Table &t, const QObject *page, std::initializer_list<Item> items)
{
    for (const Item &i : items)
        t.rows.append({ExportTables::tr(i.group), ExportTables::tr(i.quantity), shown(textOf(page, i.component)),
                       QString::fromUtf8(i.unit)});
}

constexpr int kPhases = 3;

} // namespace

Table energyTable(const QObject *page)
{
    Table t{longHeader(), {}};
    addItems(t, page, ExportTables::kEnergy);
    return t;
}

Table meterTable(const QObject *page)
{
    Table t{longHeader(), {}};
    addItems(t, page, ExportTables::kMeter);
    // The readout as it came, one line a row; the line's text stays text.
    const auto *memo = page ? page->findChild<QPlainTextEdit *>(QStringLiteral("Memo3")) : nullptr;
    if (memo) {
        const QStringList lines = memo->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (qsizetype i = 0; i < lines.size(); ++i)
            t.rows.append(
                {ExportTables::tr("Okunan veriler"), Cell(double(i + 1)), Cell(lines[i].trimmed()), QString()});
    }
    return t;
}

Table harmonicTable(const QObject *page)
{
    Table t;
    t.header = {ExportTables::tr("Derece")};
    for (const char *q : {QT_TRANSLATE_NOOP("ExportTables", "Gerilim"), QT_TRANSLATE_NOOP("ExportTables", "Akım")})
        for (int p = 1; p <= kPhases; ++p)
            t.header.append(ExportTables::tr("%1 L%2").arg(ExportTables::tr(q)).arg(p));
    // Fundamental, odd orders 3 to 31, total distortion (the page's rows).
    for (int row = 0; row < 17; ++row) {
        Row r;
        const int order = 2 * row + 1;
        r.append(row == 16 ? Cell(ExportTables::tr("THD %")) : Cell(double(order)));
        for (QChar q : {u'v', u'i'}) {
            for (int p = 1; p <= kPhases; ++p) {
                QString name;
                if (row == 0)
                    name = QStringLiteral("h_%1b_%2").arg(q).arg(p);
                else if (row == 16)
                    name = QStringLiteral("%1%2").arg(q == u'v' ? QStringLiteral("thdv") : QStringLiteral("thdc")).arg(p);
                else
                    name = QStringLiteral("h_%1%2_%3").arg(q).arg(p).arg(order);
                const QObject *o = page ? page->findChild<QObject *>(name) : nullptr;
                r.append(shown(o ? o->property("text").toString() : QString()));
            }
        }
        t.rows.append(r);
    }
    return t;
}

Table spectrumTable(const QObject *page)
{
    // Page 3's charts per phase: voltage, current.
    static const char *const kCharts[kPhases][2] = {{"Image4", "Image5"}, {"Image6", "Image7"}, {"Image8", "Image9"}};
    Table t;
    t.header = {ExportTables::tr("Harmonik")};
    QList<QList<double>> columns;
    for (int p = 0; p < kPhases; ++p) {
        for (int q = 0; q < 2; ++q) {
            const QString title = q == 0 ? ExportTables::tr("Gerilim L%1") : ExportTables::tr("Akım L%1");
            t.header.append(title.arg(p + 1));
            const QObject *chart = page ? page->findChild<QObject *>(QString::fromLatin1(kCharts[p][q])) : nullptr;
            columns.append(chart ? chart->property(kSpectrumProperty).value<QList<double>>() : QList<double>());
        }
    }
    for (int h = 1; h <= 31; ++h) {
        Row r{Cell(double(h))};
        for (const QList<double> &c : std::as_const(columns))
            r.append(h <= c.size() ? Cell(c[h - 1]) : Cell());
        t.rows.append(r);
    }
    return t;
}

Table logTable(const QAbstractItemModel &log)
{
    Table t{{ExportTables::tr("Saat"), ExportTables::tr("Satır")}, {}};
    const QString mark = QStringLiteral(":   ");
    for (int i = 0; i < log.rowCount(); ++i) {
        const QString line = log.data(log.index(i, 0)).toString();
        const qsizetype at = line.indexOf(mark);
        if (at < 0)
            t.rows.append({QString(), line});
        else
            t.rows.append({line.left(at), line.mid(at + mark.size())});
    }
    return t;
}

} // namespace exports
