#include "filter/CheckReport.h"

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

TEST(CheckReportTest, DefaultTimeIsTheLocalTimeOfDay)
{
    CheckReport report;
    report.add("x");
    const std::string& line = report.lines().at(0);
    ASSERT_GT(line.size(), 4u);
    EXPECT_EQ(line.substr(line.size() - 4), " - x");
    EXPECT_NE(line.find(':'), std::string::npos);
}

} // namespace
} // namespace vantor::filter
