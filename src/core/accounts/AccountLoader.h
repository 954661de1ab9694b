#pragma once

#include "core/accounts/AccountStore.h"
#include "core/program/UserPrompts.h"
#include "storage/TextTable.h"

#include <string>

namespace vantor::core {

// The connection data of one account, ready for the POP3 client.
struct Pop3Login
{
    std::string host;
    int port = 110;
    std::string userName;
    // Used for this connection only; a password typed into the prompt is never stored.
    std::string password;
    // "None", "SSL" or "STARTTLS" as the store gives it.
    std::string security;
};

// The outcome of loading one account for a check.
struct AccountLoad
{
    enum class Outcome
    {
        // Check is off: the cycle passes over the account without a row or a message.
        Skipped,
        // The account cannot be connected; failure holds the text for its row.
        Failed,
        Ready
    };

    Outcome outcome = Outcome::Skipped;
    // What the cycle puts into CurrentAccountDescription and CurrentProfileName.
    std::string description;
    std::string profile;
    Pop3Login login;
    std::string failure;
};

// Loads account n for a POP3 connection the way the check cycles need it: skip unchecked accounts, ask for an
// empty password, and refuse an account whose host, user name or password is missing.
class AccountLoader
{
public:
    enum class PasswordPrompt
    {
        // The checks and the preview finish ask for an empty password.
        Ask,
        // The new-mail watch logs in with the empty password instead.
        DontAsk
    };

    AccountLoader(const AccountStore& store, const storage::TextTable& texts, UserPrompts& prompts);

    AccountLoad load(int number, PasswordPrompt prompt) const;
    // The password to log in with: the stored one, or for one stored empty what the user types (Ask).
    std::string password(const AccountEntry& entry, PasswordPrompt prompt) const;

private:
    const AccountStore& m_store;
    const storage::TextTable& m_texts;
    UserPrompts& m_prompts;
};

} // namespace vantor::core
