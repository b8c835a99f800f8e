#include "Velmora/Screens/ChoreEditor.h"

#include "Velmora/App/Router.h"
#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Model/ChoreChanges.h"
#include "Velmora/Platform/Clock.h"
#include "Velmora/Screens/ScreenTexts.h"

#include <QCoreApplication>
#include <QHash>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace Velmora {

namespace {

using Frequency = Recurrence::Frequency;

// A choice as save() writes it: weekdays only for a weekly rule, nothing at all for Never.
Recurrence::Simple normalised(Recurrence::Simple simple)
{
    if (simple.frequency == Frequency::Never)
        return {};
    if (simple.frequency != Frequency::Weekly)
        simple.weekdays.clear();
    return simple;
}

// Where a rule the editor cannot show starts when the user changes it: its frequency and interval
// where they are ones the editor has, else every day.
Recurrence::Simple nearest(const Recurrence &recurrence)
{
    static const QHash<QString, Frequency> frequencies{{QStringLiteral("DAILY"), Frequency::Daily},
                                                       {QStringLiteral("WEEKLY"), Frequency::Weekly},
                                                       {QStringLiteral("MONTHLY"), Frequency::Monthly},
                                                       {QStringLiteral("YEARLY"), Frequency::Yearly}};
    Recurrence::Simple simple{Frequency::Never, 1, {}, recurrence.afterFinishing};
    int interval = 1;
    for (const QString &part : recurrence.rule.split(QLatin1Char(';'))) {
        const QString key = part.section(QLatin1Char('='), 0, 0).trimmed().toUpper();
        const QString value = part.section(QLatin1Char('='), 1).trimmed().toUpper();
        if (key == QLatin1String("FREQ"))
            simple.frequency = frequencies.value(value, Frequency::Never);
        else if (key == QLatin1String("INTERVAL"))
            interval = std::clamp(value.toInt(), 1, Recurrence::maxInterval);
    }
    if (simple.frequency == Frequency::Never)
        simple.frequency = Frequency::Daily;
    else
        simple.interval = interval;
    return simple;
}

} // namespace

