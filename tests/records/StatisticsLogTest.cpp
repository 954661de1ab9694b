#include "records/StatisticsLog.h"

#include "support/TempHome.h"

#include <gtest/gtest.h>

namespace vantor::records {
namespace {

using namespace std::chrono;
using vantor::test::readBytes;
using vantor::test::TempHome;
using vantor::test::writeBytes;

constexpr year_month_day Dec8{year{2026}, month{12}, day{8}};

local_seconds at(year_month_day date, int hour, int minute = 0)
{
    return local_days{date} + hours{hour} + minutes{minute};
}

class StatisticsLogTest : public ::testing::Test
{
protected:
    TempHome m_dir;
    StatisticsLog m_log{m_dir.path()};
};

TEST_F(StatisticsLogTest, TwoChecksOnOneDayAddUp)
{
    m_log.addDayTotals(Dec8, {25, 21, 4});
    m_log.addDayTotals(Dec8, {5, 4, 1});
    const std::string text = readBytes(m_dir.dir() / "emails.log");
    EXPECT_NE(text.find("[08/12/2026]\r\nEmails=30\r\nFiltered=25\r\nDeleted=5\r\n"), std::string::npos)
        << text;
    EXPECT_EQ(m_log.readRange(at(Dec8, 0), at(Dec8, 23)), (std::vector<DayTotals>{{30, 25, 5}}));
}

TEST_F(StatisticsLogTest, CheckWithoutMessagesStillWritesItsDay)
{
    m_log.addDayTotals(Dec8, {0, 0, 0});
    EXPECT_NE(readBytes(m_dir.dir() / "emails.log").find("[08/12/2026]"), std::string::npos);
}

TEST_F(StatisticsLogTest, RangeHasOneEntryPerDayWithZerosForMissingDays)
{
    m_log.addDayTotals(Dec8, {3, 2, 1});
    m_log.addDayTotals(year_month_day{year{2026}, month{12}, day{10}}, {7, 7, 0});
    const std::vector<DayTotals> series =
        m_log.readRange(at(Dec8, 9), at(year_month_day{year{2026}, month{12}, day{11}}, 10));
    EXPECT_EQ(series, (std::vector<DayTotals>{{3, 2, 1}, {0, 0, 0}, {7, 7, 0}, {0, 0, 0}}));
}

TEST_F(StatisticsLogTest, WholeDaysBetweenTheTimesAreTruncated)
{
    m_log.addDayTotals(Dec8, {3, 2, 1});
    // 8 Dec 10:00 to 9 Dec 09:00 is less than one day: only the first day.
    EXPECT_EQ(m_log.readRange(at(Dec8, 10), at(year_month_day{year{2026}, month{12}, day{9}}, 9)).size(), 1u);
    // From later than to by less than a day: still the day of from.
    EXPECT_EQ(m_log.readRange(at(Dec8, 10), at(Dec8, 9)), (std::vector<DayTotals>{{3, 2, 1}}));
    // By a whole day or more: nothing.
    EXPECT_TRUE(m_log.readRange(at(Dec8, 10), at(year_month_day{year{2026}, month{12}, day{7}}, 10)).empty());
}

TEST_F(StatisticsLogTest, RangeCrossesMonthAndYearEnds)
{
    m_log.addDayTotals(year_month_day{year{2027}, month{1}, day{1}}, {1, 1, 0});
    const auto series = m_log.readRange(at(year_month_day{year{2026}, month{12}, day{31}}, 12),
                                        at(year_month_day{year{2027}, month{1}, day{1}}, 12));
    EXPECT_EQ(series, (std::vector<DayTotals>{{0, 0, 0}, {1, 1, 0}}));
}

TEST_F(StatisticsLogTest, MissingLogReadsAsZeros)
{
    EXPECT_EQ(m_log.readRange(at(Dec8, 0), at(Dec8, 0)), (std::vector<DayTotals>{{0, 0, 0}}));
    EXPECT_FALSE(std::filesystem::exists(m_dir.dir() / "emails.log"));
}

TEST_F(StatisticsLogTest, KeysAreReadWithoutRegardToCaseAndSumsDoNotOverflow)
{
    writeBytes(m_dir.dir() / "emails.log", "[08/12/2026]\r\nEMAILS=2147483000\r\nfiltered=9\r\n");
    m_log.addDayTotals(Dec8, {1000, 1, 0});
    EXPECT_EQ(m_log.readRange(at(Dec8, 0), at(Dec8, 0)), (std::vector<DayTotals>{{2147483647, 10, 0}}));
}

TEST(StatisticsLogSection, DayIsWrittenWithTwoDigitDayAndMonth)
{
    EXPECT_EQ(StatisticsLog::sectionName(year_month_day{year{2026}, month{3}, day{5}}), "05/03/2026");
}

} // namespace
} // namespace vantor::records
