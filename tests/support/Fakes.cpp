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

void FakeNotificationBus::probeServer(std::function<void(bool)> done)
{
    ++probes;
    callLater([done = std::move(done), present = serverPresent] { done(present); });
}

void FakeNotificationBus::notify(const QString &title, const QString &body, bool defaultSound, const Actions &actions,
                                 std::function<void(bool, uint)> done)
{
    const uint id = serverPresent ? ++m_lastId : 0;
    if (serverPresent)
        shown.push_back({title, body, defaultSound, actions, id});
    callLater([done = std::move(done), present = serverPresent, id] { done(present, id); });
}

void FakeNotificationBus::fetchCapabilities(std::function<void(QStringList)> done)
{
    callLater([done = std::move(done), caps = serverPresent ? capabilities : QStringList()] { done(caps); });
}

} // namespace Velmora
