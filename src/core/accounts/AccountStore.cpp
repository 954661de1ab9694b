#include "core/accounts/AccountStore.h"

#include "base/ErrorCodes.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <charconv>

namespace vantor::core {

namespace {

constexpr std::string_view General = "General";
constexpr std::string_view Total = "Total";
constexpr int ImplicitTlsPop3Port = 995;
constexpr int ImplicitTlsSmtpPort = 465;
constexpr std::string_view PasswordStoreKey = "PasswordStore";
constexpr std::string_view KeyringStore = "Keyring";

// An empty password has nothing to keep secret: it stays in the file, where the check asks for it.
bool goesToKeyring(const AccountFields& fields)
{
    return fields.isInKeyring && !fields.password.empty();
}

std::string sectionName(int number)
{
    return "Acc" + std::to_string(number);
}

// Leading blanks are tolerated because hand-edited files have them; anything else must be decimal digits.
std::optional<int> parseTotal(std::string_view text)
{
    const auto start = text.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return std::nullopt;
    text.remove_prefix(start);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.front() == '-')
        return std::nullopt;
    return value;
}

// The highest n of the sections Acc<n> in the file; 0 when there is none.
int highestSectionNumber(const storage::IniFile& ini)
{
    int highest = 0;
    for (const std::string& name : ini.readSections()) {
        if (name.size() <= 3 || (name.compare(0, 3, "Acc") != 0 && name.compare(0, 3, "ACC") != 0 &&
                                 name.compare(0, 3, "acc") != 0))
            continue;
        if (const std::optional<int> number = parseTotal(std::string_view(name).substr(3));
            number && name[3] != ' ')
            highest = std::max(highest, *number);
    }
    return highest;
}

std::string securityOrDefault(std::string stored, int port, int implicitTlsPort)
{
    if (!stored.empty())
        return stored;
    return port == implicitTlsPort ? "SSL" : "None";
}

struct KeyValue
{
    std::string_view key;
    std::string value;
};

// The INI engine splits a value at CR or LF and cuts a line after 255 characters: such a value would not
// read back as written.
bool isStorable(const KeyValue& kv)
{
    if (kv.key.size() + 1 + kv.value.size() > storage::IniFile::MaxLineLength)
        return false;
    return std::none_of(kv.value.begin(), kv.value.end(),
                        [](char c) { return c == '\0' || c == '\r' || c == '\n'; });
}

// The keys of one account in the order the file has always had them.
std::vector<KeyValue> keyValues(const AccountFields& fields)
{
    std::vector<KeyValue> result{
        {"Description", fields.description},
        {"POPServer", fields.popServer},
        {"POPPort", fields.popPort.empty() ? std::string("110") : fields.popPort},
        {"SMTPServer", fields.smtpServer},
        {"SMTPPort", fields.smtpPort.empty() ? std::string("25") : fields.smtpPort},
        {"Username", fields.username},
        {"Password", goesToKeyring(fields) ? std::string() : AccountStore::scramble(fields.password)},
        {"Profile", fields.profile},
        {"Check", "1"},
    };
    if (!fields.popSecurity.empty())
        result.push_back({"POPSecurity", fields.popSecurity});
    if (!fields.smtpSecurity.empty())
        result.push_back({"SMTPSecurity", fields.smtpSecurity});
    if (fields.isPlainTextAccepted)
        result.push_back({"PlainTextAccepted", "1"});
    if (goesToKeyring(fields))
        result.push_back({PasswordStoreKey, std::string(KeyringStore)});
    return result;
}

void writeKeys(storage::IniFile& ini, int number, const std::vector<KeyValue>& values)
{
    const std::string section = sectionName(number);
    // A password back in the file must not leave a reader looking for it in the keyring.
    if (std::none_of(values.begin(), values.end(),
                     [](const KeyValue& kv) { return kv.key == PasswordStoreKey; }))
        ini.deleteKey(section, PasswordStoreKey);
    for (const KeyValue& kv : values)
        ini.writeString(section, kv.key, kv.value);
}

} // namespace

AccountStore::AccountStore(const HomeDirectory& home, storage::ErrorLog& errorLog,
                           platform::PasswordVault* vault)
    : m_filePath(home.nativeFilePath(FileName))
    , m_errorLog(errorLog)
    , m_vault(vault)
{}

bool AccountStore::isKeyringAvailable() const
{
    return m_vault && m_vault->isAvailable();
}

std::string AccountStore::keyringKey(std::string_view description, std::string_view username,
                                     std::string_view popServer) const
{
    return m_filePath + "|" + std::string(description) + "|" + std::string(username) + "@" +
           std::string(popServer);
}

void AccountStore::resolvePassword(AccountEntry& entry) const
{
    if (!entry.isInKeyring)
        return;
    entry.password.clear();
    std::string password;
    if (m_vault &&
        m_vault->read(keyringKey(entry.description, entry.username, entry.popServer), password) ==
            platform::PasswordVault::Result::Done &&
        !password.empty()) {
        entry.password = std::move(password);
        return;
    }
    entry.isKeyringUnavailable = true;
}

