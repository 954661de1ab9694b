#include "base/Clock.h"

#include <gtest/gtest.h>
#include <optional>
#include <stdlib.h>
#include <string>
#include <time.h>

namespace vantor::base {
namespace {

using namespace std::chrono;

class ScopedTimeZone
{
public:
    explicit ScopedTimeZone(const char* zone)
    {
        if (const char* old = std::getenv("TZ"))
            m_old = old;
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~ScopedTimeZone()
    {
        if (m_old)
            ::setenv("TZ", m_old->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    std::optional<std::string> m_old;
};

constexpr local_seconds localAt(year_month_day day, int hour, int minute, int second)
{
    return local_days{day} + hours{hour} + minutes{minute} + seconds{second};
}

// A time is shown with the offset in force on its own day, not today's: a winter and a summer
// instant of the same zone are an hour apart in their offsets, and parts of a second are dropped.
TEST(Clock, LocalTimeTakesTheZoneOffsetInForceAtThatTime)
{
    const ScopedTimeZone zone("CET-1CEST,M3.5.0,M10.5.0/3");
    SettableClock clock(sys_days{January / 15 / 2027} + hours{23} + minutes{30} + milliseconds{999});
    EXPECT_EQ(clock.localNow(), localAt(January / 16 / 2027, 0, 30, 0));
    const std::tm calendar = clock.localCalendar();
    EXPECT_EQ(calendar.tm_year + 1900, 2027);
    EXPECT_EQ(calendar.tm_mon + 1, 1);
    EXPECT_EQ(calendar.tm_mday, 16);

    clock.set(sys_days{July / 15 / 2027} + hours{12} + minutes{5} + seconds{9});
    EXPECT_EQ(clock.localNow(), localAt(July / 15 / 2027, 14, 5, 9));
    EXPECT_EQ(Clock::toLocal(sys_days{March / 28 / 2027} + hours{1}), localAt(March / 28 / 2027, 3, 0, 0));
}

} // namespace
} // namespace vantor::base
