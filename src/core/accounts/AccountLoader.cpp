#include "core/accounts/AccountLoader.h"

#include "core/program/DisplayText.h"
#include "core/program/FormatText.h"

namespace vantor::core {

AccountLoader::AccountLoader(const AccountStore& store, const storage::TextTable& texts, UserPrompts& prompts)
    : m_store(store)
    , m_texts(texts)
    , m_prompts(prompts)
{}

AccountLoad AccountLoader::load(int number, PasswordPrompt prompt) const
{
    const AccountEntry entry = m_store.read(number);
    AccountLoad result;
    result.description = entry.description;
    if (!entry.check)
        return result;
    result.profile = entry.profile;
    result.login = {entry.popServer, entry.popPort, entry.username, entry.password, entry.popSecurity};

    result.outcome = AccountLoad::Outcome::Failed;
    if (entry.popServer == AccountStore::Missing) {
        result.failure = m_texts.text("Message", "032");
        return result;
    }
    if (entry.username == AccountStore::Missing) {
        result.failure = m_texts.text("Message", "031");
        return result;
    }
    if (entry.isPasswordMissing) {
        result.failure = m_texts.text("Message", "030");
        return result;
    }
    // Never an empty or typed-over password in place of the stored one: the account says where it failed.
    if (entry.isKeyringUnavailable) {
        result.failure = m_texts.text("Extra", "122");
        return result;
    }
    // Asked only once the account is known to be usable, so nobody types a password that is then thrown away.
    result.login.password = password(entry, prompt);
    result.outcome = AccountLoad::Outcome::Ready;
    return result;
}

std::string AccountLoader::password(const AccountEntry& entry, PasswordPrompt prompt) const
{
    if (!entry.password.empty() || prompt == PasswordPrompt::DontAsk)
        return entry.password;
    const QString title = fillPlaceholders(uiText(m_texts, "Extra", "048"), {displayText(entry.description)});
    return storedText(m_prompts.askPassword(title, uiText(m_texts, "Wizard", "007")));
}

} // namespace vantor::core
