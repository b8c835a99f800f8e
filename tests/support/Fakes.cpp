#include "tests/support/Fakes.h"

#include <QCoreApplication>
#include <QTimer>

namespace Velmora {

namespace {
void callLater(std::function<void()> work)
{
    QTimer::singleShot(0, QCoreApplication::instance(), std::move(work));
}
} // namespace

void FakeNotificationService::later(std::function<void()> work)
{
    if (runCallback)
        runCallback(std::move(work));
    else
        callLater(std::move(work));
}

void FakeNotificationService::requestAuthorization(std::function<void()> done)
{
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

void FakeNotificationBus::probeServer(std::function<void(bool)> done)
{
    callLater([done = std::move(done)] { done(true); });
}

void FakeNotificationBus::notify(const QString &, const QString &, bool, const Actions &, std::function<void(bool, uint)> done)
{
    callLater([done = std::move(done), id = ++m_lastId] { done(true, id); });
}

void FakeNotificationBus::fetchCapabilities(std::function<void(QStringList)> done)
{
    callLater([done = std::move(done)] { done({QStringLiteral("body")}); });
}

} // namespace Velmora
