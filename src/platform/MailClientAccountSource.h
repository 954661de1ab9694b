#pragma once

#include <string>
#include <vector>

namespace vantor::platform {

// One POP3 account of the user's mail client, as the account import offers it. Texts are UTF-8.
struct MailClientAccount
{
    std::string name;
    std::string popServer;
    std::string smtpServer;
    std::string userName;
    // What the client records, so that an imported account connects as the client does; empty when the
    // client does not say (the import then proposes 110 and 25, without TLS).
    std::string popPort;
    std::string smtpPort;
    // "None", "SSL" or "STARTTLS"; empty when unknown.
    std::string popSecurity;
    std::string smtpSecurity;
};

// What a source found: the accounts, and the files it could read only in part or not at all (a damaged
// prefs.js, say), so that the import can name them instead of silently offering less.
struct MailClientAccounts
{
    std::vector<MailClientAccount> accounts;
    // UTF-8 paths.
    std::vector<std::string> damagedFiles;
};

// Where the account import finds the mail client's accounts: the registry on Windows, Thunderbird's
// profiles elsewhere (and on Windows too). Tests inject a list.
class MailClientAccountSource
{
public:
    virtual ~MailClientAccountSource() = default;

    // The POP3 accounts in the client's order; none when no client is set up.
    virtual MailClientAccounts read() const = 0;
};

} // namespace vantor::platform