bool AccountStore::storeInKeyring(const std::vector<AccountFields>& accounts) const
{
    for (const AccountFields& fields : accounts) {
        if (!goesToKeyring(fields))
            continue;
        if (!m_vault || m_vault->write(keyringKey(fields.description, fields.username, fields.popServer),
                                       fields.password) != platform::PasswordVault::Result::Done)
            return false;
    }
    return true;
}

bool AccountStore::exists() const
{
    return QFileInfo::exists(QFile::decodeName(m_filePath.c_str()));
}

int AccountStore::total() const
{
    const auto ini = open();
    return ini ? readTotal(*ini) : 0;
}

AccountEntry AccountStore::read(int number, std::string_view profileDefault) const
{
    const auto ini = open();
    AccountEntry entry = ini ? readEntry(*ini, number, profileDefault)
                             : readEntry(storage::IniFile(std::string()), number, profileDefault);
    resolvePassword(entry);
    return entry;
}

std::vector<AccountEntry> AccountStore::readAll(std::string_view profileDefault) const
{
    std::vector<AccountEntry> result;
    const auto ini = open();
    if (!ini)
        return result;
    const int count = readTotal(*ini);
    for (int number = 1; number <= count; ++number)
        result.push_back(readEntry(*ini, number, profileDefault));
    return result;
}

std::optional<AccountEntry> AccountStore::findByDescription(std::string_view description, Match match) const
{
    const auto ini = open();
    if (!ini)
        return std::nullopt;
    std::optional<AccountEntry> found;
    const int count = readTotal(*ini);
    for (int number = 1; number <= count; ++number) {
        if (ini->readString(sectionName(number), "Description", Missing) != description)
            continue;
        found = readEntry(*ini, number, Missing);
        if (match == Match::First)
            break;
    }
    if (found)
        resolvePassword(*found);
    return found;
}

AccountStore::WriteResult AccountStore::add(const AccountFields& fields)
{
    return addAll({fields});
}

AccountStore::WriteResult AccountStore::addAll(const std::vector<AccountFields>& accounts)
{
    // Checked before anything changes: a released INI object writes its changes back even on failure paths.
    std::vector<std::vector<KeyValue>> values;
    values.reserve(accounts.size());
    for (const AccountFields& fields : accounts) {
        values.push_back(keyValues(fields));
        if (!std::all_of(values.back().begin(), values.back().end(), isStorable))
            return WriteResult::UnsafeValue;
    }
    if (values.empty())
        return WriteResult::Stored;
    const auto ini = open();
    if (!ini)
        return WriteResult::WriteFailed;
    const std::optional<int> count = readValidTotal(*ini);
    if (!count)
        return WriteResult::InvalidTotal;
    // The keyring first: a file that names the keyring for a password the keyring never got would lose it.
    if (!storeInKeyring(accounts))
        return WriteResult::KeyringFailed;
    int number = *count;
    for (const std::vector<KeyValue>& account : values) {
        ++number;
        // Total goes first so that a new file starts with [General]; a stale section left under the new
        // number by a hand edit is dropped, or its extra keys would leak into the new account.
        ini->writeString(General, Total, std::to_string(number));
        ini->eraseSection(sectionName(number));
        writeKeys(*ini, number, account);
    }
    return save(*ini);
}

AccountStore::WriteResult AccountStore::edit(int number, const AccountFields& fields)
{
    const std::vector<KeyValue> values = keyValues(fields);
    if (!std::all_of(values.begin(), values.end(), isStorable))
        return WriteResult::UnsafeValue;
    const auto ini = open();
    if (!ini)
        return WriteResult::WriteFailed;
    if (number < 1 || number > readTotal(*ini))
        return WriteResult::NoSuchAccount;
    const AccountEntry before = readEntry(*ini, number, Missing);
    if (!storeInKeyring({fields}))
        return WriteResult::KeyringFailed;
    writeKeys(*ini, number, values);
    const WriteResult result = save(*ini);
    // The old entry goes once the file no longer points to it (another key, or back in the file).
    const bool isOldEntryUsed =
        goesToKeyring(fields) && keyringKey(fields.description, fields.username, fields.popServer) ==
                                     keyringKey(before.description, before.username, before.popServer);
    if (result == WriteResult::Stored && before.isInKeyring && !isOldEntryUsed && m_vault)
        m_vault->remove(keyringKey(before.description, before.username, before.popServer));
    return result;
}

