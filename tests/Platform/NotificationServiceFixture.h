#pragma once

#include "Velmora/Platform/Clock.h"
#include "Velmora/Platform/DesktopNotificationService.h"
#include "tests/support/TestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

// The desktop notification service on a fake bus and a fixed Berlin morning, its file in a
// fresh folder. `deliveryIntervalMs` is how often the service looks for due reminders.
class NotificationServiceFixture : public ::testing::Test {
protected:
    explicit NotificationServiceFixture(int deliveryIntervalMs)
        : m_deliveryIntervalMs(deliveryIntervalMs)
    {
    }

    // A new run of the app: the old service is gone, a new one opens the same file.
    Velmora::DesktopNotificationService &start(bool serverPresent = true)
    {
        service.reset();
        auto fake = std::make_unique<Velmora::FakeNotificationBus>();
        fake->serverPresent = serverPresent;
        bus = fake.get();
        service.emplace(path(), std::move(fake), nullptr, m_deliveryIntervalMs);
        return *service;
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
    std::optional<Velmora::DesktopNotificationService> service;

private:
    int m_deliveryIntervalMs;
};
