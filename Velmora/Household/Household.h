#pragma once

#include <QAbstractListModel>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

namespace Velmora {

class Chore;
class ChoreChanges;
class HouseholdMembers;
namespace Sync {
class SyncAccount;
}

// The people who share the chores: this device's member (me), everyone the chores name, and
// those added by hand. Every change to them goes through ChoreChanges as one write.
class Household : public QObject {
    Q_OBJECT
    // This device's member: what finishing records and what "mine" means.
    Q_PROPERTY(QString me READ me WRITE setMe NOTIFY meChanged)
    // Sorted for people.
    Q_PROPERTY(QStringList members READ members NOTIFY membersChanged)
    // Roles: name, assignedCount, finishedCount, isMe, addedByHand.
    Q_PROPERTY(QAbstractListModel *model READ model CONSTANT)
    // The main list and the nearest chores show only chores for me or for anyone.
    Q_PROPERTY(bool mineOnly READ mineOnly WRITE setMineOnly NOTIFY mineOnlyChanged)
    // Reminders ring here only for chores for me or for anyone.
    Q_PROPERTY(bool remindMineOnly READ remindMineOnly WRITE setRemindMineOnly NOTIFY remindMineOnlyChanged)

public:
    // account may be null (no sync in this process): its user then names nobody.
    explicit Household(ChoreChanges &changes, const Sync::SyncAccount *account = nullptr, QObject *parent = nullptr);
    // The account whose name is the default member; it may come after the household, which the
    // reminders ask from the start.
    void setAccount(const Sync::SyncAccount *account);
    ~Household() override;

    QString me() const { return m_me; }
    // Remembered; a blank name goes back to the default.
    void setMe(const QString &name);
    QStringList members() const;
    QAbstractListModel *model() const;
    bool mineOnly() const { return m_mineOnly; }
    void setMineOnly(bool mineOnly);
    bool remindMineOnly() const { return m_remindMineOnly; }
    void setRemindMineOnly(bool remindMineOnly);

    Q_INVOKABLE bool add(const QString &name);
    Q_INVOKABLE bool rename(const QString &from, const QString &to);
    Q_INVOKABLE bool remove(const QString &name);
    // For me or for anyone.
    bool isMine(const Chore *chore) const;
    Q_INVOKABLE bool isMine(Velmora::Chore *chore) const { return isMine(static_cast<const Chore *>(chore)); }
    // Whether the main list and the nearest chores show it (mineOnly), and whether its reminder
    // rings here (remindMineOnly).
    bool shows(const Chore *chore) const { return !m_mineOnly || isMine(chore); }
    bool remindsOf(const Chore *chore) const { return !m_remindMineOnly || isMine(chore); }

    // Who this device is when nobody said: the account's name, else the computer user's full
    // name, else their login.
    QString defaultMember() const;
    static QString computerUser();

signals:
    void meChanged();
    void membersChanged();
    void mineOnlyChanged();
    void remindMineOnlyChanged();

private:
    void useMe(const QString &name);
    // Counts the members again now, or once they are next read.
    void changed();
    void refresh() const;

    ChoreChanges &m_changes;
    const Sync::SyncAccount *m_account = nullptr;
    QString m_me;
    bool m_meChosen = false;
    bool m_mineOnly = false;
    bool m_remindMineOnly = true;
    HouseholdMembers *m_model;
    // Counted when first read, not at start-up; after that, once after each burst of store
    // changes (a sync).
    mutable bool m_read = false;
    mutable bool m_stale = true;
    QTimer m_later;
};

} // namespace Velmora
