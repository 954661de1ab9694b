#include "core/accounts/AccountManagerLogic.h"

#include "core/program/DisplayText.h"
#include "core/program/FormatText.h"
#include "filter/StoreNames.h"
#include "storage/IniFile.h"

#include <QHostAddress>

#include <algorithm>
#include <filesystem>

namespace vantor::core {

namespace {

// Keys of the refusals in the texts of our own ("Extra").
const char* const PasswordNotStorable = "014";
const char* const ValueNotStorable = "015";
const char* const TotalDamaged = "016";
const char* const AccountGone = "017";
const char* const CannotWrite = "018";
const char* const PlainTextWarning = "110";
const char* const KeyringSilent = "123";

std::string sectionName(int number)
{
    return "Acc" + std::to_string(number);
}

// Traffic that never leaves this machine cannot be read on the network.
bool isLoopback(const std::string& host)
{
    const QString name = displayText(host);
    if (name.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress address(name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']'))
                                   ? name.mid(1, name.size() - 2)
                                   : name);
    return !address.isNull() && address.isLoopback();
}

// The first server of the account that a password would reach in clear text; empty when there is none.
std::string plainTextServer(const AccountFields& fields)
{
    if (fields.popSecurity == AccountManagerLogic::SecurityNone && !isLoopback(fields.popServer))
        return fields.popServer;
    if (fields.smtpSecurity == AccountManagerLogic::SecurityNone && !fields.smtpServer.empty() &&
        !isLoopback(fields.smtpServer))
        return fields.smtpServer;
    return {};
}

} // namespace

AccountManagerLogic::AccountManagerLogic(AccountStore& store, const HomeDirectory& home,
                                         const storage::TextTable& texts, UserPrompts& prompts)
    : m_store(store)
    , m_home(home)
    , m_texts(texts)
    , m_prompts(prompts)
{}

void AccountManagerLogic::reload()
{
    m_rows.clear();
    for (AccountEntry& entry : m_store.readAll(DefaultProfile)) {
        const bool isTicked = entry.check;
        m_rows.push_back(AccountManagerRow{std::move(entry), isTicked});
    }
}

void AccountManagerLogic::setTicked(int row, bool isTicked)
{
    if (row >= 0 && row < static_cast<int>(m_rows.size()))
        m_rows[static_cast<std::size_t>(row)].isTicked = isTicked;
}

std::vector<std::string> AccountManagerLogic::profileChoices(std::string_view current) const
{
    std::vector<std::string> choices{std::string(DefaultProfile)};
    for (std::string& name :
         filter::listStoreNames(std::filesystem::path(m_home.nativeFilePath("Profile")))) {
        // Default.vtf is already the first entry.
        if (name != DefaultProfile)
            choices.push_back(std::move(name));
    }
    if (!current.empty() && std::find(choices.begin(), choices.end(), current) == choices.end())
        choices.emplace_back(current);
    return choices;
}

AccountFields AccountManagerLogic::fieldsOf(int row) const
{
    const AccountEntry& entry = m_rows.at(static_cast<std::size_t>(row)).entry;
    AccountFields fields;
    fields.description = entry.description;
    fields.popServer = entry.popServer;
    fields.popPort = std::to_string(entry.popPort);
    fields.smtpServer = entry.smtpServer;
    fields.smtpPort = std::to_string(entry.smtpPort);
    fields.username = entry.username;
    // The list may be older than the file (an import or another window wrote it since).
    fields.password = m_store.read(row + 1, DefaultProfile).password;
    fields.profile = entry.profile;
    fields.popSecurity = entry.popSecurity;
    fields.smtpSecurity = entry.smtpSecurity;
    return fields;
}

bool AccountManagerLogic::add(const AccountFields& typed)
{
    AccountFields fields = typed;
    fields.isInKeyring = m_useKeyring && !fields.password.empty() && m_store.isKeyringAvailable();
    if (!isAcceptable(fields, -1) || !confirmPlainText(fields, -1) || !report(m_store.add(fields)))
        return false;
    reload();
    return true;
}

bool AccountManagerLogic::save(int row, const AccountFields& typed)
{
    if (row < 0 || row >= static_cast<int>(m_rows.size()))
        return false;
    AccountFields fields = typed;
    // The account keeps its store; a password the keyring does not give out cannot be changed either.
    fields.isInKeyring = m_rows[static_cast<std::size_t>(row)].entry.isInKeyring;
    if (fields.isInKeyring && !m_store.isKeyringAvailable()) {
        showError("Extra", KeyringSilent);
        return false;
    }
    if (!isAcceptable(fields, row) || !confirmPlainText(fields, row) ||
        !report(m_store.edit(row + 1, fields)))
        return false;
    reload();
    return true;
}

