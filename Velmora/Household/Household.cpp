#include "Velmora/Household/Household.h"

#include "Velmora/Model/ChoreChanges.h"
#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Platform/SettingsLock.h"
#include "Velmora/Sync/SyncAccount.h"

#include <QSettings>

#include <pwd.h>
#include <unistd.h>

#include <algorithm>

namespace Velmora {

namespace {

const QString meKey = QStringLiteral("household/me");
const QString mineOnlyKey = QStringLiteral("household/mineOnly");
const QString remindMineOnlyKey = QStringLiteral("household/remindMineOnly");

void remember(const QString &key, const QVariant &value)
{
    QSettings settings;
    releaseOrphanedLock(settings);
    if (value.isNull())
        settings.remove(key);
    else
        settings.setValue(key, value);
}

} // namespace

// The members with their counts, read again whenever the chores change.
class HouseholdMembers : public QAbstractListModel {
public:
    enum Role { NameRole = Qt::UserRole + 1, AssignedCountRole, FinishedCountRole, IsMeRole, AddedByHandRole };
    struct Member {
        QString name;
        int assigned = 0;
        qint64 finished = 0;
        bool handAdded = false;
    };

    explicit HouseholdMembers(QObject *parent) : QAbstractListModel(parent) {}

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : int(m_members.size()); }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= m_members.size())
            return {};
        const Member &m = m_members.at(index.row());
        switch (role) {
        case Qt::DisplayRole:
        case NameRole: return m.name;
        case AssignedCountRole: return m.assigned;
        case FinishedCountRole: return m.finished;
        case IsMeRole: return m.name == m_me;
        case AddedByHandRole: return m.handAdded;
        default: return {};
        }
    }
    QHash<int, QByteArray> roleNames() const override
    {
        return {{NameRole, "name"},
                {AssignedCountRole, "assignedCount"},
                {FinishedCountRole, "finishedCount"},
                {IsMeRole, "isMe"},
                {AddedByHandRole, "addedByHand"}};
    }

    // Whether the names changed.
    bool set(const QList<Member> &members, const QString &me)
    {
        const bool renamed = namesOf(members) != namesOf(m_members);
        beginResetModel();
        m_members = members;
        m_me = me;
        endResetModel();
        return renamed;
    }
    QStringList names() const { return namesOf(m_members); }

    static QStringList namesOf(const QList<Member> &members)
    {
        QStringList out;
        for (const Member &m : members)
            out << m.name;
        return out;
    }

private:
    QList<Member> m_members;
    QString m_me;
};

Household::Household(ChoreChanges &changes, const Sync::SyncAccount *account, QObject *parent)
    : QObject(parent), m_changes(changes), m_model(new HouseholdMembers(this))
{
    const QSettings settings;
    m_mineOnly = settings.value(mineOnlyKey, false).toBool();
    m_remindMineOnly = settings.value(remindMineOnlyKey, true).toBool();
    const QString chosen = ChorePeople::cleanName(settings.value(meKey).toString());
    m_meChosen = !chosen.isEmpty();
    useMe(m_meChosen ? chosen : defaultMember());

    m_later.setSingleShot(true);
    m_later.setInterval(0);
    connect(&m_later, &QTimer::timeout, this, &Household::refresh);
    if (const ChoreStore *store = changes.store()) {
        const auto later = [this] { changed(); };
        connect(store, &ChoreStore::inserted, this, later);
        connect(store, &ChoreStore::removed, this, later);
        connect(store, &ChoreStore::peopleChanged, this, later);
        connect(store, &ChoreStore::membersChanged, this, later);
        connect(store, &ChoreStore::changed, this, [later](Chore *, Chore::Field field) {
            if (field == Chore::Field::EndDate)
                later();
        });
    }
    setAccount(account);
}

void Household::setAccount(const Sync::SyncAccount *account)
{
    if (m_account)
        disconnect(m_account, nullptr, this, nullptr);
    m_account = account;
    if (m_account) {
        connect(m_account, &Sync::SyncAccount::accountChanged, this, [this] {
            if (!m_meChosen)
                useMe(defaultMember());
        });
    }
    if (!m_meChosen)
        useMe(defaultMember());
}

void Household::changed()
{
    m_stale = true;
    if (m_read)
        m_later.start();
}

Household::~Household() = default;

