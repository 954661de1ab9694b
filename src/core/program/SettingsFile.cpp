#include "core/program/SettingsFile.h"

namespace vantor::core {

SettingsFile::SettingsFile(const HomeDirectory& home)
{
    try {
        m_ini = std::make_unique<storage::IniFile>(home.nativeFilePath(storage::SettingsFileName));
    } catch (const storage::IniError&) {
        // An in-memory document: reads give the defaults and nothing is written over the unreadable file.
        m_ini = std::make_unique<storage::IniFile>(std::string());
        m_isReadable = false;
    }
}

bool SettingsFile::save()
{
    if (!m_isReadable)
        return false;
    try {
        m_ini->updateFile();
        return true;
    } catch (const storage::IniError&) {
        return false;
    }
}

} // namespace vantor::core
