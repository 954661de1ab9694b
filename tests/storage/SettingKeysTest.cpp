#include "storage/SettingKeys.h"

#include "support/TempHome.h"

#include <gtest/gtest.h>

using vantor::test::TempHome;

namespace st = vantor::storage;

namespace {

TEST(SettingKeys, MissingKeysGiveTheirDefaults)
{
    const st::IniFile ini("");
    EXPECT_TRUE(st::readSetting(ini, st::GeneralStart));
    EXPECT_FALSE(st::readSetting(ini, st::GeneralAutomaticMode));
    EXPECT_EQ(st::readSetting(ini, st::NotifyTime), 15);
    EXPECT_EQ(st::readSetting(ini, st::StatisticGradientEnd), 0x00FFF0BEu);
    EXPECT_EQ(st::readSetting(ini, st::EMailClientPath), "");
    EXPECT_EQ(st::readSetting(ini, st::LanguageLanguage), "English");
    EXPECT_EQ(st::readSetting(ini, st::LanguageLanguageDialog), "english");
    EXPECT_EQ(st::readSetting(ini, st::WindowStateLeft), std::nullopt);
}

TEST(SettingKeys, DefaultsWrittenToAFreshFileUseTheStoredForms)
{
    TempHome dir;
    {
        st::IniFile ini(dir.file(std::string(st::SettingsFileName)));
        st::writeSetting(ini, st::NotifyTime, st::NotifyTime.def);
        st::writeSetting(ini, st::GeneralPreviewMode, st::GeneralPreviewMode.def);
        st::writeSetting(ini, st::StatisticGradientEnd, st::StatisticGradientEnd.def);
        st::writeSetting(ini, st::MessagerName, "Vantor User");
        st::writeSetting(ini, st::WindowStateWidth, 640);
    }
    EXPECT_EQ(dir.read("setting.ini"),
              "[Notify]\r\nTime=15\r\n\r\n[General]\r\nMode2=1\r\n\r\n"
              "[Statistic]\r\nGradientEnd=00FFF0BE\r\n\r\n[Messager]\r\nName=Vantor User\r\n\r\n"
              "[WindowState]\r\nWidth=640\r\n\r\n");
}

TEST(SettingKeys, StoredValuesOverrideAndBadColoursRaise)
{
    TempHome dir;
    const st::IniFile ini(dir.write("setting.ini", "[Notify]\nTime=30\n[WindowState]\nLeft=-8\nTop=abc\n"
                                                   "[Statistic]\nSerieChecked=red\n"));
    EXPECT_EQ(st::readSetting(ini, st::NotifyTime), 30);
    EXPECT_EQ(st::readSetting(ini, st::WindowStateLeft), -8);
    EXPECT_EQ(st::readSetting(ini, st::WindowStateTop), std::nullopt);
    EXPECT_THROW(st::readSetting(ini, st::StatisticSerieChecked), st::IniConversionError);
}

} // namespace
