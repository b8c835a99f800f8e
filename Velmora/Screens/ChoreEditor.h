#pragma once

#include "Velmora/App/Router.h"
#include "Velmora/Model/Chore.h"
#include "Velmora/Model/ChoreChanges.h"

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
    Q_PROPERTY(QString lastError READ lastError NOTIFY lastErrorChanged)

public:
    // QML reads enum keys only when capitalised: the capitalised names are the same values.
    enum class EditingOperation { update, repeat, copy, add, Update = update, Repeat = repeat, Copy = copy, Add = add };
    Q_ENUM(EditingOperation)

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

    // The day the user picked in the calendar (month 1-12).
    Q_INVOKABLE void pickDueDay(int year, int month, int day) { setDueDay(QDate(year, month, day)); }

    // Takes the chore's fields for update, repeat and copy; add keeps the new-chore values.
    Q_INVOKABLE void load();
    // Whether anything differs from what load() took: leaving then asks first.
    Q_INVOKABLE bool hasChanges() const { return workingFields() != m_loaded; }
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
    // After saving an update or an add: the screen pops itself.
    void dismissRequested();
    // After a successful save, with the chore that now carries the edit.
    void saved(Velmora::Chore *chore);

private:
    ChoreFields workingFields() const;
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
    double m_notificationTime = 32400;
    QString m_lastError;
    ChoreFields m_loaded;
};

} // namespace Velmora
