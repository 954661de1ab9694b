#include "core/program/SettingsCommit.h"

#include <QCoreApplication>
#include <QDir>

namespace vantor::core {

QString SettingsCommit::startupEntryName(const QString& versionText)
{
    return QStringLiteral("EMail Vantor %1 xp").arg(versionText);
}

platform::StartupEntry SettingsCommit::startupEntry(const Services& services)
{
    // The home directory goes with it: a program started from the log-in must find the same files.
    return {startupEntryName(services.state.versionText),
            QCoreApplication::applicationFilePath(),
            {QStringLiteral("--home"), QDir::toNativeSeparators(services.home.dir())}};
}

bool SettingsCommit::commit(const SettingValues& values, const Services& services, QStringList* errors)
{
    const platform::StartupEntry entry = startupEntry(services);
    if (!services.autostart.remove(entry.name))
        errors->append(QStringLiteral("Cannot remove the start-up entry \"%1\".").arg(entry.name));
    else if (values.general.start && !services.autostart.add(entry))
        errors->append(QStringLiteral("Cannot register EMail Vantor to start with the system."));

    SettingsFile settings(services.home);
    values.write(settings);
    services.state.deleteBackupOnExit = values.backup.deleteBackup;
    if (settings.save())
        return true;
    errors->append(QStringLiteral("Cannot write %1: the settings were not saved.")
                       .arg(QDir::toNativeSeparators(services.home.filePath(QStringLiteral("setting.ini")))));
    return false;
}

} // namespace vantor::core
