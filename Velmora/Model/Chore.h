#pragma once

#include "Velmora/Model/ChorePeople.h"
#include "Velmora/Model/ColorComponentsModel.h"
#include "Velmora/Model/Recurrence.h"

#include <QColor>
#include <QDateTime>
#include <QObject>
#include <QString>

#include <optional>

namespace Velmora {

class ChoreStore;

// The seven stored fields of a chore, as a plain value.
struct ChoreFields {
    QString title;
    ColorComponentsModel colorComponents = ColorComponentsModel::standardRed();
    QDateTime startDate;
    QDateTime dueDate;
    std::optional<QDateTime> endDate;
    bool notify = false;
    double notificationTime = defaultNotificationTime;

    // The reminder's time of day when nothing says otherwise: 09:00, in seconds.
    static constexpr double defaultNotificationTime = 32400;

    // The schema's defaults: empty title, standard red, start and due at the start of today.
    static ChoreFields defaults();
    friend bool operator==(const ChoreFields &, const ChoreFields &) = default;
};

// One stored chore. The store owns exactly one object per record, so two pointers to chores
// are equal exactly when they name the same record. Only the store changes a chore, after it
// has written the change, and only ChoreChanges asks it to (see ChoreStore::WriteKey); each
// signal fires only when its value changed, and a change the store could not write leaves the
// object as it was.
class Chore : public QObject {
    Q_OBJECT

    Q_PROPERTY(qint64 persistentId READ persistentId CONSTANT)
    Q_PROPERTY(QString title READ title NOTIFY titleChanged)
    // What screens show and read for the title; the stored one may be blank.
    Q_PROPERTY(QString shownTitle READ shownTitle NOTIFY titleChanged)
    Q_PROPERTY(QColor color READ color NOTIFY colorComponentsChanged)
    Q_PROPERTY(QDateTime startDate READ startDate NOTIFY startDateChanged)
    Q_PROPERTY(QDateTime dueDate READ dueDate NOTIFY dueDateChanged)
    // Invalid while the chore is active.
    Q_PROPERTY(QDateTime endDate READ endDateOrInvalid NOTIFY endDateChanged)
    Q_PROPERTY(bool finished READ isFinished NOTIFY endDateChanged)
    Q_PROPERTY(bool notify READ notify NOTIFY notifyChanged)
    Q_PROPERTY(double notificationTime READ notificationTime NOTIFY notificationTimeChanged)
    // Counts that follow from the chore's own dates alone, so they notify with them.
    Q_PROPERTY(int plannedDays READ plannedDays NOTIFY plannedDaysChanged)
    // -1 while the chore has no end date.
    Q_PROPERTY(int daysToFinish READ daysToFinishOrMinusOne NOTIFY daysToFinishChanged)
    // How it repeats is kept beside the seven fields, by the store.
    Q_PROPERTY(bool repeats READ repeats NOTIFY recurrenceChanged)
    Q_PROPERTY(QString recurrenceText READ recurrenceText NOTIFY recurrenceChanged)
    // Who it is for and who did it, also kept beside the fields: empty assignee is anyone.
    Q_PROPERTY(QString assignee READ assignee NOTIFY peopleChanged)
    Q_PROPERTY(QStringList turns READ turns NOTIFY peopleChanged)
    Q_PROPERTY(QString finishedBy READ finishedBy NOTIFY peopleChanged)
    // The assignee's first letter as a badge shows it; empty for anyone.
    Q_PROPERTY(QString assigneeInitial READ assigneeInitial NOTIFY peopleChanged)

public:
    enum class Field { Title, ColorComponents, StartDate, DueDate, EndDate, Notify, NotificationTime };
    Q_ENUM(Field)

    // What only the store can make: it alone creates chores and gives them what it has written.
    class StoreKey {
        friend class ChoreStore;
        StoreKey() = default;
    };
    Chore(StoreKey, ChoreStore *store, qint64 id, ChoreFields fields);
    // Takes the field's value from `from` and notifies of it; false, and silent, when it is the
    // value held already.
    bool take(StoreKey, Field field, const ChoreFields &from);
    void notifyRecurrence(StoreKey) { emit recurrenceChanged(); }
    void notifyPeople(StoreKey) { emit peopleChanged(); }

    qint64 persistentId() const { return m_id; }
    // Name of the stored kind of record, the same for every chore.
    static QString entityName() { return QStringLiteral("Chore"); }

    const ChoreFields &fields() const { return m_fields; }
    QString title() const { return m_fields.title; }
    // A title as people are shown it: one of blanks alone is "Untitled chore".
    static QString shownTitle(const QString &title);
    QString shownTitle() const { return shownTitle(m_fields.title); }
    ColorComponentsModel colorComponents() const { return m_fields.colorComponents; }
    QColor color() const { return m_fields.colorComponents.color(); }
    QDateTime startDate() const { return m_fields.startDate; }
    QDateTime dueDate() const { return m_fields.dueDate; }
    std::optional<QDateTime> endDate() const { return m_fields.endDate; }
    QDateTime endDateOrInvalid() const { return m_fields.endDate.value_or(QDateTime()); }
    bool isFinished() const { return m_fields.endDate.has_value(); }
    bool notify() const { return m_fields.notify; }
    double notificationTime() const { return m_fields.notificationTime; }

    Recurrence recurrence() const;
    bool repeats() const;
    // The rule in words, for the due day it stands at; empty when the chore never repeats.
    QString recurrenceText() const;

    ChorePeople people() const;
    QString assignee() const { return people().assignee; }
    QStringList turns() const { return people().turns; }
    QString finishedBy() const { return people().finishedBy; }
    QString assigneeInitial() const;

    // Day counts in whole calendar days of the user's calendar (see ChoreDates.h).
    int daysUntilDue(const QDateTime &from, bool allowingNegative) const;
    int remainingDays() const;
    int daysSinceStart() const;
    std::optional<int> daysToFinish() const;
    // -1 when the chore has no end date.
    int daysToFinishOrMinusOne() const { return daysToFinish().value_or(-1); }
    QString timeLeftText(const QDateTime &from, bool allowingNegative, bool appendingLeft) const;
    // The planned length: days from the start day to the due day, 0 when due before it starts.
    int plannedDays() const { return daysUntilDue(m_fields.startDate, false); }

signals:
    void titleChanged();
    void colorComponentsChanged();
    void startDateChanged();
    void dueDateChanged();
    void endDateChanged();
    void notifyChanged();
    void notificationTimeChanged();
    void plannedDaysChanged();
    void daysToFinishChanged();
    // Also when a moved due day changes the rule's words.
    void recurrenceChanged();
    void peopleChanged();

private:
    // Whether the store still holds this object as its record's.
    bool held() const;

    ChoreStore *m_store;
    qint64 m_id;
    ChoreFields m_fields;
};

inline size_t qHash(const Chore &chore, size_t seed = 0) noexcept
{
    return ::qHash(chore.persistentId(), seed);
}

// Equality of chores is identity of their stored records.
inline bool sameChore(const Chore *a, const Chore *b)
{
    return a == b || (a && b && a->persistentId() == b->persistentId());
}

} // namespace Velmora
