#include "storage/ErrorLog.h"

#include "support/TempHome.h"
#include "storage/IniFile.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <time.h>

using vantor::test::TempHome;

using vantor::storage::ErrorLog;
using vantor::storage::IniFile;
using Lines = std::vector<std::string>;

namespace {

class ErrorLogTest : public ::testing::Test
{
protected:
    // Local time is UTC here, so 2026-12-08 14:05:33 UTC is written as 08/12/2026 14.05.33.
    void SetUp() override
    {
        setenv("TZ", "UTC", 1);
        tzset();
    }

    ErrorLog log() { return ErrorLog(m_home.path(), m_clock); }
    Lines entries() const { return IniFile(m_home.file("Error.log")).readSectionValues("Error List"); }

    TempHome m_home;
    vantor::base::SettableClock m_clock{std::chrono::sys_days{std::chrono::December / 8 / 2026} +
                                        std::chrono::hours(14) + std::chrono::minutes(5) +
                                        std::chrono::seconds(33)};
};

TEST_F(ErrorLogTest, EntriesAreKeyedByLocalTimeAndTheSameSecondKeepsTheLast)
{
    log().write(" 00006 - failed on connect to pop.example.org");
    m_clock.advance(std::chrono::milliseconds(400));
    log().write(" 00006 - failed on login to pop.example.org");
    m_clock.advance(std::chrono::seconds(1));
    log().write(" 00012 - cannot create database file: backup.bak");
    EXPECT_EQ(entries(), (Lines{"08/12/2026 14.05.33= 00006 - failed on login to pop.example.org",
                                "08/12/2026 14.05.34= 00012 - cannot create database file: backup.bak"}));
    EXPECT_EQ(m_home.read("Error.log").substr(0, 14), "[Error List]\r\n");
}

TEST_F(ErrorLogTest, LongTextsAreCut)
{
    log().write(std::string(400, 'e'));
    EXPECT_EQ(entries().at(0), "08/12/2026 14.05.33=" + std::string(235, 'e'));
}

TEST_F(ErrorLogTest, AnUnwritableLogIsSilentlySkipped)
{
    EXPECT_NO_THROW(ErrorLog(m_home.file("missing")).write(" 00001 - cannot found EBak directory"));
    std::filesystem::create_directory(m_home.file("Error.log"));
    EXPECT_NO_THROW(log().write(" 00001 - cannot found EBak directory"));
}

} // namespace
