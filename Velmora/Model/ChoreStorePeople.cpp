#include "Velmora/Model/ChoreStore.h"

#include <QPointer>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>

namespace Velmora {

namespace {

namespace C = ChoreSchema::Chores;
namespace P = ChoreSchema::People;
namespace M = ChoreSchema::Members;
using ChoreSchema::sql;

constexpr auto kSelectPeople = sql("SELECT ", P::chore, ", ", P::assignee, ", ", P::turns, ", ", P::finishedBy, " FROM ",
                                   P::table, " ");

ChorePeople peopleFromRow(const QSqlQuery &row)
{
    return {row.value(1).toString(), ChorePeople::decodeTurns(row.value(2).toString()), row.value(3).toString()};
}

} // namespace

void ChoreStore::readPeople(const std::vector<Chore *> &chores)
{
    if (!m_peopleTable || chores.empty())
        return;
    const auto [low, high] = std::minmax_element(chores.cbegin(), chores.cend(), [](const Chore *a, const Chore *b) {
        return a->persistentId() < b->persistentId();
    });
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    // One range of ids: a chore brought in alone, or the new rows of one insert, which follow
    // each other.
    query.prepare(sql(kSelectPeople, "WHERE ", P::chore, " BETWEEN ? AND ?"));
    query.addBindValue((*low)->persistentId());
    query.addBindValue((*high)->persistentId());
    if (!query.exec())
        return;
    while (query.next()) {
        const qint64 id = query.value(0).toLongLong();
        if (m_byId.contains(id))
            m_people.insert(id, peopleFromRow(query));
    }
}

bool ChoreStore::loadMembers()
{
    m_handMembers.clear();
    if (!m_peopleTable)
        return true;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (!query.exec(sql("SELECT ", M::name, " FROM ", M::table, " ORDER BY ", M::name))) {
        m_lastError = query.lastError().text();
        return false;
    }
    while (query.next())
        m_handMembers << query.value(0).toString();
    return true;
}

ChorePeople ChoreStore::people(qint64 persistentId) const
{
    if (m_byId.contains(persistentId) || !m_open || !m_peopleTable)
        return m_people.value(persistentId);
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(sql(kSelectPeople, "WHERE ", P::chore, " = ?"));
    query.addBindValue(persistentId);
    return query.exec() && query.next() ? peopleFromRow(query) : ChorePeople();
}

bool ChoreStore::setPeople(WriteKey, qint64 persistentId, const ChorePeople &people)
{
    if (!m_open || !m_peopleTable)
        return fail(QStringLiteral("The store is not open"));
    const ChorePeople old = this->people(persistentId);
    if (old == people)
        return true;
    if (!checkedBeforeWrite())
        return false;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (people.isEmpty()) {
        query.prepare(sql("DELETE FROM ", P::table, " WHERE ", P::chore, " = ?"));
        query.addBindValue(persistentId);
    } else {
        query.prepare(sql("INSERT OR REPLACE INTO ", P::table, " (", P::chore, ", ", P::assignee, ", ", P::turns, ", ",
                          P::finishedBy, ", ", P::finishedAt, ") SELECT ", C::id, ", ?, ?, ?, ", C::endDate, " FROM ",
                          C::table, " WHERE ", C::id, " = ?"));
        query.addBindValue(people.assignee);
        query.addBindValue(ChorePeople::encodeTurns(people.turns));
        query.addBindValue(people.finishedBy);
        query.addBindValue(persistentId);
    }
    if (!query.exec())
        return failWrite(query.lastError().text());
    if (!people.isEmpty() && query.numRowsAffected() == 0)
        return fail(QStringLiteral("The chore was deleted elsewhere"), Failure::NotStored);
    const auto put = [this, persistentId](const ChorePeople &value) {
        Chore *chore = m_byId.value(persistentId);
        if (!chore) {
            emit membersChanged();
            return;
        }
        if (value.isEmpty())
            m_people.remove(persistentId);
        else
            m_people.insert(persistentId, value);
        chore->notifyPeople(Chore::StoreKey());
        emit peopleChanged(chore);
    };
    if (m_undo)
        m_undo->push_back([put, old] { put(old); });
    put(people);
    return true;
}

QList<QPair<qint64, ChorePeople>> ChoreStore::peopleNaming(const QString &member) const
{
    QList<QPair<qint64, ChorePeople>> found;
    if (!m_open || !m_peopleTable || member.isEmpty())
        return found;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    query.prepare(sql(kSelectPeople, "WHERE ", P::assignee, " = ? OR ", P::finishedBy, " = ? OR instr(char(10) || ",
                      P::turns, " || char(10), char(10) || ? || char(10)) > 0"));
    for (int i = 0; i < 3; ++i)
        query.bindValue(i, member);
    if (query.exec()) {
        while (query.next()) {
            const qint64 id = query.value(0).toLongLong();
            // The chores in memory as they are there: a write earlier in the same transaction shows.
            found.append({id, m_byId.contains(id) ? m_people.value(id) : peopleFromRow(query)});
        }
    }
    return found;
}

QHash<qint64, ChorePeople> ChoreStore::storedPeople() const
{
    QHash<qint64, ChorePeople> found;
    if (!m_open || !m_peopleTable)
        return found;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    if (query.exec(kSelectPeople)) {
        while (query.next())
            found.insert(query.value(0).toLongLong(), peopleFromRow(query));
    }
    return found;
}

QHash<QString, qint64> ChoreStore::finishedCounts() const
{
    QHash<QString, qint64> counts;
    if (!m_open || !m_peopleTable)
        return counts;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    if (query.exec(sql("SELECT ", P::finishedBy, ", count(*) FROM ", P::table, " WHERE ", P::finishedBy,
                       " != '' GROUP BY ", P::finishedBy))) {
        while (query.next())
            counts.insert(query.value(0).toString(), query.value(1).toLongLong());
    }
    return counts;
}

std::optional<QList<QPair<QString, qint64>>> ChoreStore::finishedByMember(QDate first, QDate last,
                                                                          const QTimeZone &zone) const
{
    if (!m_open || !first.isValid() || !last.isValid() || last < first || !zone.isValid())
        return std::nullopt;
    const QDateTime from = first.startOfDay(zone);
    const QDateTime to = last.addDays(1).startOfDay(zone);
    if (!from.isValid() || !to.isValid())
        return std::nullopt;
    const auto bind = [&](QSqlQuery &query, int pairs) {
        for (int i = 0; i < pairs; ++i) {
            query.addBindValue(from.toMSecsSinceEpoch());
            query.addBindValue(to.toMSecsSinceEpoch());
        }
    };
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    // Every finished chore of those days, through the end-date index.
    query.prepare(sql("SELECT count(*) FROM ", C::table, " WHERE ", C::endDate, " >= ? AND ", C::endDate, " < ?"));
    bind(query, 1);
    if (!query.exec() || !query.next()) {
        m_lastError = query.lastError().text();
        return std::nullopt;
    }
    qint64 unknown = query.value(0).toLongLong();
    QList<QPair<QString, qint64>> counts;
    if (m_peopleTable) {
        // Each finisher found by skipping through the index, then its days counted in it: a few
        // range counts instead of a join and a sort of every copy.
        query.prepare(sql("WITH RECURSIVE finisher(name) AS (SELECT min(", P::finishedBy, ") FROM ", P::table,
                          " UNION ALL SELECT (SELECT min(", P::finishedBy, ") FROM ", P::table, " WHERE ", P::finishedBy,
                          " > finisher.name) FROM finisher WHERE finisher.name IS NOT NULL)"
                          " SELECT name, (SELECT count(*) FROM ", P::table, " WHERE ", P::finishedBy, " = name AND ",
                          P::finishedAt, " >= ? AND ", P::finishedAt, " < ?) FROM finisher WHERE name != ''"));
        bind(query, 1);
        if (!query.exec()) {
            m_lastError = query.lastError().text();
            return std::nullopt;
        }
        while (query.next()) {
            if (const qint64 count = query.value(1).toLongLong(); count > 0) {
                counts.append({query.value(0).toString(), count});
                unknown -= count;
            }
        }
    }
    if (unknown > 0)
        counts.append({QString(), unknown});
    std::sort(counts.begin(), counts.end(), [](const auto &a, const auto &b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    });
    return counts;
}

bool ChoreStore::addMember(WriteKey, const QString &name)
{
    if (name.isEmpty() || m_handMembers.contains(name))
        return m_open && m_peopleTable ? true : fail(QStringLiteral("The store is not open"));
    return writeHandMembers(sql("INSERT OR IGNORE INTO ", M::table, " (", M::name, ") VALUES (?)"), name,
                            m_handMembers + QStringList{name});
}

bool ChoreStore::removeMember(WriteKey, const QString &name)
{
    if (!m_handMembers.contains(name))
        return m_open && m_peopleTable ? true : fail(QStringLiteral("The store is not open"));
    QStringList after = m_handMembers;
    after.removeAll(name);
    return writeHandMembers(sql("DELETE FROM ", M::table, " WHERE ", M::name, " = ?"), name, after);
}

bool ChoreStore::writeHandMembers(const QString &statement, const QString &name, const QStringList &after)
{
    if (!m_open || !m_peopleTable)
        return fail(QStringLiteral("The store is not open"));
    if (!checkedBeforeWrite())
        return false;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(statement);
    query.addBindValue(name);
    if (!query.exec())
        return failWrite(query.lastError().text());
    if (m_undo) {
        m_undo->push_back([this, old = m_handMembers] {
            m_handMembers = old;
            emit membersChanged();
        });
    }
    m_handMembers = after;
    emit membersChanged();
    return true;
}

} // namespace Velmora
