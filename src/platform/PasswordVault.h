#pragma once

#include <string>

namespace vantor::platform {

// The system's keyring (Secret Service or KWallet, Credential Manager, Keychain) as a store of passwords by
// key. Every call waits for its answer, with the event loop turning.
class PasswordVault
{
public:
    enum class Result
    {
        Done,
        // The keyring answered and holds no such entry.
        NotFound,
        // No keyring answers (no session bus, no service), or it refused access.
        Unavailable
    };

    virtual ~PasswordVault() = default;

    virtual Result read(const std::string& key, std::string& password) = 0;
    virtual Result write(const std::string& key, const std::string& password) = 0;
    // NotFound is no failure for the caller: there is nothing to delete.
    virtual Result remove(const std::string& key) = 0;
    // Whether a keyring answers now.
    virtual bool isAvailable() = 0;
};

} // namespace vantor::platform
