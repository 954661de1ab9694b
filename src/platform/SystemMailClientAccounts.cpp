#include "platform/SystemMailClientAccounts.h"

#include "platform/ThunderbirdAccounts.h"

#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include "platform/RegistryMailClientAccounts.h"
#endif

#include <utility>

namespace vantor::platform {

SystemMailClientAccounts::SystemMailClientAccounts(QString homeDirectory)
    : m_home(std::move(homeDirectory))
{}

QStringList SystemMailClientAccounts::thunderbirdDirectories() const
{
    const QDir home(m_home);
#if defined(Q_OS_WIN)
    const QString appData = qEnvironmentVariable("APPDATA");
    const QString roaming = appData.isEmpty() ? home.filePath(QStringLiteral("AppData/Roaming"))
                                              : QDir::fromNativeSeparators(appData);
    return {QDir(roaming).filePath(QStringLiteral("Thunderbird"))};
#elif defined(Q_OS_MACOS)
    return {home.filePath(QStringLiteral("Library/Thunderbird"))};
#else
    // The distribution's package, then the Flatpak and the Snap, which keep theirs in their own sandbox.
    return {home.filePath(QStringLiteral(".thunderbird")),
            home.filePath(QStringLiteral(".var/app/org.mozilla.Thunderbird/.thunderbird")),
            home.filePath(QStringLiteral("snap/thunderbird/common/.thunderbird"))};
#endif
}

MailClientAccounts SystemMailClientAccounts::read() const
{
    MailClientAccounts result;
#ifdef Q_OS_WIN
    result = RegistryMailClientAccounts().read();
#endif
    for (const QString& directory : thunderbirdDirectories()) {
        if (!QFileInfo(directory).isDir())
            continue;
        MailClientAccounts found = ThunderbirdAccounts(directory).read();
        result.accounts.insert(result.accounts.end(), std::make_move_iterator(found.accounts.begin()),
                               std::make_move_iterator(found.accounts.end()));
        result.damagedFiles.insert(result.damagedFiles.end(), found.damagedFiles.begin(),
                                   found.damagedFiles.end());
    }
    return result;
}

} // namespace vantor::platform
