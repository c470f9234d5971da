#include "energy_summary.h"

#include "numbers.h"
#include "register_store.h"
#include "silent_abort.h"

#include <QList>
#include <QString>

namespace energy {

SummaryResult decodeEnergySummary(QByteArrayView payload, RegisterStore &store, QChar decimalSeparator)
{
    if (payload.isEmpty() || payload.front() != '$')
        return SummaryResult::Ignored;

    constexpr int kMaxPasses = 201;
    QList<QString> fields;
    qsizetype pos = 0;
    int passes = 0;
    while (pos < payload.size()) {
        ++pos; // the "$"
        if (pos >= payload.size())
            return SummaryResult::Ignored; // no type character: nothing at all is stored
        const char type = payload[pos++];
        const QByteArrayView data = payload.sliced(pos, qMin<qsizetype>(8, payload.size() - pos));
        if (type == '1') {
            fields.append(QString::fromLatin1(data));
        } else if (type == '0') {
            fields.append(QString::fromLatin1(data.first(qMin<qsizetype>(5, data.size())))
                          + decimalSeparator
                          + QString::fromLatin1(data.size() > 5 ? data.sliced(5) : QByteArrayView()));
        }
        pos += data.size();
        if (++passes == kMaxPasses)
            break; // the rest of the text is dropped
    }
    if (fields.size() < 45)
        return SummaryResult::Ignored;

    const std::optional<qint32> row = numbers::parseInt(QStringView(fields[43]).first(qMin<qsizetype>(5, fields[43].size())));
    if (!row)
        throw SilentAbort();
    if (*row < 1 || *row > RegisterStore::kRows)
        return SummaryResult::RowOutside;
    for (int j = 0; j < fields.size(); ++j) {
        const std::optional<double> v = numbers::parseDecimal(fields[j], decimalSeparator);
        if (!v)
            throw SilentAbort();
        store.write(*row, j, j >= 30 && j <= 41 ? *v / 3600.0 : *v);
    }
    return SummaryResult::Stored;
}

} // namespace energy