ChoreEditor::ChoreEditor(QObject *parent)
    : QObject(parent), m_color(ColorComponentsModel::standardRed().color())
{
    const ChoreFields defaults = ChoreFields::defaults();
    m_startDate = defaults.startDate;
    m_dueDate = defaults.dueDate;
    m_loaded = workingFields();
    // Whether turns are offered follows the rule.
    connect(this, &ChoreEditor::repeatChanged, this, &ChoreEditor::peopleChanged);
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
    // A weekly rule without weekdays, and the words, follow the due day.
    emit repeatChanged();
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

void ChoreEditor::setRepeatFrequency(RepeatFrequency frequency)
{
    if (frequency < RepeatFrequency::Never || frequency > RepeatFrequency::Yearly)
        return;
    m_repeat.frequency = Frequency(frequency);
    emit repeatChanged();
}

void ChoreEditor::setRepeatInterval(int interval)
{
    m_repeat.interval = std::clamp(interval, 1, Recurrence::maxInterval);
    emit repeatChanged();
}

QList<int> ChoreEditor::repeatWeekdays() const
{
    if (m_repeat.weekdays.isEmpty() && dueDay().isValid())
        return {dueDay().dayOfWeek()};
    return m_repeat.weekdays;
}

void ChoreEditor::setRepeatAfterFinishing(bool afterFinishing)
{
    m_repeat.afterFinishing = afterFinishing;
    emit repeatChanged();
}

QString ChoreEditor::repeatEveryText() const
{
    if (m_repeat.frequency == Frequency::Never)
        return {};
    return Recurrence::fromSimple({m_repeat.frequency, m_repeat.interval, {}, false}, {}).text({});
}

QList<int> ChoreEditor::weekOrder()
{
    const int first = QLocale().firstDayOfWeek();
    QList<int> days;
    for (int i = 0; i < 7; ++i)
        days << (first - 1 + i) % 7 + 1;
    return days;
}

void ChoreEditor::toggleRepeatWeekday(int day)
{
    if (day < Qt::Monday || day > Qt::Sunday)
        return;
    QList<int> days = repeatWeekdays();
    if (!days.removeAll(day))
        days.append(day);
    std::sort(days.begin(), days.end());
    // The due day's weekday alone is what a weekly rule means without any: it then moves with the
    // due day, and none left is that too.
    if (days.isEmpty() || days == QList<int>{dueDay().dayOfWeek()})
        days.clear();
    m_repeat.weekdays = days;
    // Also when nothing changed: the toggle, which turned itself off, shows the weekday on again.
    emit repeatChanged();
}

void ChoreEditor::changeRepeat()
{
    if (!m_repeatCustom)
        return;
    m_repeatCustom = false;
    m_repeat = nearest(m_loadedRecurrence);
    emit repeatChanged();
}

bool ChoreEditor::repeatTouched() const
{
    return m_repeatCustom != m_loadedCustom || (!m_repeatCustom && normalised(m_repeat) != m_loadedRepeat);
}

QString ChoreEditor::nextDueText() const
{
    const Recurrence recurrence = workingRecurrence();
    if (!recurrence.repeats())
        return {};
    const QTimeZone zone = Clock::current().timeZone();
    const QDate today = ChoreDates::calendarDay(Clock::current().now(), zone);
    const Recurrence::Step step = recurrence.next(dueDay(), today, today, zone);
    switch (step.kind) {
    case Recurrence::Step::Kind::Moved:
        return tr("Finished today, it comes back on %1.").arg(QLocale().toString(step.due, QLocale::LongFormat));
    case Recurrence::Step::Kind::Ended:
        return tr("Finished today, it does not come back: its rule has ended.");
    case Recurrence::Step::Kind::NotFollowed:
        break;
    }
    return {};
}

Recurrence ChoreEditor::workingRecurrence() const
{
    Recurrence recurrence;
    if (repeatTouched()) {
        recurrence = Recurrence::fromSimple(normalised(m_repeat), dueDay());
    } else if (m_loadedCustom
               || Recurrence::portable(m_loadedRecurrence.rule)
                   != Recurrence::fromSimple(m_loadedRepeat, m_loadedRecurrenceDue).rule) {
        // Untouched, another app's rule goes back to it exactly as it came.
        recurrence = m_loadedRecurrence;
    } else {
        // This app's own spelling follows the due day: a monthly rule from the 31st keeps to the
        // month's end, one from the 15th does not.
        recurrence = Recurrence::fromSimple(m_loadedRepeat, dueDay());
        recurrence.exceptions = m_loadedRecurrence.exceptions;
        recurrence.moved = m_loadedRecurrence.moved;
    }
    // A copy is a series of its own: what the original skipped or moved is not its.
    if (m_operation == EditingOperation::copy) {
        recurrence.exceptions.clear();
        recurrence.moved.clear();
    }
    return recurrence;
}

ChoreEditor::Who ChoreEditor::who() const
{
    // Turns among members of a chore that stopped repeating leave it to whose turn it was.
    return m_who == Who::Turns && !turnsOffered() ? (m_turns.isEmpty() ? Who::Anyone : Who::One) : m_who;
}

void ChoreEditor::setWho(Who who)
{
    if (who < Who::Anyone || who > Who::Turns)
        return;
    m_who = who;
    if (who == Who::One && m_assignee.isEmpty())
        m_assignee = choices().value(0);
    if (who == Who::Turns && m_turns.isEmpty() && !m_assignee.isEmpty())
        m_turns = {m_assignee};
    emit peopleChanged();
}

void ChoreEditor::setMembers(const QStringList &members)
{
    m_members = members;
    emit peopleChanged();
}

QStringList ChoreEditor::choices() const
{
    QStringList all = m_members;
    bool added = false;
    const QStringList own = QStringList(m_turns) << m_assignee;
    for (const QString &name : own) {
        if (!name.isEmpty() && !all.contains(name)) {
            all << name;
            added = true;
        }
    }
    if (added) {
        // In the household's order, which lists them too.
        const QCollator collator = ChorePeople::nameCollator();
        std::sort(all.begin(), all.end(), [&](const QString &a, const QString &b) { return collator.compare(a, b) < 0; });
    }
    return all;
}

QString ChoreEditor::assignee() const
{
    switch (who()) {
    case Who::Anyone: return {};
    case Who::One: return m_who == Who::Turns ? workingPeople().assignee : m_assignee;
    case Who::Turns: return m_turns.contains(m_assignee) ? m_assignee : m_turns.value(0);
    }
    return {};
}

QVariantList ChoreEditor::turnRows() const
{
    QVariantList rows;
    const QString now = assignee();
    const auto row = [&](const QString &name, int place) {
        rows.append(QVariantMap{{QStringLiteral("name"), name}, {QStringLiteral("taking"), place > 0},
                                {QStringLiteral("place"), place}, {QStringLiteral("now"), place > 0 && name == now}});
    };
    for (qsizetype i = 0; i < m_turns.size(); ++i)
        row(m_turns.at(i), int(i) + 1);
    for (const QString &name : choices()) {
        if (!m_turns.contains(name))
            row(name, 0);
    }
    return rows;
}

QStringList ChoreEditor::whoOptions() const
{
    QStringList options = QStringList{tr("Anyone")} + choices();
    if (turnsOffered())
        options << tr("Taking turns");
    return options;
}

int ChoreEditor::whoIndex() const
{
    switch (who()) {
    case Who::Anyone: return 0;
    case Who::One: return 1 + int(choices().indexOf(assignee()));
    case Who::Turns: return 1 + int(choices().size());
    }
    return 0;
}

void ChoreEditor::chooseWho(int index)
{
    const QStringList names = choices();
    if (index == 0)
        setWho(Who::Anyone);
    else if (index > 0 && index <= names.size())
        assignTo(names.at(index - 1));
    else if (index == names.size() + 1 && turnsOffered())
        setWho(Who::Turns);
}

void ChoreEditor::assignTo(const QString &member)
{
    const QString name = ChorePeople::cleanName(member);
    if (name.isEmpty())
        return;
    m_who = Who::One;
    m_assignee = name;
    emit peopleChanged();
}

void ChoreEditor::toggleTurn(const QString &member)
{
    const QString name = ChorePeople::cleanName(member);
    if (name.isEmpty())
        return;
    if (!m_turns.removeAll(name))
        m_turns = ChorePeople::cleanTurns(QStringList(m_turns) << name);
    m_who = Who::Turns;
    emit peopleChanged();
}

bool ChoreEditor::moveTurn(int from, int to)
{
    to = std::clamp(to, 0, int(m_turns.size()) - 1);
    if (from < 0 || from >= m_turns.size() || from == to)
        return false;
    m_turns.move(from, to);
    emit peopleChanged();
    return true;
}

ChorePeople ChoreEditor::workingPeople() const
{
    ChorePeople people;
    if (m_who == Who::One)
        people.assignee = m_assignee;
    if (m_who == Who::Turns && !m_turns.isEmpty()) {
        people.assignee = m_turns.contains(m_assignee) ? m_assignee : m_turns.first();
        if (turnsOffered())
            people.turns = m_turns;
    }
    return people;
}

bool ChoreEditor::peopleTouched() const
{
    const ChorePeople people = workingPeople();
    return people.assignee != m_loadedPeople.assignee || people.turns != m_loadedPeople.turns;
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
    m_loadedRecurrence = source.recurrence();
    m_loadedRecurrenceDue = ChoreDates::calendarDay(source.dueDate());
    const std::optional<Recurrence::Simple> shown = m_loadedRecurrence.simple();
    m_loadedCustom = m_repeatCustom = !shown;
    m_loadedRepeat = shown ? normalised(*shown) : Recurrence::Simple();
    m_repeat = shown ? m_loadedRepeat : nearest(m_loadedRecurrence);
    m_assignee = source.assignee();
    m_turns = source.turns();
    m_who = !m_turns.isEmpty() ? Who::Turns : m_assignee.isEmpty() ? Who::Anyone : Who::One;
    m_loadedPeople = workingPeople();
    emit titleChanged();
    emit colorChanged();
    emit datesChanged();
    emit notifyChanged();
    emit notificationTimeChanged();
    emit repeatChanged();
    emit peopleChanged();
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
    const Recurrence recurrence = workingRecurrence();
    const ChorePeople people = workingPeople();
    Chore *saved = nullptr;
    switch (m_operation) {
    case EditingOperation::update:
        saved = m_changes->update(m_chore, fields, recurrence, people) ? m_chore.data() : nullptr;
        break;
    case EditingOperation::repeat:
        // Without its old run (deleted meanwhile) a repeat is still a new run. The new run keeps
        // who it is for: the screen offers no other.
        saved = m_chore ? m_changes->repeat(m_chore, fields, recurrence) : m_changes->add(fields, recurrence, people);
        break;
    case EditingOperation::copy:
    case EditingOperation::add:
        saved = m_changes->add(fields, recurrence, people);
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
