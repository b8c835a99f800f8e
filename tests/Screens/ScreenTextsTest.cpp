#include "Velmora/Screens/ScreenTexts.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <limits>

using namespace Velmora;
using VelmoraTest::at;
using VelmoraTest::zone;

namespace {

TEST(ScreenTexts, ReminderTimeHasNoMarkerAndTwoDigitMinutes)
{
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QLocale de(QLocale::German, QLocale::Germany);
    struct Case {
        double seconds;
        const char *us;
        const char *de;
    } cases[] = {
        {0, "12:00", "0:00"},
        {9 * 3600 + 30 * 60, "9:30", "9:30"},
        {14 * 3600 + 30 * 60, "2:30", "14:30"},
        {32400, "9:00", "9:00"},
        {3599, "12:59", "0:59"},
        {23 * 3600 + 59 * 60 + 59, "11:59", "23:59"},
        // Odd stored values still give a time of day.
        {std::numeric_limits<double>::quiet_NaN(), "9:00", "9:00"},
        {std::numeric_limits<double>::infinity(), "9:00", "9:00"},
        {-60, "11:59", "23:59"},
        {86400 + 60, "12:01", "0:01"},
        {1e300, "9:00", "9:00"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(ScreenTexts::reminderTimeText(c.seconds, us), QString::fromUtf8(c.us)) << c.seconds;
        EXPECT_EQ(ScreenTexts::reminderTimeText(c.seconds, de), QString::fromUtf8(c.de)) << c.seconds;
    }
}

TEST(ScreenTexts, DatesAreDaysInTheUsersZone)
{
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QDateTime start = at("Europe/Berlin", 2026, 3, 3);
    EXPECT_EQ(ScreenTexts::datesText(start, at("Europe/Berlin", 2026, 3, 10, 23, 59), zone("Europe/Berlin"), us),
              QStringLiteral("Mar 3, 2026 – Mar 10, 2026"));
    EXPECT_EQ(ScreenTexts::datesText(start, start.addSecs(3600), zone("Europe/Berlin"), us), QStringLiteral("Mar 3, 2026"));
    // Berlin's midnight is still the day before in New York.
    EXPECT_EQ(ScreenTexts::datesText(start, start, zone("America/New_York"), us), QStringLiteral("Mar 2, 2026"));
    EXPECT_EQ(ScreenTexts::datesText(start, QDateTime(), zone("Europe/Berlin"), us), QStringLiteral("Mar 3, 2026"));
}

TEST(ScreenTexts, TextStaysReadableOnLightColours)
{
    const QColor white(Qt::white);
    const QColor dark(0x1c, 0x1c, 0x1e);
    EXPECT_EQ(ScreenTexts::foregroundColorOn(QColor(255, 59, 48)), white); // the standard red
    EXPECT_EQ(ScreenTexts::foregroundColorOn(QColor(0, 122, 255)), white);
    EXPECT_EQ(ScreenTexts::foregroundColorOn(QColor(Qt::white)), dark);
    EXPECT_EQ(ScreenTexts::foregroundColorOn(QColor(255, 204, 0)), dark); // yellow
    EXPECT_EQ(ScreenTexts::foregroundColorOn(QColor(Qt::black)), white);
    EXPECT_EQ(ScreenTexts::foregroundColorOn(QColor::fromRgbF(2.0f, 2.0f, 2.0f)), dark); // wide gamut
}

} // namespace
