#include "Velmora/Model/ChoreField.h"

namespace Velmora::ChoreField {

namespace {

QVariant storedInstant(const QDateTime &date)
{
    if (!date.isValid())
        return QVariant(QMetaType::fromType<qint64>());
    return QVariant(date.toMSecsSinceEpoch());
}

// A member's value as its column keeps it, told apart by the member's type.
struct AsStored {
    QVariant operator()(const QString &title) const { return title; }
    QVariant operator()(const ColorComponentsModel &color) const { return QString::fromUtf8(color.encode()); }
    QVariant operator()(const QDateTime &date) const { return storedInstant(date); }
    QVariant operator()(const std::optional<QDateTime> &end) const
    {
        return end ? storedInstant(*end) : QVariant(QMetaType::fromType<qint64>());
    }
    QVariant operator()(bool notify) const { return notify ? 1 : 0; }
    QVariant operator()(double seconds) const { return seconds; }
};

} // namespace

bool same(Field field, const ChoreFields &a, const ChoreFields &b)
{
    return with(field, [](const auto &x, const auto &y) { return x == y; }, a, b);
}

void take(Field field, ChoreFields &into, const ChoreFields &from)
{
    with(field, [](auto &held, const auto &value) { held = value; }, into, from);
}

QVariant stored(Field field, const ChoreFields &fields)
{
    return with(field, AsStored(), fields);
}

} // namespace Velmora::ChoreField
