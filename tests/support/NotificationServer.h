#pragma once

#include "tests/support/Fakes.h"
#include "tests/support/PrivateBus.h"
#include "tests/support/TestSupport.h"

#include <QDate>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantList>

#include <gtest/gtest.h>

#include <memory>

namespace VelmoraTest {

// Where reminders ring in a test: python-dbusmock's notification server, offering buttons, on a
// session bus of the test program's own, and a clock and an alarm of the test's. start() begins
// a new run on the files in dir (with a new alarm), stop() ends it.
class NotificationServerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite() { bus.reset(); }
    void SetUp() override;
    void TearDown() override;

    virtual void start() = 0;
    virtual void stop() = 0;
    void startServer(const QString &capabilities = QStringLiteral("body actions"));
    void stopServer();
    // Lets queued work and the bus run, ringing the alarm whenever the clock has reached it.
    void settle();
    QString path() const { return dir.filePath(QStringLiteral("data/notifications.sqlite")); }

    // The arguments of each call of method the server has seen.
    static QList<QVariantList> serverCalls(const QString &method);
    // The summaries of the notifications the server was asked to show, in order.
    static QStringList shown();
    static void forgetShown();
    // The server tells that the user picked an action on notification id.
    static void invoke(uint id, const QString &key);

    static inline std::unique_ptr<PrivateBus> bus;
    const QDate today{2026, 5, 10};
    Velmora::FakeClock clock{at("Europe/Berlin", 2026, 5, 10, 8, 0), zone("Europe/Berlin")};
    Velmora::ScopedClock installedClock{clock};
    QTemporaryDir dir;
    std::unique_ptr<QProcess> server;
    std::unique_ptr<Velmora::FakeWallClockAlarm> alarm;
};

} // namespace VelmoraTest
