#pragma once

#include "core/accounts/AccountFields.h"
#include "core/accounts/AccountStore.h"
#include "core/program/UserPrompts.h"
#include "platform/MailClientAccountSource.h"
#include "storage/TextTable.h"

#include <QStringList>

#include <string>
#include <vector>

namespace vantor::core {

// The rules of the account import, without its widgets: the mail client's accounts on offer, the rows to
// complete for the ticked ones, and the one write that adds them all to account.vta.
class AccountImport
{
public:
    // Reads the source once; what it offers stays fixed while the import runs.
    // useKeyring: the passwords go to the system's keyring when one answers.
    AccountImport(AccountStore& store, const platform::MailClientAccountSource& source,
                  const storage::TextTable& texts, UserPrompts& prompts, bool useKeyring = false);

    const std::vector<platform::MailClientAccount>& offered() const { return m_offered.accounts; }
    // One "Cannot read <file>." line per file of the mail client that could not be read whole.
    QStringList damagedFileLines() const;

    // One row per ticked account (indexes into offered()), in the order of the offer: the client's texts, its
    // ports or "110"/"25", an empty password, and its TLS choice.
    std::vector<AccountFields> rowsFor(const std::vector<int>& ticked) const;
    static AccountFields rowFor(const platform::MailClientAccount& account);

    // Adds every row with the profile "Default", all in one write; refuses all of them, after telling the
    // user why, when a row's description is already stored (letter case aside) or the file cannot take them.
    bool finish(std::vector<AccountFields> rows);

private:
    bool isPasswordStorable(const AccountFields& row) const;
    bool report(AccountStore::WriteResult result) const;

    AccountStore& m_store;
    bool m_useKeyring;
    const storage::TextTable& m_texts;
    UserPrompts& m_prompts;
    platform::MailClientAccounts m_offered;
};

} // namespace vantor::core
