#pragma once

#include "core/program/HomeDirectory.h"
#include "storage/IniFile.h"
#include "storage/SettingKeys.h"

#include <memory>

namespace vantor::core {

// setting.ini opened for one operation. A file that cannot be read behaves as a missing one (every key at its
// default) and is never overwritten.
class SettingsFile
{
public:
    explicit SettingsFile(const HomeDirectory& home);

    template <typename Setting> auto read(const Setting& setting) const
    {
        return storage::readSetting(*m_ini, setting);
    }

    template <typename Setting, typename Value> void write(const Setting& setting, const Value& value)
    {
        storage::writeSetting(*m_ini, setting, value);
    }

    // Writes the changes now; false when the file could not be read at opening or cannot be written.
    bool save();

private:
    std::unique_ptr<storage::IniFile> m_ini;
    bool m_isReadable = true;
};

} // namespace vantor::core
