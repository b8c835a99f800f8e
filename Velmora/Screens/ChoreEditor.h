#pragma once

#include "Velmora/App/Router.h"
#include "Velmora/Model/Chore.h"
#include "Velmora/Model/ChoreChanges.h"
#include "Velmora/Model/ChorePeople.h"

#include <QColor>
#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

namespace Velmora {

// The editor's working copy of a chore and its loading and saving; the screen only binds to it.
// Nothing reaches the store before save().
class ChoreEditor : public QObject {
    Q_OBJECT
    QML_ELEMENT

    Q_PROPERTY(EditingOperation operation READ operation WRITE setOperation NOTIFY operationChanged)
    Q_PROPERTY(Velmora::Chore *chore READ chore WRITE setChore NOTIFY operationChanged)
    Q_PROPERTY(Velmora::ChoreChanges *changes READ changes WRITE setChanges NOTIFY servicesChanged)
    Q_PROPERTY(Velmora::Router *router READ router WRITE setRouter NOTIFY servicesChanged)

    Q_PROPERTY(QString title READ title WRITE setTitle NOTIFY titleChanged)
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY colorChanged)
    Q_PROPERTY(QDateTime startDate READ startDate NOTIFY datesChanged)
    Q_PROPERTY(QDateTime dueDate READ dueDate WRITE setDueDate NOTIFY datesChanged)
    Q_PROPERTY(int plannedDays READ plannedDays WRITE setPlannedDays NOTIFY datesChanged)
    Q_PROPERTY(QString plannedText READ plannedText NOTIFY datesChanged)
    Q_PROPERTY(bool notify READ notify WRITE setNotify NOTIFY notifyChanged)
    Q_PROPERTY(double notificationTime READ notificationTime WRITE setNotificationTime NOTIFY notificationTimeChanged)
    Q_PROPERTY(int reminderHour READ reminderHour WRITE setReminderHour NOTIFY notificationTimeChanged)
    Q_PROPERTY(int reminderMinute READ reminderMinute WRITE setReminderMinute NOTIFY notificationTimeChanged)
    Q_PROPERTY(int maxDays READ maxDays CONSTANT)
    // The days the due-date picker offers: today to today + maxDays.
    Q_PROPERTY(QDate firstPickableDay READ firstPickableDay NOTIFY datesChanged)
    Q_PROPERTY(QDate lastPickableDay READ lastPickableDay NOTIFY datesChanged)
    Q_PROPERTY(QDate dueDay READ dueDay WRITE setDueDay NOTIFY datesChanged)
    Q_PROPERTY(QString saveLabel READ saveLabel NOTIFY operationChanged)
    // How the chore repeats. A rule the editor cannot show stays as it is (repeatCustom, shown by
    // repeatText) until changeRepeat(); a rule left untouched is saved in its own spelling.
    Q_PROPERTY(RepeatFrequency repeatFrequency READ repeatFrequency WRITE setRepeatFrequency NOTIFY repeatChanged)
    Q_PROPERTY(int repeatInterval READ repeatInterval WRITE setRepeatInterval NOTIFY repeatChanged)
    Q_PROPERTY(int maxRepeatInterval READ maxRepeatInterval CONSTANT)
    // The weekdays a weekly rule falls on (1 = Monday); the due day's when none was chosen.
    Q_PROPERTY(QList<int> repeatWeekdays READ repeatWeekdays NOTIFY repeatChanged)
    Q_PROPERTY(bool repeatAfterFinishing READ repeatAfterFinishing WRITE setRepeatAfterFinishing NOTIFY repeatChanged)
    Q_PROPERTY(bool repeatCustom READ repeatCustom NOTIFY repeatChanged)
    // The whole rule in words, and "Every 2 weeks" alone.
    Q_PROPERTY(QString repeatText READ repeatText NOTIFY repeatChanged)
    Q_PROPERTY(QString repeatEveryText READ repeatEveryText NOTIFY repeatChanged)
    // Where finishing it today would move it: "Finished today, it comes back on Wednesday, 23 December 2026."
    Q_PROPERTY(QString nextDueText READ nextDueText NOTIFY repeatChanged)
    // The seven weekdays from the locale's first day of the week.
    Q_PROPERTY(QList<int> weekOrder READ weekOrder CONSTANT)
    Q_PROPERTY(QString lastError READ lastError NOTIFY lastErrorChanged)
    // Who does it: anyone, one member, or members taking turns (offered only while it repeats).
    Q_PROPERTY(Who who READ who WRITE setWho NOTIFY peopleChanged)
    // The household's members to choose from, as the household lists them.
    Q_PROPERTY(QStringList members READ members WRITE setMembers NOTIFY peopleChanged)
    // Those and the chore's own people, in the household's order: what the Who row offers.
    Q_PROPERTY(QStringList choices READ choices NOTIFY peopleChanged)
    // The one member, or whose turn it is now.
    Q_PROPERTY(QString assignee READ assignee NOTIFY peopleChanged)
    Q_PROPERTY(QStringList turns READ turns NOTIFY peopleChanged)
    // The rows of the turn order: its members in order, then the others, as {name, taking, place, now}.
    Q_PROPERTY(QVariantList turnRows READ turnRows NOTIFY peopleChanged)
    Q_PROPERTY(bool turnsOffered READ turnsOffered NOTIFY repeatChanged)
    // What the Who row lists: "Anyone", each choice, "Taking turns" while offered; and which is shown.
    Q_PROPERTY(QStringList whoOptions READ whoOptions NOTIFY peopleChanged)
    Q_PROPERTY(int whoIndex READ whoIndex NOTIFY peopleChanged)

public:
    // QML reads enum keys only when capitalised: the capitalised names are the same values.
    enum class EditingOperation { update, repeat, copy, add, Update = update, Repeat = repeat, Copy = copy, Add = add };
    Q_ENUM(EditingOperation)
    // Recurrence::Frequency's values, for QML.
    enum class RepeatFrequency { Never, Daily, Weekly, Monthly, Yearly };
    Q_ENUM(RepeatFrequency)
    enum class Who { Anyone, One, Turns };
    Q_ENUM(Who)

