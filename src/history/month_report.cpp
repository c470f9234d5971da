#include "month_report.h"

#include "history_reader.h"
#include "quantities.h"

#include <QStringList>

#include <optional>

namespace history {

std::vector<MonthRow> monthReport(HistoryReader &reader, qint64 monthStart, qint64 monthEnd)
{
    QStringList serials;
    for (const SeriesInfo &s : reader.seriesList())
        serials.append(s.serial);
    serials.removeDuplicates();
    std::vector<MonthRow> out;
    for (const QString &serial : std::as_const(serials)) {
        std::optional<MonthRow> best;
        for (const auto &family : counterFamilies()) {
            std::optional<Edges> e[3];
            bool complete = true;
            for (int i = 0; i < 3 && complete; ++i) {
                const auto id = reader.seriesId(serial, QLatin1String(family[size_t(i)]));
                if (id)
                    e[i] = reader.edges(*id, monthStart, monthEnd);
                complete = e[i] && e[i]->lastT > e[i]->firstT;
            }
            if (!complete)
                continue;
            MonthRow row;
            row.serial = serial;
            row.source = QLatin1String(family[0]);
            row.from = e[0]->firstT;
            row.to = e[0]->lastT;
            row.active = e[0]->last - e[0]->first;
            row.inductive = e[1]->last - e[1]->first;
            row.capacitive = e[2]->last - e[2]->first;
            row.ratios = energy::rangeRatios(e[0]->first, e[0]->last, e[1]->first, e[1]->last, e[2]->first,
                                             e[2]->last);
            row.inductiveBand = energy::band(row.ratios.inductive, energy::Reactive::Inductive);
            row.capacitiveBand = energy::band(row.ratios.capacitive, energy::Reactive::Capacitive);
            if (!best || row.to - row.from > best->to - best->from)
                best = row;
        }
        if (best)
            out.push_back(*best);
    }
    return out;
}

} // namespace history
