#pragma once

#include <string>

namespace vantor::core {

// What the account manager and the import write for one account: the texts of their fields.
struct AccountFields
{
    std::string description;
    std::string popServer;
    // An empty port is stored as "110" (POP3) or "25" (SMTP).
    std::string popPort;
    std::string smtpServer;
    std::string smtpPort;
    std::string username;
    // In clear text; the store scrambles it.
    std::string password;
    std::string profile;
    // "None", "SSL" or "STARTTLS"; an empty text writes no key, so the port decides when reading.
    std::string popSecurity;
    std::string smtpSecurity;
    // The password goes to the system's keyring instead of the scrambled Password key.
    bool isInKeyring = false;
    // The user was told that this account talks without encryption, and kept it so: not asked again.
    bool isPlainTextAccepted = false;
};

} // namespace vantor::core
