#include "core/program/SettingsCommit.h"

#include "core/program/DisplayText.h"
#include "core/program/FormatText.h"

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
        errors->append(fillPlaceholders(uiText(services.texts, "Extra", "039"), {entry.name}));
    else if (values.general.start && !services.autostart.add(entry))
        errors->append(uiText(services.texts, "Extra", "040"));

    SettingsFile settings(services.home);
    values.write(settings);
    services.state.deleteBackupOnExit = values.backup.deleteBackup;
    if (settings.save())
        return true;
    const QString file = QDir::toNativeSeparators(services.home.filePath(QStringLiteral("setting.ini")));
    errors->append(fillPlaceholders(uiText(services.texts, "Extra", "041"), {file}));
    return false;
}

} // namespace vantor::core
