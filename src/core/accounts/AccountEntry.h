#pragma once

#include <string>

namespace vantor::core {

// One Acc<n> section of account.vta as read, with the defaults of a missing key applied.
struct AccountEntry
{
    int number = 0;
    std::string description;
    std::string popServer;
    int popPort = 110;
    std::string smtpServer;
    int smtpPort = 25;
    std::string username;
    // The password in clear text; empty when stored empty or when the key is missing.
    std::string password;
    // The Password key is absent: a check fails on it, where an empty password makes it ask.
    bool isPasswordMissing = true;
    std::string profile;
    bool check = false;
    // "None", "SSL" or "STARTTLS" as stored; when absent, "SSL" on the implicit TLS port, else "None".
    std::string popSecurity;
    std::string smtpSecurity;
    // PasswordStore=Keyring: the password is in the system's keyring, the Password key is empty.
    bool isInKeyring = false;
    // A keyring account whose password could not be read (no keyring answers, or it holds no entry): the
    // account cannot log in, and password is empty.
    bool isKeyringUnavailable = false;
    // PlainTextAccepted: the warning about a connection without encryption was shown and accepted.
    bool isPlainTextAccepted = false;
};

} // namespace vantor::core