AccountStore::WriteResult AccountStore::moveStore(int number, bool toKeyring)
{
    const auto ini = open();
    if (!ini)
        return WriteResult::WriteFailed;
    if (number < 1 || number > readTotal(*ini))
        return WriteResult::NoSuchAccount;
    AccountEntry entry = readEntry(*ini, number, Missing);
    resolvePassword(entry);
    if (entry.isKeyringUnavailable)
        return WriteResult::KeyringFailed;
    if (entry.isInKeyring == toKeyring || entry.password.empty())
        return WriteResult::Stored;
    const std::string section = sectionName(number);
    if (toKeyring) {
        if (!m_vault || m_vault->write(keyringKey(entry.description, entry.username, entry.popServer),
                                       entry.password) != platform::PasswordVault::Result::Done)
            return WriteResult::KeyringFailed;
        ini->writeString(section, "Password", "");
        ini->writeString(section, PasswordStoreKey, KeyringStore);
        return save(*ini);
    }
    // The keyring takes bytes the file cannot carry; such a password stays where it is.
    if (!isStorable({"Password", scramble(entry.password)}))
        return WriteResult::UnsafeValue;
    ini->writeString(section, "Password", scramble(entry.password));
    ini->deleteKey(section, PasswordStoreKey);
    const WriteResult result = save(*ini);
    if (result == WriteResult::Stored)
        m_vault->remove(keyringKey(entry.description, entry.username, entry.popServer));
    return result;
}

AccountStore::WriteResult AccountStore::remove(int number)
{
    const auto ini = open();
    if (!ini)
        return WriteResult::WriteFailed;
    const std::optional<int> count = readValidTotal(*ini);
    if (!count)
        return WriteResult::InvalidTotal;
    if (number < 1 || number > *count)
        return WriteResult::NoSuchAccount;
    const AccountEntry removed = readEntry(*ini, number, Missing);
    ini->eraseSection(sectionName(number));
    for (int later = number + 1; later <= *count; ++later)
        ini->renameSection(sectionName(later), sectionName(later - 1));
    ini->writeString(General, Total, std::to_string(*count - 1));
    const WriteResult result = save(*ini);
    if (result == WriteResult::Stored && removed.isInKeyring && m_vault)
        m_vault->remove(keyringKey(removed.description, removed.username, removed.popServer));
    return result;
}

std::string AccountStore::scramble(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(static_cast<unsigned char>(c) ^ 0xC6u);
    return result;
}

std::unique_ptr<storage::IniFile> AccountStore::open() const
{
    try {
        auto ini = std::make_unique<storage::IniFile>(m_filePath);
        // The file holds the mailbox passwords: for its owner's eyes only, whatever mode it had.
        ini->setFileMode(0600);
        return ini;
    } catch (const storage::IniError&) {
        m_errorLog.write(base::errorEntry(base::errorcode::AccountFile, "cannot read account.vta"));
        return nullptr;
    }
}

int AccountStore::readTotal(const storage::IniFile& ini) const
{
    return readValidTotal(ini).value_or(0);
}

std::optional<int> AccountStore::readValidTotal(const storage::IniFile& ini) const
{
    const std::optional<int> count = parseTotal(ini.readString(General, Total, "0"));
    if (!count) {
        m_errorLog.write(base::errorEntry(base::errorcode::AccountFile, "account.vta Total is not a number"));
        return count;
    }
    // A Total edited by hand far above the accounts in the file counts only the sections there are.
    return std::min(*count, highestSectionNumber(ini));
}

AccountEntry AccountStore::readEntry(const storage::IniFile& ini, int number,
                                     std::string_view profileDefault) const
{
    const std::string section = sectionName(number);
    AccountEntry entry;
    entry.number = number;
    entry.description = ini.readString(section, "Description", Missing);
    entry.popServer = ini.readString(section, "POPServer", Missing);
    entry.popPort = ini.readInteger(section, "POPPort", 110);
    entry.smtpServer = ini.readString(section, "SMTPServer", Missing);
    entry.smtpPort = ini.readInteger(section, "SMTPPort", 25);
    entry.username = ini.readString(section, "Username", Missing);
    const std::string password = ini.readString(section, "Password", Missing);
    entry.isPasswordMissing = password == Missing;
    if (!entry.isPasswordMissing)
        entry.password = scramble(password);
    entry.profile = ini.readString(section, "Profile", profileDefault);
    entry.check = ini.readBool(section, "Check", false);
    entry.popSecurity =
        securityOrDefault(ini.readString(section, "POPSecurity", ""), entry.popPort, ImplicitTlsPop3Port);
    entry.smtpSecurity =
        securityOrDefault(ini.readString(section, "SMTPSecurity", ""), entry.smtpPort, ImplicitTlsSmtpPort);
    entry.isPlainTextAccepted = ini.readBool(section, "PlainTextAccepted", false);
    entry.isInKeyring = ini.readString(section, PasswordStoreKey, "") == KeyringStore;
    return entry;
}

AccountStore::WriteResult AccountStore::save(storage::IniFile& ini)
{
    try {
        ini.updateFile();
        return WriteResult::Stored;
    } catch (const storage::IniError&) {
        return WriteResult::WriteFailed;
    }
}

} // namespace vantor::core
