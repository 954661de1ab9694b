#include "records/BackupFileName.h"

#include <gtest/gtest.h>

namespace vantor::records {
namespace {

using namespace std::chrono;

const mail::codec::LocalTime Date = local_days{year{2026} / 12 / 8} + hours{14} + minutes{5} + seconds{33};

TEST(BackupFileName, DateSenderAndExtensionWithTheTimeSeparatorMadeSafe)
{
    EXPECT_EQ(backupDateText(Date), "08122026 14:05:33");
    EXPECT_EQ(backupFileName(Date, "spammer@example.com"), "08122026 14_05_33 - spammer@example.com.vtb");
}

TEST(BackupFileName, MessageWithoutDateUsesTheZeroDate)
{
    EXPECT_EQ(backupFileName(std::nullopt, "a@b.c"), "30121899 00_00_00 - a@b.c.vtb");
}

TEST(BackupFileName, HostileSendersStayInsideTheFolder)
{
    EXPECT_EQ(backupFileName(Date, "../../x"), "08122026 14_05_33 - .._.._x.vtb");
    EXPECT_EQ(backupFileName(Date, "a\\b:c"), "08122026 14_05_33 - a_b_c.vtb");
    EXPECT_EQ(backupFileName(Date, std::string("a\r\nb\x01\0c", 7)), "08122026 14_05_33 - a__b__c.vtb");
}

TEST(BackupFileName, LongSenderIsCutToAFileSystemNameKeepingTheExtension)
{
    const std::string name = backupFileName(Date, std::string(400, 'x') + "@example.com");
    EXPECT_EQ(name.size(), 255u);
    EXPECT_TRUE(name.ends_with("xxx.vtb"));

    // "\xC3\xA9" (e acute) would be cut between its two bytes: the cut steps back before it.
    const std::string prefix = "08122026 14_05_33 - ";
    const std::string sender = std::string(250 - prefix.size(), 'y') + "\xC3\xA9z";
    EXPECT_EQ(backupFileName(Date, sender), prefix + std::string(250 - prefix.size(), 'y') + ".vtb");
}

} // namespace
} // namespace vantor::records
