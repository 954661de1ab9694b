#pragma once

#include "base/Clock.h"
#include "core/accounts/AccountLoader.h"

#include <QString>

#include <chrono>
#include <string>
#include <string_view>

namespace vantor::platform {
class ConnectionDetector;
class PasswordVault;
} // namespace vantor::platform
namespace vantor::storage {
class ErrorLog;
class TextTable;
} // namespace vantor::storage

namespace vantor::core {

class CheckHost;
class HomeDirectory;
class Mailbox;
class StatusSink;
class UserPrompts;
struct ProcessState;

// Everything the check cycles and the new-mail watch work with that comes from outside them, handed in
// by whoever hosts them (the main window, the command-line check, a test) and owned by it.
struct CheckServices
{
    const HomeDirectory& home;
    const storage::TextTable& texts;
    storage::ErrorLog& errorLog;
    UserPrompts& prompts;
    const platform::ConnectionDetector& detector;
    StatusSink& status;
    CheckHost& host;
    ProcessState& state;
    // The one POP3 mailbox of the process: a check and a watch poll never talk at the same time.
    Mailbox& mailbox;
    const base::Clock& clock = base::systemClock();
    // Whether a stored empty password is asked for (the window) or used as it is (the command line).
    AccountLoader::PasswordPrompt passwordPrompt = AccountLoader::PasswordPrompt::Ask;
    // How long a check waits for another check on the same home directory to end.
    std::chrono::milliseconds lockPatience = std::chrono::seconds(30);
    // The system's keyring, for accounts whose password is there; none: such accounts fail with a word.
    platform::PasswordVault* vault = nullptr;

    // A text of the table as bytes, and as text for the window.
    [[nodiscard]] const std::string& text(std::string_view section, std::string_view key) const;
    [[nodiscard]] QString uiText(std::string_view section, std::string_view key) const;
    void logError(std::string_view entry) const;
    // The status text "<Message key's text> <host>".
    void showStatus(std::string_view messageKey, const std::string& host) const;
    // The error box with a text of the Message section.
    void showError(std::string_view messageKey) const;
};

} // namespace vantor::core
