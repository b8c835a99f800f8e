#include "Velmora/Notifications/NotificationsManager.h"
#include "tests/support/TestSupport.h"

#include <QThread>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace Velmora;

namespace {

TEST(NotificationsManagerTest, AnswersFromAnotherThreadArePublishedOnTheMainThread)
{
    FakeNotificationService service;
    std::vector<std::thread> workers;
    service.runCallback = [&](std::function<void()> work) { workers.emplace_back(std::move(work)); };
    service.status = NotificationSettings::Denied;
    NotificationsManager manager{service};
    QThread *publishedOn = nullptr;
    QObject::connect(&manager, &NotificationsManager::settingsChanged, &manager,
                     [&] { publishedOn = QThread::currentThread(); }, Qt::DirectConnection);
    manager.refreshSettings();
    ASSERT_TRUE(VelmoraTest::waitFor([&] { return manager.hasSettings(); }));
    EXPECT_EQ(publishedOn, QCoreApplication::instance()->thread());
    EXPECT_EQ(manager.authorizationStatus(), NotificationsManager::Denied);
    for (std::thread &t : workers)
        t.join();
}

} // namespace
