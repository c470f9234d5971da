#include "page_tables.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QVariant>

namespace exports {

namespace {

struct ExportTables {
    Q_DECLARE_TR_FUNCTIONS(ExportTables)
};

QString tr(const char *text) { return QCoreApplication::translate("ExportTables", text); }

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

QStringList longHeader()
{
    return {tr("Grup"), tr("Büyüklük"), tr("Değer"), tr("Birim")};
}

void addItems(Table &t, const QObject *page, std::initializer_list<Item> items)
{
    for (const Item &i : items)
        t.rows.append({tr(i.group), tr(i.quantity), shown(textOf(page, i.component)), QString::fromUtf8(i.unit)});
}

// clang-format off
#define G(x) QT_TRANSLATE_NOOP("ExportTables", x)
const std::initializer_list<Item> kEnergy = {
    {G("Cihaz"), G("Seri No"), "Edit111", ""},
    {G("Aktif enerji"), G("R"), "kWh_R", "kWh"},
    {G("Aktif enerji"), G("S"), "kwh_S", "kWh"},
    {G("Aktif enerji"), G("T"), "kwh_T", "kWh"},
    {G("Aktif enerji"), G("Toplam"), "Ewh", "kWh"},
    {G("İndüktif reaktif enerji"), G("R"), "kVArLh_R", "kVArh"},
    {G("İndüktif reaktif enerji"), G("S"), "kVArLh_S", "kVArh"},
    {G("İndüktif reaktif enerji"), G("T"), "kVArLh_T", "kVArh"},
    {G("İndüktif reaktif enerji"), G("Toplam"), "Elh", "kVArh"},
    {G("Kapasitif reaktif enerji"), G("R"), "kVArCh_R", "kVArh"},
    {G("Kapasitif reaktif enerji"), G("S"), "kVArCh_S", "kVArh"},
    {G("Kapasitif reaktif enerji"), G("T"), "kVArCh_T", "kVArh"},
    {G("Kapasitif reaktif enerji"), G("Toplam"), "ECh", "kVArh"},
    {G("Toplam oranlar"), G("İndüktif / Aktif"), "Toplamindoran", "%"},
    {G("Toplam oranlar"), G("Kapasitif / Aktif"), "Toplamkaporan", "%"},
    {G("Reset öncesi sayaç değerleri"), G("Aktif"), "SayacAktif", "kWh"},
    {G("Reset öncesi sayaç değerleri"), G("İndüktif"), "Sayacind", "kVArh"},
    {G("Reset öncesi sayaç değerleri"), G("Kapasitif"), "SayacKap", "kVArh"},
    {G("İlk tarih"), G("Tarih"), "Edit222", ""},
    {G("İlk tarih"), G("Aktif"), "ak1", "kWh"},
    {G("İlk tarih"), G("İndüktif"), "in1", "kVArh"},
    {G("İlk tarih"), G("Kapasitif"), "kap1", "kVArh"},
    {G("Son tarih"), G("Tarih"), "Edit333", ""},
    {G("Son tarih"), G("Aktif"), "ak2", "kWh"},
    {G("Son tarih"), G("İndüktif"), "in2", "kVArh"},
    {G("Son tarih"), G("Kapasitif"), "kap2", "kVArh"},
    {G("İki tarih arası"), G("İndüktif / Aktif"), "indoran", "%"},
    {G("İki tarih arası"), G("İndüktif durum"), "inddurum", ""},
    {G("İki tarih arası"), G("Kapasitif / Aktif"), "kaporan", "%"},
    {G("İki tarih arası"), G("Kapasitif durum"), "Kapdurum", ""},
};

const std::initializer_list<Item> kMeter = {
    {G("Sayaç"), G("Başlık"), "lblSayacBaslik", ""},
    {G("Sayaç endeks değerleri"), G("Aktif toplam (1.8.0)"), "Rzsycakttop", ""},
    {G("Sayaç endeks değerleri"), G("İndüktif toplam (5.8.0)"), "Rzsycindtop", ""},
    {G("Sayaç endeks değerleri"), G("Kapasitif toplam (8.8.0)"), "Rzsyckaptop", ""},
    {G("Aktif değerler"), "T1 (1.8.1)", "RzsycT1", ""},
    {G("Aktif değerler"), "T2 (1.8.2)", "RzsycT2", ""},
    {G("Aktif değerler"), "T3 (1.8.3)", "RzsycT3", ""},
    {G("İlk tarih"), G("Tarih"), "Edit2", ""},
    {G("İlk tarih"), G("Aktif"), "RzLEDak1", "kWh"},
    {G("İlk tarih"), G("İndüktif"), "RzLEDin1", "kVArh"},
    {G("İlk tarih"), G("Kapasitif"), "RzLEDkap1", "kVArh"},
    {G("Son tarih"), G("Tarih"), "Edit3", ""},
    {G("Son tarih"), G("Aktif"), "RzLEDak2", "kWh"},
    {G("Son tarih"), G("İndüktif"), "RzLEDin2", "kVArh"},
    {G("Son tarih"), G("Kapasitif"), "RzLEDkap2", "kVArh"},
    {G("İki tarih arası"), G("İndüktif / Aktif"), "RzLEDsycinoran", "%"},
    {G("İki tarih arası"), G("İndüktif durum"), "lblsycindurum", ""},
    {G("İki tarih arası"), G("Kapasitif / Aktif"), "RzLEDsyckaporan", "%"},
    {G("İki tarih arası"), G("Kapasitif durum"), "lblsyckapdurum", ""},
    {G("Sayaç"), G("Seri No"), "Edit5", ""},
    {G("Sayaç"), G("Saat"), "Edit6", ""},
};
#undef G
// clang-format on

constexpr int kPhases = 3;

} // namespace

Table energyTable(const QObject *page)
{
    Table t{longHeader(), {}};
    addItems(t, page, kEnergy);
    return t;
}

Table meterTable(const QObject *page)
{
    Table t{longHeader(), {}};
    addItems(t, page, kMeter);
    // The readout as it came, one line a row; the line's text stays text.
    const auto *memo = page ? page->findChild<QPlainTextEdit *>(QStringLiteral("Memo3")) : nullptr;
    if (memo) {
        const QStringList lines = memo->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (qsizetype i = 0; i < lines.size(); ++i)
            t.rows.append({tr("Okunan veriler"), Cell(double(i + 1)), Cell(lines[i].trimmed()), QString()});
    }
    return t;
}

Table harmonicTable(const QObject *page)
{
    Table t;
    t.header = {tr("Derece")};
    for (const char *q : {QT_TRANSLATE_NOOP("ExportTables", "Gerilim"), QT_TRANSLATE_NOOP("ExportTables", "Akım")})
        for (int p = 1; p <= kPhases; ++p)
            t.header.append(tr("%1 L%2").arg(tr(q)).arg(p));
    // Fundamental, odd orders 3 to 31, total distortion (the page's rows).
    for (int row = 0; row < 17; ++row) {
        Row r;
        const int order = 2 * row + 1;
        r.append(row == 16 ? Cell(tr("THD %")) : Cell(double(order)));
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
    t.header = {tr("Harmonik")};
    QList<QList<double>> columns;
    for (int p = 0; p < kPhases; ++p) {
        for (int q = 0; q < 2; ++q) {
            t.header.append((q == 0 ? tr("Gerilim L%1") : tr("Akım L%1")).arg(p + 1));
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
    Table t{{tr("Saat"), tr("Satır")}, {}};
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
