#pragma once

#include "platform/MailClientAccountSource.h"

#include <QString>
#include <QStringList>

namespace vantor::platform {

// The mail client's accounts on this system: on Windows the registry's, then Thunderbird's under the
// roaming application data; elsewhere Thunderbird's, from each place a package of it keeps its profiles.
class SystemMailClientAccounts : public MailClientAccountSource
{
public:
    // homeDirectory: the user's home folder (tests pass a temporary one).
    explicit SystemMailClientAccounts(QString homeDirectory);

    MailClientAccounts read() const override;

    // The folders where Thunderbird may keep its profiles.ini, in the order they are read; those that do
    // not exist are skipped. On Windows the roaming folder is %APPDATA% (home/AppData/Roaming without it).
    QStringList thunderbirdDirectories() const;

private:
    QString m_home;
};

} // namespace vantor::platform
