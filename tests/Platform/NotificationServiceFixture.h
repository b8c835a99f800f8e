#pragma once

#include "Velmora/Platform/Clock.h"
#include "Velmora/Platform/DesktopNotificationService.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

// The desktop notification service on a fake bus, a fake alarm and a fixed Berlin morning,
// its file in a fresh folder.
class NotificationServiceFixture : public ::testing::Test {
protected:
    // A new run of the app: the old service is gone, a new one opens the same file.
    Velmora::DesktopNotificationService &start(bool serverPresent = true)
    {
        service.reset();
        auto fake = std::make_unique<Velmora::FakeNotificationBus>();
        fake->serverPresent = serverPresent;
        bus = fake.get();
        auto fakeAlarm = std::make_unique<Velmora::FakeWallClockAlarm>();
        alarm = fakeAlarm.get();
        service.emplace(path(), std::move(fake), std::move(fakeAlarm));
        return *service;
    }

    // Lets queued work run, ringing the alarm whenever the clock has reached it.
    void settle(int rounds = 10)
    {
        for (int i = 0; i < rounds; ++i) {
            QCoreApplication::processEvents();
            alarm->ringIfDue();
        }
        QCoreApplication::processEvents();
    }

    QString path() const { return dir.filePath(QStringLiteral("data/notifications.sqlite")); }

    static Velmora::NotificationRequest request(const QString &id, const QString &title, QDate day, int hour, int minute)
    {
        return {id, title, QStringLiteral("body"), true, {day.year(), day.month(), day.day(), hour, minute}};
    }

    // Sorted: the service keeps no order of its own.
    static QStringList identifiers(const QList<Velmora::NotificationRequest> &requests)
    {
        QStringList ids;
        for (const Velmora::NotificationRequest &r : requests)
            ids.append(r.identifier);
        ids.sort();
        return ids;
    }

    const QDate today{2026, 5, 10};
    Velmora::FakeClock clock{VelmoraTest::at("Europe/Berlin", 2026, 5, 10, 8, 0), VelmoraTest::zone("Europe/Berlin")};
    Velmora::ScopedClock installed{clock};
    QTemporaryDir dir;
    Velmora::FakeNotificationBus *bus = nullptr;
    Velmora::FakeWallClockAlarm *alarm = nullptr;
    std::optional<Velmora::DesktopNotificationService> service;
};
