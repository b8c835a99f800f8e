#include "Velmora/App/WidgetSnapshot.h"

#include "Velmora/App/NearestChores.h"
#include "Velmora/App/RipestWidgetIntent.h"
#include "Velmora/Model/Chore.h"
#include "Velmora/Platform/Clock.h"
#include "Velmora/Platform/WidgetCenter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace Velmora {

WidgetSnapshot::WidgetSnapshot(NearestChores &nearest, WidgetCenter *center, const QString &path, QObject *parent)
    : QObject(parent)
    , m_nearest(nearest)
    , m_ownCenter(center ? nullptr : std::make_unique<SnapshotWidgetCenter>(path, [this] { return json(); }))
    , m_center(center ? center : m_ownCenter.get())
{
    connect(&nearest, &NearestChores::changed, this, [this] {
        if (!m_windowShown)
            m_center->reloadAllTimelines();
    });
}

WidgetSnapshot::~WidgetSnapshot() = default;

void WidgetSnapshot::reload()
{
    m_center->reloadAllTimelines();
}

QByteArray WidgetSnapshot::json(int limit) const
{
    QJsonArray chores;
    for (const NearestChores::Entry &entry : m_nearest.first(limit)) {
        chores.append(QJsonObject{
            {QStringLiteral("id"), entry.chore->persistentId()},
            {QStringLiteral("title"), entry.chore->title()},
            {QStringLiteral("color"), entry.chore->color().name(QColor::HexRgb)},
            {QStringLiteral("dueDate"), entry.chore->dueDate().toUTC().toString(Qt::ISODate)},
            {QStringLiteral("daysLeft"), entry.daysLeft},
            {QStringLiteral("timeLeft"), entry.timeLeft},
        });
    }
    const QJsonObject intent{{QStringLiteral("identifier"), RipestWidgetIntent::persistentIdentifier()},
                             {QStringLiteral("title"), RipestWidgetIntent::title()}};
    const QJsonObject root{{QStringLiteral("version"), 1},
                           {QStringLiteral("written"), Clock::current().now().toUTC().toString(Qt::ISODate)},
                           {QStringLiteral("intent"), intent},
                           {QStringLiteral("chores"), chores}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace Velmora