QString Household::computerUser()
{
    const passwd *user = getpwuid(getuid());
    if (!user)
        return ChorePeople::cleanName(qEnvironmentVariable("USER"));
    // The full name is the first comma-separated part of the GECOS field.
    const QString full = ChorePeople::cleanName(
        QString::fromLocal8Bit(user->pw_gecos ? user->pw_gecos : "").section(QLatin1Char(','), 0, 0));
    return full.isEmpty() ? ChorePeople::cleanName(QString::fromLocal8Bit(user->pw_name)) : full;
}

QString Household::defaultMember() const
{
    if (m_account) {
        for (const QString &name : {m_account->displayName(), m_account->user()}) {
            if (const QString clean = ChorePeople::cleanName(name); !clean.isEmpty())
                return clean;
        }
    }
    return computerUser();
}

void Household::useMe(const QString &name)
{
    if (name == m_me)
        return;
    m_me = name;
    m_changes.setMember(name);
    emit meChanged();
    changed();
}

void Household::setMe(const QString &name)
{
    const QString clean = ChorePeople::cleanName(name);
    m_meChosen = !clean.isEmpty();
    remember(meKey, m_meChosen ? QVariant(clean) : QVariant());
    useMe(m_meChosen ? clean : defaultMember());
}

void Household::setMineOnly(bool mineOnly)
{
    if (mineOnly == m_mineOnly)
        return;
    m_mineOnly = mineOnly;
    remember(mineOnlyKey, mineOnly);
    emit mineOnlyChanged();
}

void Household::setRemindMineOnly(bool remindMineOnly)
{
    if (remindMineOnly == m_remindMineOnly)
        return;
    m_remindMineOnly = remindMineOnly;
    remember(remindMineOnlyKey, remindMineOnly);
    emit remindMineOnlyChanged();
}

QStringList Household::members() const
{
    refresh();
    return m_model->names();
}

QAbstractListModel *Household::model() const
{
    refresh();
    return m_model;
}

bool Household::isMine(const Chore *chore) const
{
    if (!chore)
        return false;
    const QString assignee = chore->assignee();
    return assignee.isEmpty() || assignee == m_me;
}

bool Household::add(const QString &name)
{
    return m_changes.addMember(name);
}

bool Household::rename(const QString &from, const QString &to)
{
    if (!m_changes.renameMember(from, to))
        return false;
    // Renaming oneself is choosing a name.
    if (from == m_me)
        setMe(to);
    return true;
}

bool Household::remove(const QString &name)
{
    return m_changes.removeMember(name);
}

void Household::refresh() const
{
    m_read = true;
    const ChoreStore *store = m_changes.store();
    if (!m_stale || !store)
        return;
    m_stale = false;
    QHash<QString, HouseholdMembers::Member> found;
    const auto member = [&found](const QString &name) -> HouseholdMembers::Member & {
        auto &m = found[name];
        m.name = name;
        return m;
    };
    // Names on the chores in memory (every active one): old finished copies add only their
    // finishers, counted below.
    for (const Chore *chore : store->chores()) {
        const ChorePeople people = chore->people();
        for (const QString &name : people.turns + QStringList{people.assignee, people.finishedBy}) {
            if (!name.isEmpty())
                member(name);
        }
    }
    for (const QString &name : store->handAddedMembers())
        member(name).handAdded = true;
    if (!m_me.isEmpty())
        member(m_me);
    for (const Chore *chore : store->chores()) {
        if (!chore->isFinished() && !chore->assignee().isEmpty())
            ++member(chore->assignee()).assigned;
    }
    const QHash<QString, qint64> finished = store->finishedCounts();
    for (auto it = finished.cbegin(); it != finished.cend(); ++it)
        member(it.key()).finished = it.value();
    QList<HouseholdMembers::Member> members = found.values();
    const QCollator collator = ChorePeople::nameCollator();
    std::sort(members.begin(), members.end(), [&collator](const auto &a, const auto &b) {
        const int order = collator.compare(a.name, b.name);
        return order != 0 ? order < 0 : a.name < b.name;
    });
    if (m_model->set(members, m_me)) {
        // Told after the reader that asked: a binding reading the list must not hear it change
        // while it reads.
        QMetaObject::invokeMethod(const_cast<Household *>(this), &Household::membersChanged, Qt::QueuedConnection);
    }
}

} // namespace Velmora
