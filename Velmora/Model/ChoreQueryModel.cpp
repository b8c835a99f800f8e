#include "Velmora/Model/ChoreQueryModel.h"

#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Platform/Clock.h"

#include <QLocale>

#include <algorithm>
#include <limits>

namespace Velmora {

// The store keeps in memory at least the finished chores a journal page shows.
static_assert(ChoreQueryModel::journalFetchLimit <= ChoreStore::finishedInMemory);

namespace {

// Invalid instants (only odd stored values give them) sort before every real one.
qint64 sortKey(const QDateTime &date)
{
    return date.isValid() ? date.toMSecsSinceEpoch() : std::numeric_limits<qint64>::min();
}

// The C locale's collation compares code points and ignores numeric mode; a user without a
// chosen locale still expects "Chore 2" before "Chore 10".
QLocale collationLocale()
{
    const QLocale user;
    return user.language() == QLocale::C ? QLocale(QLocale::English, QLocale::UnitedStates) : user;
}

// Whether a title holds only ASCII letters, digits and spaces, and no number the collator could
// read otherwise than by its value (leading zeros, more digits than a 64-bit number).
bool isPlain(const QString &title)
{
    qsizetype digits = 0;
    for (qsizetype i = 0; i < title.size(); ++i) {
        const char16_t c = title.at(i).unicode();
        const bool digit = c >= u'0' && c <= u'9';
        if (digit && digits == 0 && c == u'0')
            return false;
        digits = digit ? digits + 1 : 0;
        if (digits > 18 || !(digit || c == u' ' || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')))
            return false;
    }
    return true;
}

// Two plain titles as the root collation compares them with numbers by value and case ignored
// (the collator below): spaces before numbers before letters, numbers by value, letters
// alphabetically, a title before every longer one it begins. Opening the collator reads some
// 2 MiB of its tables, which a process sorting only plain titles (most days, the background
// one) then never does.
int comparePlain(const QString &a, const QString &b)
{
    const auto rank = [](char16_t c) { return c == u' ' ? 0 : c <= u'9' ? 1 : 2; };
    const auto digitsFrom = [](const QString &s, qsizetype i) {
        qsizetype end = i;
        while (end < s.size() && s.at(end).unicode() >= u'0' && s.at(end).unicode() <= u'9')
            ++end;
        return end;
    };
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const char16_t ca = a.at(i).unicode(), cb = b.at(j).unicode();
        if (rank(ca) != rank(cb))
            return rank(ca) < rank(cb) ? -1 : 1;
        if (rank(ca) == 1) {
            // Without leading zeros the longer number is the larger; numbers of one length
            // compare digit by digit.
            const qsizetype endA = digitsFrom(a, i), endB = digitsFrom(b, j);
            if (endA - i != endB - j)
                return endA - i < endB - j ? -1 : 1;
            const int byDigits = QStringView(a).sliced(i, endA - i).compare(QStringView(b).sliced(j, endB - j));
            if (byDigits != 0)
                return byDigits < 0 ? -1 : 1;
            i = endA;
            j = endB;
            continue;
        }
        const char16_t la = ca | 0x20, lb = cb | 0x20; // lower case; a space stays a space
        if (la != lb)
            return la < lb ? -1 : 1;
        ++i;
        ++j;
    }
    return i < a.size() ? 1 : j < b.size() ? -1 : 0;
}

// Languages whose collation keeps the root order of ASCII letters, digits and spaces (no
// tailored "ch", "aa" or capitals first).
bool keepsRootOrder(const QLocale &locale)
{
    return locale.language() == QLocale::English || locale.language() == QLocale::German;
}

} // namespace

ChoreQueryModel::ChoreQueryModel(ChoreStore *store, Kind kind, QObject *parent)
    : QAbstractListModel(parent), m_store(store), m_kind(kind), m_collator(collationLocale()),
      m_rootOrder(keepsRootOrder(m_collator.locale())), m_today(ChoreDates::startOfDay(Clock::current().now()))
{
    m_collator.setNumericMode(true);
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    if (!store)
        return;
    connect(store, &ChoreStore::inserted, this, &ChoreQueryModel::onInserted);
    connect(store, &ChoreStore::aboutToRemove, this, &ChoreQueryModel::onAboutToRemove);
    connect(store, &ChoreStore::changed, this, &ChoreQueryModel::onChanged);
    connect(store, &ChoreStore::peopleChanged, this, [this](Chore *chore) {
        if (m_keeps)
            onChanged(chore, Chore::Field::Title);
    });
    // Older finished chores read into memory were in the query all along: they go in as rows.
    connect(store, &ChoreStore::loaded, this, [this](const QList<Chore *> &chores) {
        for (Chore *chore : chores)
            onInserted(chore);
    });
    rebuild();
}

int ChoreQueryModel::shown(size_t size) const
{
    const int limit = fetchLimit();
    const int all = int(std::min<size_t>(size, size_t(std::numeric_limits<int>::max())));
    return limit < 0 ? all : std::min(all, limit);
}

int ChoreQueryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_shown;
}

std::vector<Chore *> ChoreQueryModel::rows() const
{
    std::vector<Chore *> out;
    out.reserve(size_t(m_shown));
    for (int i = 0; i < m_shown; ++i)
        out.push_back(m_all[size_t(i)].chore);
    return out;
}

Chore *ChoreQueryModel::choreAt(int row) const
{
    return row >= 0 && row < rowCount() ? m_all[size_t(row)].chore : nullptr;
}

QVariant ChoreQueryModel::data(const QModelIndex &index, int role) const
{
    Chore *chore = choreAt(index.row());
    if (!index.isValid() || !chore)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case TitleRole: return chore->title();
    case ChoreRole: return QVariant::fromValue(chore);
    case ColorRole: return chore->color();
    case PersistentIdRole: return chore->persistentId();
    case DaysLeftRole: return chore->daysUntilDue(m_today, false);
    case TimeLeftRole: return chore->timeLeftText(m_today, true, false);
    default: return {};
    }
}