    explicit ChoreEditor(QObject *parent = nullptr);

    EditingOperation operation() const { return m_operation; }
    void setOperation(EditingOperation operation);
    Chore *chore() const { return m_chore; }
    void setChore(Chore *chore);
    ChoreChanges *changes() const { return m_changes; }
    void setChanges(ChoreChanges *changes);
    Router *router() const { return m_router; }
    void setRouter(Router *router);

    QString title() const { return m_title; }
    void setTitle(const QString &title);
    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    QDateTime startDate() const { return m_startDate; }
    QDateTime dueDate() const { return m_dueDate; }
    void setDueDate(const QDateTime &dueDate);
    int plannedDays() const;
    void setPlannedDays(int days);
    QString plannedText() const;
    bool notify() const { return m_notify; }
    void setNotify(bool notify);
    double notificationTime() const { return m_notificationTime; }
    void setNotificationTime(double seconds);
    int reminderHour() const;
    void setReminderHour(int hour);
    int reminderMinute() const;
    void setReminderMinute(int minute);
    static constexpr int maxDays() { return 1095; }
    QDate firstPickableDay() const;
    QDate lastPickableDay() const;
    QDate dueDay() const;
    void setDueDay(const QDate &day);
    QString saveLabel() const;
    QString lastError() const { return m_lastError; }

