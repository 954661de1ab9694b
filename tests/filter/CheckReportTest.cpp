#include "filter/CheckReport.h"

#include <ctime>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vantor::filter {
namespace {

TEST(CheckReportTest, LinesCarryTheTimeAndAreEmptiedPerCheck)
{
    int tick = 0;
    CheckReport report([&] { return "10:00:0" + std::to_string(tick++); });
    report.add("Msg 1 clear");
    report.add("ERROR: Used Default profile not X profile");
    EXPECT_EQ(report.lines(),
              (std::vector<std::string>{"10:00:00 - Msg 1 clear",
                                        "10:00:01 - ERROR: Used Default profile not X profile"}));
    report.clear();
    EXPECT_TRUE(report.lines().empty());
    report.add("Msg 1 clear");
    EXPECT_EQ(report.lines(), std::vector<std::string>{"10:00:02 - Msg 1 clear"});
}

TEST(CheckReportTest, TimeIsTheClocksLocalTimeOfDay)
{
    std::tm local{};
    local.tm_year = 2027 - 1900;
    local.tm_mon = 2;
    local.tm_mday = 15;
    local.tm_hour = 9;
    local.tm_min = 8;
    local.tm_sec = 7;
    local.tm_isdst = -1;
    const base::SettableClock clock(std::chrono::system_clock::from_time_t(std::mktime(&local)));
    // The C locale's time of day, as a program that set no locale shows it.
    EXPECT_EQ(CheckReport::localTimeText(clock), "09:08:07");
}

} // namespace
} // namespace vantor::filter