bool AccountManagerLogic::remove(int row)
{
    if (row < 0 || row >= static_cast<int>(m_rows.size()))
        return false;
    if (!m_prompts.askYesNo(uiText(m_texts, "AccountMessage", "003")))
        return false;
    if (!report(m_store.remove(row + 1)))
        return false;
    // Only this row goes: the ticks of the others stay as the user left them until OK.
    m_rows.erase(m_rows.begin() + row);
    for (std::size_t i = static_cast<std::size_t>(row); i < m_rows.size(); ++i)
        m_rows[i].entry.number = static_cast<int>(i) + 1;
    return true;
}

bool AccountManagerLogic::moveStore(int row)
{
    if (row < 0 || row >= static_cast<int>(m_rows.size()))
        return false;
    const bool toKeyring = !m_rows[static_cast<std::size_t>(row)].entry.isInKeyring;
    if (!report(m_store.moveStore(row + 1, toKeyring)))
        return false;
    // Only this row's store changed; the ticks of the list stay as the user left them.
    const AccountEntry moved = m_store.read(row + 1, DefaultProfile);
    m_rows[static_cast<std::size_t>(row)].entry.isInKeyring = moved.isInKeyring;
    return true;
}

bool AccountManagerLogic::commitTicks()
{
    if (!m_store.exists())
        return true;
    try {
        storage::IniFile ini(m_home.nativeFilePath(AccountStore::FileName));
        // The file holds the passwords, and a tick alone may be the write that tightens its mode.
        ini.setFileMode(0600);
        for (std::size_t i = 0; i < m_rows.size(); ++i)
            ini.writeBool(sectionName(static_cast<int>(i) + 1), "Check", m_rows[i].isTicked);
        ini.updateFile();
        return true;
    } catch (const storage::IniError&) {
        showError("Extra", CannotWrite);
        return false;
    }
}

std::string AccountManagerLogic::defaultSecurity(std::string_view portText, int implicitTlsPort)
{
    return portText == std::to_string(implicitTlsPort) ? std::string(SecuritySsl)
                                                       : std::string(SecurityStartTls);
}

bool AccountManagerLogic::isPasswordStorable(std::string_view password)
{
    const std::string scrambled = AccountStore::scramble(password);
    return scrambled.find_first_of(std::string_view("\0\r\n\x1a", 4)) == std::string::npos;
}

bool AccountManagerLogic::isAcceptable(const AccountFields& fields, int exceptRow) const
{
    if (fields.description.empty() || fields.popServer.empty() || fields.username.empty()) {
        showError("AccountMessage", "001");
        return false;
    }
    if (isDescriptionTaken(fields.description, exceptRow)) {
        showError("AccountMessage", "002");
        return false;
    }
    if (!isPasswordStorable(fields.password)) {
        showError("Extra", PasswordNotStorable);
        return false;
    }
    return true;
}

bool AccountManagerLogic::confirmPlainText(AccountFields& fields, int exceptRow) const
{
    const std::string server = plainTextServer(fields);
    if (server.empty())
        return true;
    if (exceptRow >= 0 && m_rows[static_cast<std::size_t>(exceptRow)].entry.isPlainTextAccepted) {
        fields.isPlainTextAccepted = true;
        return true;
    }
    if (!m_prompts.askOkCancel(
            fillPlaceholders(uiText(m_texts, "Extra", PlainTextWarning), {displayText(server)})))
        return false;
    fields.isPlainTextAccepted = true;
    return true;
}

bool AccountManagerLogic::isDescriptionTaken(const std::string& description, int exceptRow) const
{
    const QString wanted = displayText(description);
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (static_cast<int>(i) == exceptRow)
            continue;
        if (displayText(m_rows[i].entry.description).compare(wanted, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool AccountManagerLogic::report(AccountStore::WriteResult result) const
{
    switch (result) {
    case AccountStore::WriteResult::Stored:
        return true;
    case AccountStore::WriteResult::UnsafeValue:
        showError("Extra", ValueNotStorable);
        break;
    case AccountStore::WriteResult::InvalidTotal:
        showError("Extra", TotalDamaged);
        break;
    case AccountStore::WriteResult::NoSuchAccount:
        showError("Extra", AccountGone);
        break;
    case AccountStore::WriteResult::WriteFailed:
        showError("Extra", CannotWrite);
        break;
    case AccountStore::WriteResult::KeyringFailed:
        showError("Extra", KeyringSilent);
        break;
    }
    return false;
}

void AccountManagerLogic::showError(std::string_view section, std::string_view key) const
{
    m_prompts.showError(uiText(m_texts, section, key));
}

} // namespace vantor::core
