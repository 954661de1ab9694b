#include "core/accounts/AccountImport.h"

#include "core/accounts/AccountManagerLogic.h"
#include "core/program/DisplayText.h"
#include "core/program/FormatText.h"

namespace vantor::core {

AccountImport::AccountImport(AccountStore& store, const platform::MailClientAccountSource& source,
                             const storage::TextTable& texts, UserPrompts& prompts, bool useKeyring)
    : m_store(store)
    , m_useKeyring(useKeyring)
    , m_texts(texts)
    , m_prompts(prompts)
    , m_offered(source.read())
{}

QStringList AccountImport::damagedFileLines() const
{
    QStringList lines;
    for (const std::string& file : m_offered.damagedFiles)
        lines.append(fillPlaceholders(uiText(m_texts, "Extra", "063"), {displayText(file)}));
    return lines;
}

std::vector<AccountFields> AccountImport::rowsFor(const std::vector<int>& ticked) const
{
    std::vector<AccountFields> rows;
    for (const int index : ticked) {
        if (index >= 0 && index < static_cast<int>(m_offered.accounts.size()))
            rows.push_back(rowFor(m_offered.accounts[static_cast<std::size_t>(index)]));
    }
    return rows;
}

AccountFields AccountImport::rowFor(const platform::MailClientAccount& account)
{
    AccountFields row;
    row.description = account.name;
    row.popServer = account.popServer;
    row.popPort = account.popPort.empty() ? std::string("110") : account.popPort;
    row.smtpServer = account.smtpServer;
    row.smtpPort = account.smtpPort.empty() ? std::string("25") : account.smtpPort;
    row.username = account.userName;
    // The client's TLS choice travels with the row; when it says nothing, no key is written and the port
    // decides, as for any account stored before TLS was known.
    row.popSecurity = account.popSecurity;
    row.smtpSecurity = account.smtpSecurity;
    return row;
}

bool AccountImport::finish(std::vector<AccountFields> rows)
{
    const std::vector<AccountEntry> stored = m_store.readAll();
    // Rows are compared with the stored accounts only, not with each other: two rows of one name both go in.
    for (const AccountFields& row : rows) {
        const QString description = displayText(row.description);
        for (const AccountEntry& entry : stored) {
            if (displayText(entry.description).toLower() == description.toLower()) {
                m_prompts.showError(description + QStringLiteral(": ") +
                                    uiText(m_texts, "AccountMessage", "002"));
                return false;
            }
        }
    }
    const bool isInKeyring = m_useKeyring && m_store.isKeyringAvailable();
    for (AccountFields& row : rows) {
        if (!isPasswordStorable(row))
            return false;
        row.profile = AccountManagerLogic::DefaultProfile;
        row.isInKeyring = isInKeyring;
    }
    return report(m_store.addAll(rows));
}

bool AccountImport::isPasswordStorable(const AccountFields& row) const
{
    if (AccountManagerLogic::isPasswordStorable(row.password))
        return true;
    m_prompts.showError(displayText(row.description) + QStringLiteral(": ") +
                        uiText(m_texts, "Extra", "014"));
    return false;
}

bool AccountImport::report(AccountStore::WriteResult result) const
{
    const char* key = nullptr;
    switch (result) {
    case AccountStore::WriteResult::Stored:
        return true;
    case AccountStore::WriteResult::UnsafeValue:
        key = "015";
        break;
    case AccountStore::WriteResult::InvalidTotal:
        key = "016";
        break;
    case AccountStore::WriteResult::NoSuchAccount:
    case AccountStore::WriteResult::WriteFailed:
        key = "018";
        break;
    case AccountStore::WriteResult::KeyringFailed:
        key = "123";
        break;
    }
    m_prompts.showError(uiText(m_texts, "Extra", key));
    return false;
}

} // namespace vantor::core
