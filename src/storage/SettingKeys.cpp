#include "storage/SettingKeys.h"

#include "storage/IniText.h"

namespace vantor::storage {

bool readSetting(const IniFile& ini, const BoolSetting& setting)
{
    return ini.readBool(setting.section, setting.key, setting.def);
}

int readSetting(const IniFile& ini, const IntSetting& setting)
{
    return ini.readInteger(setting.section, setting.key, setting.def);
}

std::string readSetting(const IniFile& ini, const TextSetting& setting)
{
    return ini.readString(setting.section, setting.key, setting.def);
}

std::uint32_t readSetting(const IniFile& ini, const ColourSetting& setting)
{
    return ini.readHexInteger(setting.section, setting.key, setting.def);
}

std::optional<int> readSetting(const IniFile& ini, const OptionalIntSetting& setting)
{
    // The empty default never converts, so a missing key and a non-number both give no value.
    return initext::parseInteger(ini.readString(setting.section, setting.key, ""));
}

void writeSetting(IniFile& ini, const BoolSetting& setting, bool value)
{
    ini.writeBool(setting.section, setting.key, value);
}

void writeSetting(IniFile& ini, const IntSetting& setting, int value)
{
    ini.writeInteger(setting.section, setting.key, value);
}

void writeSetting(IniFile& ini, const TextSetting& setting, std::string_view value)
{
    ini.writeString(setting.section, setting.key, value);
}

void writeSetting(IniFile& ini, const ColourSetting& setting, std::uint32_t value)
{
    ini.writeHexInteger(setting.section, setting.key, value);
}

void writeSetting(IniFile& ini, const OptionalIntSetting& setting, int value)
{
    ini.writeInteger(setting.section, setting.key, value);
}

} // namespace vantor::storage
