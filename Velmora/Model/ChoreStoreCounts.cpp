#include "Velmora/Model/ChoreStore.h"

#include <QSqlError>
#include <QSqlQuery>

namespace Velmora {

// Each day's bounds are worked out here, by Qt, in the app's zone: a day of 23 or 25 hours, or
// one that starts at 01:00 because the clock skipped midnight, is then one range of end dates.
// SQLite counts each range through the end-date index without reading a row. Its own
// 'localtime' would follow the process's TZ rather than the app's clock, call localtime_r per
// row (about 10x slower at 100,000 rows, as does grouping by fixed buckets, which needs a
// temporary B-tree), and shift years outside 1970-2037.
std::optional<std::vector<qint64>> ChoreStore::finishedPerDay(QDate first, QDate last, const QTimeZone &zone) const
{
    if (!m_open || !first.isValid() || !last.isValid() || last < first || first.daysTo(last) >= maxCountedDays
        || !zone.isValid())
        return std::nullopt;
    QByteArray starts = "[";
    for (QDate day = first; day <= last.addDays(1); day = day.addDays(1)) {
        const QDateTime start = day.startOfDay(zone);
        if (!start.isValid())
            return std::nullopt;
        starts += QByteArray::number(start.toMSecsSinceEpoch()) + ',';
    }
    starts.back() = ']';

    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    // Text and blobs sort above every number, so odd stored end dates fall in no day.
    namespace C = ChoreSchema::Chores;
    query.prepare(ChoreSchema::sql("SELECT (SELECT count(*) FROM ", C::table, " WHERE ", C::endDate, " >= day.start AND ",
                                   C::endDate, " < day.next)"
                                   " FROM (SELECT key, value AS start, lead(value) OVER (ORDER BY key) AS next"
                                   " FROM json_each(?)) AS day WHERE day.next IS NOT NULL ORDER BY day.key"));
    query.addBindValue(QString::fromLatin1(starts));
    if (!query.exec()) {
        m_lastError = query.lastError().text();
        return std::nullopt;
    }
    std::vector<qint64> counts;
    counts.reserve(size_t(first.daysTo(last) + 1));
    while (query.next())
        counts.push_back(query.value(0).toLongLong());
    if (counts.size() != size_t(first.daysTo(last) + 1)) {
        m_lastError = query.lastError().text();
        return std::nullopt;
    }
    return counts;
}

} // namespace Velmora
