#pragma once

#include "platform/MailClientAccountSource.h"

#include <QString>

namespace vantor::platform {

class ThunderbirdPrefs;

// The POP3 accounts of Thunderbird's profiles: every profile that profiles.ini lists, the default one
// first, each read from its prefs.js in the order of the client's account list. IMAP, news, feeds and the
// local folders are not offered.
class ThunderbirdAccounts : public MailClientAccountSource
{
public:
    // directory: the one that holds profiles.ini (~/.thunderbird, %APPDATA%/Thunderbird).
    explicit ThunderbirdAccounts(QString directory);

    // None, and nothing damaged, when the directory holds no profiles.ini.
    MailClientAccounts read() const override;

    // The POP3 accounts of one profile's preferences, appended in the client's order.
    static void appendAccounts(const ThunderbirdPrefs& prefs, std::vector<MailClientAccount>& accounts);

private:
    QString m_directory;
};

} // namespace vantor::platform