QHash<int, QByteArray> ChoreQueryModel::roleNames() const
{
    return {{Qt::DisplayRole, "display"},
            {ChoreRole, "chore"},
            {TitleRole, "title"},
            {ColorRole, "choreColor"},
            {PersistentIdRole, "persistentId"},
            {DaysLeftRole, "daysLeft"},
            {TimeLeftRole, "timeLeft"}};
}

void ChoreQueryModel::setToday(const QDateTime &today)
{
    if (m_today != today) {
        m_today = today;
        emit todayChanged();
    }
    if (m_shown > 0)
        emit dataChanged(index(0), index(m_shown - 1), {DaysLeftRole, TimeLeftRole});
}

bool ChoreQueryModel::matches(const Chore *chore) const
{
    return (m_kind == Kind::Active ? !chore->isFinished() : chore->isFinished()) && (!m_keeps || m_keeps(chore));
}

void ChoreQueryModel::setFilter(std::function<bool(const Chore *)> keeps)
{
    m_keeps = std::move(keeps);
    refilter();
}

void ChoreQueryModel::refilter()
{
    if (!m_store)
        return;
    for (auto position = m_all.size(); position-- > 0;) {
        if (!matches(m_all[position].chore))
            removeAt(position);
    }
    for (Chore *chore : m_store->chores()) {
        if (matches(chore) && find(chore) == m_all.end())
            insertSorted(chore);
    }
}

ChoreQueryModel::Entry ChoreQueryModel::entry(Chore *chore) const
{
    const qint64 first = m_kind == Kind::Active ? sortKey(chore->dueDate())
                                                : -(sortKey(chore->endDateOrInvalid()) + 1); // newest first, no overflow
    const QString title = chore->title();
    return {chore, first, sortKey(chore->startDate()), title, m_rootOrder && isPlain(title)};
}

int ChoreQueryModel::compareTitles(const Entry &a, const Entry &b) const
{
    return a.plain && b.plain ? comparePlain(a.title, b.title) : m_collator.compare(a.title, b.title);
}

bool ChoreQueryModel::entryLess(const Entry &a, const Entry &b) const
{
    if (a.first != b.first)
        return a.first < b.first;
    if (a.start != b.start)
        return a.start < b.start;
    const int byTitle = compareTitles(a, b);
    if (byTitle != 0)
        return byTitle < 0;
    // Equal in every key: keep the order stable across changes.
    return a.chore->persistentId() < b.chore->persistentId();
}

