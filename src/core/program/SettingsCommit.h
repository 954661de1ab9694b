#pragma once

#include "core/program/HomeDirectory.h"
#include "core/program/ProcessState.h"
#include "core/program/SettingValues.h"
#include "platform/Autostart.h"
#include "storage/TextTable.h"

#include <QStringList>

namespace vantor::core {

// What closing the settings dialog writes before anything else changes: the program's start-up entry,
// every key of setting.ini and DeleteBackupOnExit.
class SettingsCommit
{
public:
    struct Services
    {
        const HomeDirectory& home;
        platform::Autostart& autostart;
        ProcessState& state;
        const storage::TextTable& texts;
    };

    // "EMail Vantor " + version + " xp": the name the start-up entry is registered under.
    static QString startupEntryName(const QString& versionText);
    // This program started on the same home directory.
    static platform::StartupEntry startupEntry(const Services& services);

    // Removes the start-up entry and registers it again when values ask to start with the system, then
    // writes every key and saves setting.ini. False when setting.ini could not be written. Every failure,
    // that one and a start-up entry that could not be changed, adds a line for the user to *errors.
    static bool commit(const SettingValues& values, const Services& services, QStringList* errors);
};

} // namespace vantor::core
