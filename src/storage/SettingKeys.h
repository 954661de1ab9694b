#pragma once

#include "storage/IniFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Every key of setting.ini with its type and default: the one place where these defaults are written down.
namespace vantor::storage {

inline constexpr std::string_view SettingsFileName = "setting.ini";

struct BoolSetting
{
    std::string_view section;
    std::string_view key;
    bool def;
};

struct IntSetting
{
    std::string_view section;
    std::string_view key;
    int def;
};

struct TextSetting
{
    std::string_view section;
    std::string_view key;
    std::string_view def;
};

// A colour: red in the lowest byte, then green and blue, top byte 0; stored as 8 hexadecimal digits.
struct ColourSetting
{
    std::string_view section;
    std::string_view key;
    std::uint32_t def;
};

// An integer without a default: a missing key leaves the caller's value unchanged.
struct OptionalIntSetting
{
    std::string_view section;
    std::string_view key;
};

inline constexpr BoolSetting GeneralStart{"General", "Start", true};
inline constexpr BoolSetting GeneralAuto{"General", "Auto", false};
inline constexpr BoolSetting GeneralReport{"General", "Report", false};
inline constexpr BoolSetting GeneralSplash{"General", "Splash", false};
inline constexpr BoolSetting GeneralLOG{"General", "LOG", true};
inline constexpr BoolSetting GeneralAutomaticMode{"General", "Mode1", false};
inline constexpr BoolSetting GeneralPreviewMode{"General", "Mode2", true};
inline constexpr BoolSetting GeneralDatabase{"General", "Database", true};
// New accounts keep their password in the system's keyring, when one answers.
inline constexpr BoolSetting GeneralUseKeyring{"General", "UseKeyring", true};
inline constexpr BoolSetting GeneralStartMinimize{"General", "StartMinimize", true};
inline constexpr BoolSetting GeneralXMinimize{"General", "XMinimize", true};
// Keep fetched headers by the server's unique id (Cache/), so an unchanged message is not fetched again.
inline constexpr BoolSetting GeneralHeaderCache{"General", "HeaderCache", true};

inline constexpr BoolSetting NotifyAutomatic{"Notify", "Automatic", false};
inline constexpr BoolSetting NotifyActive{"Notify", "Active", true};
inline constexpr IntSetting NotifyTime{"Notify", "Time", 15};
inline constexpr BoolSetting NotifyPlay{"Notify", "Play", false};
inline constexpr BoolSetting NotifyMessage{"Notify", "Message", true};
inline constexpr BoolSetting NotifyAutoCheck{"Notify", "AutoCheck", false};
inline constexpr BoolSetting NotifyAutomaticMode{"Notify", "Mode1", true};
inline constexpr BoolSetting NotifyPreviewMode{"Notify", "Mode2", false};

inline constexpr TextSetting EMailClientPath{"EMailClient", "Path", ""};
inline constexpr BoolSetting EMailClientAutoClient{"EMailClient", "AutoClient", false};

inline constexpr IntSetting StatisticType{"Statistic", "Type", 0};
inline constexpr BoolSetting StatisticBackground1{"Statistic", "Background1", false};
inline constexpr BoolSetting StatisticBackground2{"Statistic", "Background2", true};
inline constexpr BoolSetting StatisticBackground3{"Statistic", "Background3", false};
inline constexpr ColourSetting StatisticBackgroundColor{"Statistic", "BackgroundColor", 0x00FFFFFF};
inline constexpr ColourSetting StatisticGradientStart{"Statistic", "GradientStart", 0x00FFFFFF};
inline constexpr ColourSetting StatisticGradientEnd{"Statistic", "GradientEnd", 0x00FFF0BE};
inline constexpr BoolSetting StatisticShow3D{"Statistic", "Show3D", false};
inline constexpr ColourSetting StatisticSerieChecked{"Statistic", "SerieChecked", 0x00FF0000};
inline constexpr ColourSetting StatisticSerieFiltered{"Statistic", "SerieFiltered", 0x00008000};
inline constexpr ColourSetting StatisticSerieDeleted{"Statistic", "SerieDeleted", 0x000000FF};
inline constexpr TextSetting StatisticImagePath{"Statistic", "ImagePath", ""};
inline constexpr BoolSetting StatisticImageType1{"Statistic", "ImageType1", false};
inline constexpr BoolSetting StatisticImageType2{"Statistic", "ImageType2", false};
inline constexpr BoolSetting StatisticImageType3{"Statistic", "ImageType3", true};

inline constexpr BoolSetting BackupActive{"Backup", "Active", false};
inline constexpr BoolSetting BackupDeleteBackup{"Backup", "DeleteBackup", true};
inline constexpr BoolSetting BackupOnlyHeader{"Backup", "OnlyHeader", true};
inline constexpr BoolSetting BackupAllMessage{"Backup", "AllMessage", false};

inline constexpr TextSetting MessagerName{"Messager", "Name", ""};
inline constexpr TextSetting MessagerFrom{"Messager", "From", ""};
inline constexpr BoolSetting MessagerUseEMail{"Messager", "UseEMail", true};

// The language as read at start-up and when the main window is shown.
inline constexpr TextSetting LanguageLanguage{"Language", "Language", "English"};
// The same key as the settings dialog reads it: lower case, so that no list entry is selected by default.
inline constexpr TextSetting LanguageLanguageDialog{"Language", "Language", "english"};

inline constexpr IntSetting WindowStateState{"WindowState", "State", 0};
inline constexpr OptionalIntSetting WindowStateLeft{"WindowState", "Left"};
inline constexpr OptionalIntSetting WindowStateTop{"WindowState", "Top"};
inline constexpr OptionalIntSetting WindowStateWidth{"WindowState", "Width"};
inline constexpr OptionalIntSetting WindowStateHeight{"WindowState", "Height"};

inline constexpr BoolSetting TipsShow{"Tips", "Show", true};

// Where the mail client's .dbx store lies, on systems whose registry does not say.
inline constexpr TextSetting DbxStoreRoot{"DBX", "StoreRoot", ""};

// The column widths the user gave the message lists, in pixels separated by commas; empty: the lists' own.
inline constexpr TextSetting ColumnsEMailList{"Columns", "EMailList", ""};
inline constexpr TextSetting ColumnsEMailDList{"Columns", "EMailDList", ""};
inline constexpr TextSetting ColumnsPreviewList{"Columns", "PreviewList", ""};

bool readSetting(const IniFile& ini, const BoolSetting& setting);
int readSetting(const IniFile& ini, const IntSetting& setting);
std::string readSetting(const IniFile& ini, const TextSetting& setting);
// Throws IniConversionError when the stored text is not hexadecimal.
std::uint32_t readSetting(const IniFile& ini, const ColourSetting& setting);
// Empty when the key is missing or does not hold a number.
std::optional<int> readSetting(const IniFile& ini, const OptionalIntSetting& setting);

void writeSetting(IniFile& ini, const BoolSetting& setting, bool value);
void writeSetting(IniFile& ini, const IntSetting& setting, int value);
void writeSetting(IniFile& ini, const TextSetting& setting, std::string_view value);
void writeSetting(IniFile& ini, const ColourSetting& setting, std::uint32_t value);
void writeSetting(IniFile& ini, const OptionalIntSetting& setting, int value);

} // namespace vantor::storage
