#include "faults.h"

#include "wire.h"

#include <QStringList>

#include <algorithm>

namespace sim {

bool KeywordFilter::matches(QByteArrayView keyword) const
{
    return on && (keywords.isEmpty() || keywords.contains(keyword.toByteArray()));
}

KeywordFilter KeywordFilter::all()
{
    return {true, {}};
}

KeywordFilter KeywordFilter::only(QSet<QByteArray> keywords)
{
    return {true, std::move(keywords)};
}

bool FaultPlan::isEmpty() const
{
    return !split.on && !join.on && dropAfter <= 0 && !(late.on && lateMs > 0) && offline.isEmpty();
}

namespace {

QString filterText(const KeywordFilter &filter)
{
    if (filter.keywords.isEmpty())
        return QStringLiteral("every answer");
    QStringList words;
    for (const QByteArray &k : filter.keywords)
        words.append(wire::decode(k));
    words.sort();
    return words.join(QLatin1Char(','));
}

} // namespace

QString FaultPlan::describe() const
{
    QStringList parts;
    if (split.on)
        parts.append(QStringLiteral("split (%1 ms apart): %2").arg(splitPauseMs).arg(filterText(split)));
    if (join.on)
        parts.append(QStringLiteral("join with the next answer: %1").arg(filterText(join)));
    if (dropAfter > 0)
        parts.append(QStringLiteral("drop the connection after %1 requests").arg(dropAfter));
    if (late.on && lateMs > 0)
        parts.append(QStringLiteral("%1 ms late: %2").arg(lateMs).arg(filterText(late)));
    if (!offline.isEmpty()) {
        QList<quint32> serials(offline.begin(), offline.end());
        std::sort(serials.begin(), serials.end());
        QStringList texts;
        for (quint32 s : serials)
            texts.append(QString::number(s));
        parts.append(QStringLiteral("not on line: %1").arg(texts.join(QLatin1Char(','))));
    }
    return parts.isEmpty() ? QStringLiteral("none") : parts.join(QStringLiteral("; "));
}

std::optional<KeywordFilter> parseKeywordList(const QString &text, QString *error)
{
    const QString trimmed = text.trimmed();
    if (trimmed == QLatin1String("all"))
        return KeywordFilter::all();
    QSet<QByteArray> keywords;
    for (const QString &word : trimmed.split(QLatin1Char(','))) {
        const QString w = word.trimmed();
        const QByteArray bytes = wire::encode(w);
        if (w.isEmpty() || bytes.contains('\x01') || bytes.contains('\x02') || wire::decode(bytes) != w) {
            if (error)
                *error = QStringLiteral("\"%1\" is not a list of request keywords (or \"all\")").arg(text);
            return std::nullopt;
        }
        keywords.insert(bytes);
    }
    return KeywordFilter::only(std::move(keywords));
}

std::optional<QSet<quint32>> parseSerialList(const QString &text, QString *error)
{
    QSet<quint32> serials;
    for (const QString &word : text.split(QLatin1Char(','))) {
        bool ok = false;
        const quint32 serial = word.trimmed().toUInt(&ok);
        if (!ok || serial == 0) {
            if (error)
                *error = QStringLiteral("\"%1\" is not a list of device serials").arg(text);
            return std::nullopt;
        }
        serials.insert(serial);
    }
    return serials;
}

bool parseLate(const QString &text, FaultPlan &plan, QString *error)
{
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    bool ok = false;
    const int ms = text.left(colon).trimmed().toInt(&ok);
    if (!ok || ms <= 0 || ms > 600000) {
        if (error)
            *error = QStringLiteral("\"%1\" is not a delay in milliseconds (1 to 600000), "
                                    "optionally followed by \":\" and request keywords").arg(text);
        return false;
    }
    KeywordFilter filter = KeywordFilter::all();
    if (colon >= 0) {
        const std::optional<KeywordFilter> parsed = parseKeywordList(text.mid(colon + 1), error);
        if (!parsed)
            return false;
        filter = *parsed;
    }
    plan.late = filter;
    plan.lateMs = ms;
    return true;
}

} // namespace sim
