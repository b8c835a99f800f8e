#include "Velmora/Screens/ChoreEditor.h"

#include "Velmora/App/Router.h"
#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Model/ChoreChanges.h"
#include "Velmora/Platform/Clock.h"
#include "Velmora/Screens/ScreenTexts.h"

#include <QCoreApplication>

#include <cmath>

namespace Velmora {

ChoreEditor::ChoreEditor(QObject *parent)
    : QObject(parent), m_color(ColorComponentsModel::standardRed().color())
{
    const ChoreFields defaults = ChoreFields::defaults();
    m_startDate = defaults.startDate;
    m_dueDate = defaults.dueDate;
    m_loaded = workingFields();
}

void ChoreEditor::setOperation(EditingOperation operation)
{
    m_operation = operation;
    emit operationChanged();
}

void ChoreEditor::setChore(Chore *chore)
{
    m_chore = chore;
    emit operationChanged();
}

void ChoreEditor::setChanges(ChoreChanges *changes)
{
    m_changes = changes;
    emit servicesChanged();
}

void ChoreEditor::setRouter(Router *router)
{
    m_router = router;
    emit servicesChanged();
}

void ChoreEditor::setTitle(const QString &title)
{
    m_title = title;
    emit titleChanged();
}

void ChoreEditor::setColor(const QColor &color)
{
    // The picker offers no opacity and a chore is always opaque.
    m_color = color;
    m_color.setAlphaF(1);
    emit colorChanged();
}

void ChoreEditor::setDueDate(const QDateTime &dueDate)
{
    m_dueDate = dueDate;
    emit datesChanged();
}

int ChoreEditor::plannedDays() const
{
    return ChoreDates::dayDifference(m_startDate, m_dueDate);
}

void ChoreEditor::setPlannedDays(int days)
{
    setDueDate(ChoreDates::addDays(m_startDate, days));
}

QString ChoreEditor::plannedText() const
{
    return ChoreDates::durationText(plannedDays());
}

void ChoreEditor::setNotify(bool notify)
{
    m_notify = notify;
    emit notifyChanged();
}

void ChoreEditor::setNotificationTime(double seconds)
{
    m_notificationTime = seconds;
    emit notificationTimeChanged();
}

int ChoreEditor::reminderHour() const
{
    return int(ScreenTexts::secondsIntoDay(m_notificationTime) / 3600);
}

void ChoreEditor::setReminderHour(int hour)
{
    setNotificationTime(double(qBound(0, hour, 23) * 3600 + reminderMinute() * 60));
}

int ChoreEditor::reminderMinute() const
{
    return int(ScreenTexts::secondsIntoDay(m_notificationTime) % 3600 / 60);
}

void ChoreEditor::setReminderMinute(int minute)
{
    setNotificationTime(double(reminderHour() * 3600 + qBound(0, minute, 59) * 60));
}

QDate ChoreEditor::firstPickableDay() const
{
    const Clock &clock = Clock::current();
    return clock.now().toTimeZone(clock.timeZone()).date();
}

QDate ChoreEditor::lastPickableDay() const
{
    return firstPickableDay().addDays(maxDays());
}

QDate ChoreEditor::dueDay() const
{
    return m_dueDate.isValid() ? m_dueDate.toTimeZone(Clock::current().timeZone()).date() : QDate();
}

void ChoreEditor::setDueDay(const QDate &day)
{
    if (day.isValid())
        setDueDate(day.startOfDay(Clock::current().timeZone()));
}

QString ChoreEditor::saveLabel() const
{
    switch (m_operation) {
    case EditingOperation::update: return tr("Update");
    case EditingOperation::repeat: return tr("Repeat");
    case EditingOperation::copy:
    case EditingOperation::add: return tr("Add");
    }
    return {};
}

void ChoreEditor::load()
{
    if (m_operation == EditingOperation::add || !m_chore)
        return;
    const Chore &source = *m_chore;
    m_title = source.title();
    m_color = source.color();
    m_startDate = source.startDate();
    m_dueDate = source.dueDate();
    m_notify = source.notify();
    m_notificationTime = source.notificationTime();
    if (m_operation == EditingOperation::repeat || m_operation == EditingOperation::copy) {
        // A new run starts today and keeps the old run's planned length.
        m_startDate = ChoreDates::startOfDay(Clock::current().now());
        const int planned = source.daysUntilDue(source.startDate(), false);
        m_dueDate = ChoreDates::addDays(m_startDate, planned);
    }
    m_loaded = workingFields();
    emit titleChanged();
    emit colorChanged();
    emit datesChanged();
    emit notifyChanged();
    emit notificationTimeChanged();
}

ChoreFields ChoreEditor::workingFields() const
{
    ChoreFields fields;
    fields.title = m_title;
    fields.colorComponents = ColorComponentsModel::fromColor(m_color);
    fields.startDate = m_startDate;
    fields.dueDate = m_dueDate;
    fields.notify = m_notify;
    fields.notificationTime = m_notificationTime;
    return fields;
}

bool ChoreEditor::fail(const QString &error)
{
    m_lastError = error.isEmpty() ? tr("The chore could not be saved.") : error;
    emit lastErrorChanged();
    return false;
}

bool ChoreEditor::save()
{
    if (!m_changes)
        return fail({});
    const ChoreFields fields = workingFields();
    Chore *saved = nullptr;
    switch (m_operation) {
    case EditingOperation::update:
        saved = m_changes->update(m_chore, fields) ? m_chore.data() : nullptr;
        break;
    case EditingOperation::repeat:
        // Without its old run (deleted meanwhile) a repeat is still a new run.
        saved = m_chore ? m_changes->repeat(m_chore, fields) : m_changes->add(fields);
        break;
    case EditingOperation::copy:
    case EditingOperation::add:
        saved = m_changes->add(fields);
        break;
    }
    if (!saved)
        return fail(m_changes->lastError());
    if (!m_lastError.isEmpty()) {
        m_lastError.clear();
        emit lastErrorChanged();
    }
    emit this->saved(saved);
    if (m_operation == EditingOperation::repeat || m_operation == EditingOperation::copy) {
        if (m_router)
            m_router->popToRoot();
    } else {
        emit dismissRequested();
    }
    return true;
}

} // namespace Velmora