    RepeatFrequency repeatFrequency() const { return RepeatFrequency(m_repeat.frequency); }
    void setRepeatFrequency(RepeatFrequency frequency);
    int repeatInterval() const { return m_repeat.interval; }
    void setRepeatInterval(int interval);
    static constexpr int maxRepeatInterval() { return Recurrence::maxInterval; }
    QList<int> repeatWeekdays() const;
    bool repeatAfterFinishing() const { return m_repeat.afterFinishing; }
    void setRepeatAfterFinishing(bool afterFinishing);
    bool repeatCustom() const { return m_repeatCustom; }
    QString repeatText() const { return workingRecurrence().text(dueDay()); }
    QString repeatEveryText() const;
    QString nextDueText() const;
    static QList<int> weekOrder();
    // Turns a weekday of a weekly rule on or off; the last one stays on.
    Q_INVOKABLE void toggleRepeatWeekday(int day);
    // Leaves a rule the editor cannot show for the nearest one it can.
    Q_INVOKABLE void changeRepeat();
    // The rule save() writes.
    Recurrence workingRecurrence() const;

    Who who() const;
    void setWho(Who who);
    QStringList members() const { return m_members; }
    void setMembers(const QStringList &members);
    QStringList choices() const;
    QString assignee() const;
    QStringList turns() const { return m_turns; }
    QVariantList turnRows() const;
    bool turnsOffered() const { return workingRecurrence().repeats(); }
    QStringList whoOptions() const;
    int whoIndex() const;
    // Picks an entry of whoOptions.
    Q_INVOKABLE void chooseWho(int index);
    // One member does it.
    Q_INVOKABLE void assignTo(const QString &member);
    // Puts a member into the turn order, at its end, or takes them out of it.
    Q_INVOKABLE void toggleTurn(const QString &member);
    // Moves the member at place `from` of the turn order to place `to`; false when nothing moved.
    Q_INVOKABLE bool moveTurn(int from, int to);
    // The people save() writes: a chore that does not repeat takes no turns, only whose turn it was.
    ChorePeople workingPeople() const;

    // The day the user picked in the calendar (month 1-12).
    Q_INVOKABLE void pickDueDay(int year, int month, int day) { setDueDay(QDate(year, month, day)); }

    // Takes the chore's fields for update, repeat and copy; add keeps the new-chore values.
    Q_INVOKABLE void load();
    // Whether anything differs from what load() took: leaving then asks first.
    Q_INVOKABLE bool hasChanges() const { return workingFields() != m_loaded || repeatTouched() || peopleTouched(); }
    // Writes to the store through the changes and asks to leave. When the store cannot
    // write, nothing is reported as saved: the edit stays and lastError says why.
    Q_INVOKABLE bool save();

signals:
    void operationChanged();
    void servicesChanged();
    void titleChanged();
    void colorChanged();
    void datesChanged();
    void notifyChanged();
    void notificationTimeChanged();
    void lastErrorChanged();
    void repeatChanged();
    void peopleChanged();
    // After saving an update or an add: the screen pops itself.
    void dismissRequested();
    // After a successful save, with the chore that now carries the edit.
    void saved(Velmora::Chore *chore);

private:
    ChoreFields workingFields() const;
    bool repeatTouched() const;
    bool peopleTouched() const;
    bool fail(const QString &error);

    EditingOperation m_operation = EditingOperation::add;
    QPointer<Chore> m_chore;
    QPointer<ChoreChanges> m_changes;
    QPointer<Router> m_router;
    QString m_title;
    QColor m_color;
    QDateTime m_startDate;
    QDateTime m_dueDate;
    bool m_notify = false;
    double m_notificationTime = ChoreFields::defaultNotificationTime;
    QString m_lastError;
    ChoreFields m_loaded;
    Recurrence::Simple m_repeat;
    bool m_repeatCustom = false;
    // The rule as loaded, with the due day it was loaded at and the choice it showed then.
    Recurrence m_loadedRecurrence;
    QDate m_loadedRecurrenceDue;
    Recurrence::Simple m_loadedRepeat;
    bool m_loadedCustom = false;
    Who m_who = Who::Anyone;
    QString m_assignee;
    QStringList m_turns;
    QStringList m_members;
    ChorePeople m_loadedPeople;
};

} // namespace Velmora
