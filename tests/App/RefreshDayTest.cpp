#include "Velmora/App/RefreshDay.h"
#include "Velmora/Platform/Clock.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace Velmora;
using VelmoraTest::at;
using VelmoraTest::zone;

namespace {

void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

QDateTime utc(int y, int m, int d, int h) { return QDateTime(QDate(y, m, d), QTime(h, 0), QTimeZone::utc()); }

// The day starts where the user's zone starts it, also on days of changing clocks, and every
// refresh lands once the event loop runs, in call order, even on the same day.
TEST(RefreshDay, TakesTheStartOfTheDayOnceTheEventLoopRuns)
{
    FakeClock clock(at("Europe/Berlin", 2026, 5, 10, 12, 0), zone("Europe/Berlin"));
    ScopedClock installed(clock);
    RefreshDay day;
    EXPECT_EQ(day.date(), at("Europe/Berlin", 2026, 5, 10));
    QList<qint64> seen;
    QObject::connect(&day, &RefreshDay::dateChanged, &day, [&] { seen.append(day.date().toMSecsSinceEpoch()); });
    day.refresh(at("Europe/Berlin", 2026, 5, 12, 21, 45));
    day.refresh(at("Europe/Berlin", 2026, 5, 3, 8, 0));
    day.refresh(at("Europe/Berlin", 2026, 5, 3, 9, 0));
    EXPECT_TRUE(seen.isEmpty()) << "still the old day in the same turn";
    settle();
    const qint64 may3 = at("Europe/Berlin", 2026, 5, 3).toMSecsSinceEpoch();
    EXPECT_EQ(seen, (QList<qint64>{at("Europe/Berlin", 2026, 5, 12).toMSecsSinceEpoch(), may3, may3}));

    const struct {
        const char *zone;
        QDateTime instant;
        QDateTime start;
    } cases[] = {
        {"Europe/Berlin", at("Europe/Berlin", 2026, 3, 29, 22, 0), utc(2026, 3, 28, 23)},
        {"Europe/Berlin", at("Europe/Berlin", 2026, 10, 25, 23, 30), utc(2026, 10, 24, 22)},
        // No midnight that day: it began at 01:00.
        {"America/Sao_Paulo", at("America/Sao_Paulo", 2018, 11, 4, 12, 0), utc(2018, 11, 4, 3)},
        // An invalid instant counts as now.
        {"Europe/Berlin", QDateTime(), at("Europe/Berlin", 2026, 5, 10)},
    };
    for (const auto &c : cases) {
        clock.setTimeZone(zone(c.zone));
        day.refresh(c.instant);
        settle();
        EXPECT_EQ(day.date().toMSecsSinceEpoch(), c.start.toMSecsSinceEpoch()) << c.zone;
    }
}

} // namespace
