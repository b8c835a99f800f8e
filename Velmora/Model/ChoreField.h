#pragma once

#include "Velmora/Model/Chore.h"
#include "Velmora/Model/ChoreSchema.h"

#include <QVariant>

#include <array>
#include <cstddef>

namespace Velmora::ChoreField {

using Field = Chore::Field;

// One row for each of a chore's seven stored fields, in the order of Chore::Field. Whatever goes
// over the fields one by one (the store's columns, a merge, the VTODO's comparison, what a
// reminder is made of, the chore's signals) reads it, so a field is added in one place. A
// field's default is what ChoreFields starts with.
struct Row {
    Field field;
    // As QML and the backup file name it.
    const char *name;
    // In the Chore table.
    const char *column;
    // A reminder is made of it: its change asks for the reminder anew.
    bool shapesReminder;
    void (Chore::*changed)();
};

inline constexpr std::array<Row, 7> rows = {{
    {Field::Title, "title", ChoreSchema::Chores::title, true, &Chore::titleChanged},
    {Field::ColorComponents, "colorComponents", ChoreSchema::Chores::colorComponents, false, &Chore::colorComponentsChanged},
    {Field::StartDate, "startDate", ChoreSchema::Chores::startDate, false, &Chore::startDateChanged},
    {Field::DueDate, "dueDate", ChoreSchema::Chores::dueDate, true, &Chore::dueDateChanged},
    {Field::EndDate, "endDate", ChoreSchema::Chores::endDate, true, &Chore::endDateChanged},
    {Field::Notify, "notify", ChoreSchema::Chores::notify, true, &Chore::notifyChanged},
    {Field::NotificationTime, "notificationTime", ChoreSchema::Chores::notificationTime, true, &Chore::notificationTimeChanged},
}};

constexpr bool inFieldOrder()
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].field != Field(i))
            return false;
    }
    return rows.size() == std::size_t(Field::NotificationTime) + 1;
}
static_assert(inFieldOrder(), "one row for each field, in the enum's order");

constexpr const Row &row(Field field)
{
    return rows[std::size_t(field)];
}

// Calls use with the field's member of each of `fields`, as use(a.title, b.title) for the title:
// the one place that names each member of ChoreFields by its field. A caller that treats some
// field apart overloads use by the member's type.
template <typename Use, typename... Fields>
auto with(Field field, Use &&use, Fields &...fields)
{
    switch (field) {
    case Field::Title: return use(fields.title...);
    case Field::ColorComponents: return use(fields.colorComponents...);
    case Field::StartDate: return use(fields.startDate...);
    case Field::DueDate: return use(fields.dueDate...);
    case Field::EndDate: return use(fields.endDate...);
    case Field::Notify: return use(fields.notify...);
    case Field::NotificationTime: return use(fields.notificationTime...);
    }
    return decltype(use(fields.title...))();
}

// Whether a and b hold the same value in the field (a NaN is no value it holds already).
bool same(Field field, const ChoreFields &a, const ChoreFields &b);
// Copies the field's value from `from` into `into`.
void take(Field field, ChoreFields &into, const ChoreFields &from);
// The field's value as its column keeps it, for binding: instants as milliseconds since 1970
// UTC (null when invalid, as is an active chore's end), the colour as its keyed record, notify
// as 0 or 1.
QVariant stored(Field field, const ChoreFields &fields);

} // namespace Velmora::ChoreField