bool ChoreQueryModel::lessThan(const Chore *a, const Chore *b) const
{
    return entryLess(entry(const_cast<Chore *>(a)), entry(const_cast<Chore *>(b)));
}

std::vector<ChoreQueryModel::Entry>::iterator ChoreQueryModel::find(const Chore *chore)
{
    return std::find_if(m_all.begin(), m_all.end(), [chore](const Entry &e) { return e.chore == chore; });
}

void ChoreQueryModel::rebuild()
{
    m_all.clear();
    for (Chore *chore : m_store->chores()) {
        if (matches(chore))
            m_all.push_back(entry(chore));
    }
    std::sort(m_all.begin(), m_all.end(), [this](const Entry &a, const Entry &b) { return entryLess(a, b); });
    m_shown = shown(m_all.size());
}

size_t ChoreQueryModel::sortedPosition(const Entry &e) const
{
    return size_t(std::lower_bound(m_all.begin(), m_all.end(), e,
                                   [this](const Entry &a, const Entry &b) { return entryLess(a, b); })
                  - m_all.begin());
}

void ChoreQueryModel::insertSorted(Chore *chore)
{
    Entry e = entry(chore);
    const size_t position = sortedPosition(e);
    const int limit = fetchLimit();
    if (limit >= 0 && position >= size_t(limit)) {
        m_all.insert(m_all.begin() + qsizetype(position), std::move(e));
        return;
    }
    const int before = m_shown;
    // A full page first lets go of its last row, so the count never passes the limit.
    if (limit >= 0 && m_shown == limit) {
        beginRemoveRows({}, limit - 1, limit - 1);
        --m_shown;
        endRemoveRows();
    }
    beginInsertRows({}, int(position), int(position));
    m_all.insert(m_all.begin() + qsizetype(position), std::move(e));
    ++m_shown;
    endInsertRows();
    if (m_shown != before)
        emit countChanged();
}

void ChoreQueryModel::removeAt(size_t position)
{
    if (position >= size_t(m_shown)) {
        m_all.erase(m_all.begin() + qsizetype(position));
        return;
    }
    const int before = m_shown;
    beginRemoveRows({}, int(position), int(position));
    m_all.erase(m_all.begin() + qsizetype(position));
    --m_shown;
    endRemoveRows();
    // The first chore beyond the limit moves into the page.
    if (m_shown < shown(m_all.size())) {
        beginInsertRows({}, m_shown, m_shown);
        ++m_shown;
        endInsertRows();
    }
    if (m_shown != before)
        emit countChanged();
}

void ChoreQueryModel::onInserted(Chore *chore)
{
    if (matches(chore))
        insertSorted(chore);
}

void ChoreQueryModel::onAboutToRemove(Chore *chore)
{
    const auto it = find(chore);
    if (it != m_all.end())
        removeAt(size_t(it - m_all.begin()));
}

void ChoreQueryModel::onChanged(Chore *chore, Chore::Field field)
{
    const auto it = find(chore);
    const bool present = it != m_all.end();
    const bool wanted = matches(chore);
    if (!present) {
        if (wanted)
            insertSorted(chore);
        return;
    }
    const size_t position = size_t(it - m_all.begin());
    if (!wanted) {
        removeAt(position);
        return;
    }
    *it = entry(chore);
    const bool sorted = (position == 0 || !entryLess(m_all[position], m_all[position - 1]))
        && (position + 1 == m_all.size() || !entryLess(m_all[position + 1], m_all[position]));
    if (!sorted) {
        removeAt(position);
        insertSorted(chore);
        return;
    }
    if (position < size_t(m_shown)) {
        const QModelIndex index = this->index(int(position));
        QList<int> roles;
        if (field == Chore::Field::Title)
            roles = {Qt::DisplayRole, TitleRole};
        else if (field == Chore::Field::ColorComponents)
            roles = {ColorRole};
        else if (field == Chore::Field::DueDate)
            roles = {DaysLeftRole, TimeLeftRole};
        emit dataChanged(index, index, roles);
    }
}

} // namespace Velmora
