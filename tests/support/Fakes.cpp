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

void FakeNotificationBus::probeServer(std::function<void(bool)> done)
{
    ++probes;
    callLater([done = std::move(done), present = serverPresent] { done(present); });
}

void FakeNotificationBus::notify(const QString &, const QString &, bool, bool, const Actions &, std::function<void(bool, uint)> done)
{
    callLater([done = std::move(done), id = ++m_lastId] { done(true, id); });
}

void FakeNotificationBus::fetchCapabilities(std::function<void(QStringList)> done)
{
    callLater([done = std::move(done)] { done({QStringLiteral("body")}); });
}

} // namespace Velmora
