#include "Velmora/Platform/NotificationService.h"

#include <QCoreApplication>
#include <QTimer>

#include <tuple>

namespace Velmora {

namespace {
NotificationService *g_installed = nullptr;
} // namespace

bool NotificationTrigger::isDueAt(QDate atDate, QTime atTime) const
{
    return std::tuple(year, month, day, hour, minute)
        <= std::tuple(atDate.year(), atDate.month(), atDate.day(), atTime.hour(), atTime.minute());
}

NotificationService &NotificationService::current()
{
    static FakeNotificationService inMemory;
    return g_installed ? *g_installed : inMemory;
}

void NotificationService::install(NotificationService *service)
{
    g_installed = service;
}

void FakeNotificationService::later(std::function<void()> work)
{
    if (runCallback)
        runCallback(std::move(work));
    else
        QTimer::singleShot(0, QCoreApplication::instance(), std::move(work));
}

void FakeNotificationService::requestAuthorization(std::function<void()> done)
{
    ++authorizationRequests;
    if (status == NotificationSettings::NotDetermined)
        status = statusAfterRequest;
    later(std::move(done));
}

void FakeNotificationService::fetchSettings(std::function<void(NotificationSettings)> done)
{
    ++settingsFetches;
    later([done = std::move(done), settings = NotificationSettings{status}] { done(settings); });
}

void FakeNotificationService::add(const NotificationRequest &request)
{
    if (!request.trigger.isValid())
        return;
    removePendingRequests({request.identifier});
    m_pending.append(request);
}

void FakeNotificationService::removePendingRequests(const QStringList &identifiers)
{
    m_pending.removeIf([&](const NotificationRequest &r) { return identifiers.contains(r.identifier); });
}

} // namespace Velmora
