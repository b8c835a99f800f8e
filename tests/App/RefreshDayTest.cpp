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

// Every refresh lands at the start of its day once the event loop runs, in call order, even on
// the same day. (Where a day starts is the day counts' own matter, tested with them.)
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

    // An invalid instant counts as now.
    day.refresh(QDateTime());
    settle();
    EXPECT_EQ(day.date(), at("Europe/Berlin", 2026, 5, 10));
}

} // namespace
