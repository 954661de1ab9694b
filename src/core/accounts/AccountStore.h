#pragma once

#include "core/accounts/AccountEntry.h"
#include "core/accounts/AccountFields.h"
#include "core/program/HomeDirectory.h"
#include "platform/PasswordVault.h"
#include "storage/ErrorLog.h"
#include "storage/IniFile.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::core {

// The accounts in account.vta: [General] Total and one section Acc1 .. Acc<Total> per account. Every
// operation opens the file, does its reads or writes and releases it; nothing is cached between operations.
class AccountStore
{
public:
    inline static constexpr std::string_view FileName = "account.vta";
    // What a missing text key reads as; it never matches a real value.
    inline static constexpr std::string_view Missing = "ERROR";

    enum class Match
    {
        First,
        Last
    };

    enum class WriteResult
    {
        Stored,
        // The account number is not within 1 .. Total.
        NoSuchAccount,
        // A value holds (or a password scrambles to) NUL, CR or LF, or its line would pass 255 characters:
        // the file would lose or split it.
        UnsafeValue,
        // Total is not a number, so the numbering of the sections cannot be trusted.
        InvalidTotal,
        // The file could not be read or written; it is unchanged or partly written.
        WriteFailed,
        // The password was meant for the keyring and no keyring took it; the file is unchanged.
        KeyringFailed
    };

    // errorLog receives the lines about an unreadable file or a Total that is not a number. vault is the
    // system's keyring for accounts with PasswordStore=Keyring; without one their passwords are unavailable.
    AccountStore(const HomeDirectory& home, storage::ErrorLog& errorLog,
                 platform::PasswordVault* vault = nullptr);

    // The keyring, when there is one and it answers now.
    bool isKeyringAvailable() const;

    bool exists() const;
    // [General] Total; 0 for a missing file or key, and for a text that is not a decimal number (logged
    // once).
    int total() const;
    // Acc<number> with the defaults of the check cycles ("ERROR" texts, ports 110/25, Check false);
    // profileDefault is what a missing Profile reads as (the account manager passes "Default"). The password
    // of a keyring account is fetched from the keyring.
    AccountEntry read(int number, std::string_view profileDefault = Missing) const;
    // Acc1 .. Acc<Total>, read in one pass over the file; the keyring is not asked (a listing needs no
    // password).
    std::vector<AccountEntry> readAll(std::string_view profileDefault = Missing) const;
    // The account whose Description equals description exactly (case-sensitive): the first one, or the
    // last one when several do (a file edited by hand).
    std::optional<AccountEntry> findByDescription(std::string_view description, Match match) const;

    // Total + 1 first, then Acc<Total>: Description, POPServer, POPPort, SMTPServer, SMTPPort, Username,
    // Password, Profile, Check "1" (and the security keys that are given).
    WriteResult add(const AccountFields& fields);
    // The accounts added in order after the stored ones, each as add() writes it, with one read and one write
    // of the file: all of them or, when any value is unsafe or the file cannot be trusted, none.
    WriteResult addAll(const std::vector<AccountFields>& accounts);
    // Rewrites the same keys of Acc<number> in the same order, Check "1".
    WriteResult edit(int number, const AccountFields& fields);
    // Removes Acc<number>, renames the later sections one down, Total - 1; one write of the file. The
    // account's keyring entry goes too.
    WriteResult remove(int number);
    // Moves the password of Acc<number> into the keyring or back into the scrambled Password key; nothing
    // else of the account changes.
    WriteResult moveStore(int number, bool toKeyring);

    // Every byte XORed with 0xC6; applying it twice gives the text back.
    static std::string scramble(std::string_view text);

private:
    std::unique_ptr<storage::IniFile> open() const;
    // The keyring entry of an account: the file (two homes never share one), the description, the user and
    // the POP3 server. A file edited to send the account elsewhere finds no password, rather than sending
    // it to a server it was not stored for.
    std::string keyringKey(std::string_view description, std::string_view username,
                           std::string_view popServer) const;
    // Fetches the password of a keyring account.
    void resolvePassword(AccountEntry& entry) const;
    // Puts the passwords of keyring accounts into the keyring; false when one was refused.
    bool storeInKeyring(const std::vector<AccountFields>& accounts) const;
    int readTotal(const storage::IniFile& ini) const;
    // Total as a number; nothing (and one error-log line) when it is not a decimal number.
    std::optional<int> readValidTotal(const storage::IniFile& ini) const;
    AccountEntry readEntry(const storage::IniFile& ini, int number, std::string_view profileDefault) const;
    static WriteResult save(storage::IniFile& ini);

    std::string m_filePath;
    storage::ErrorLog& m_errorLog;
    platform::PasswordVault* m_vault;
};

} // namespace vantor::core
