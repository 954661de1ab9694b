#pragma once

#include "core/accounts/AccountLoader.h"
#include "core/accounts/AccountStore.h"
#include "core/check/CheckLock.h"
#include "core/manager/ManagerView.h"
#include "mail/mime/MailMessage.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace vantor::platform {
class ConnectionDetector;
}
namespace vantor::storage {
class ErrorLog;
class TextTable;
} // namespace vantor::storage

namespace vantor::core {

class HomeDirectory;
class Mailbox;
class UserPrompts;

// The EMail Manager's own session with one account's mailbox: the listing built from header fetches,
// loading one message, deleting the ticked ones. It talks through a mailbox of its own, never the one the
// checks use, and holds the home directory's check lock while its session is open: a check (the window's,
// a timed one or vantor-check) then waits for it and, when the session stays open, refuses; so no two
// sessions ever mark messages of one mailbox for deletion at the same time.
class EMailManager
{
public:
    inline static constexpr std::size_t MemoCharacters = 10000;

    struct Services
    {
        const HomeDirectory& home;
        const storage::TextTable& texts;
        storage::ErrorLog& errorLog;
        UserPrompts& prompts;
        const platform::ConnectionDetector& detector;
        const AccountStore& accounts;
    };

    EMailManager(const Services& services, Mailbox& mailbox, ManagerView& view);
    EMailManager(const EMailManager&) = delete;
    EMailManager& operator=(const EMailManager&) = delete;

    // Connects to the account of that description, logs in and lists one row per message whose header
    // arrived. The window keeps processing events meanwhile; disconnect() stops the listing.
    void connectAndList(const std::string& description);
    // Closes at once without QUIT: the server keeps every message.
    void disconnect();
    // Loads message n whole; nothing when it failed (logged, status shown) or no session is open.
    std::optional<ManagerMessage> retrieve(int messageNumber);
    // After the user's yes: DELE for each number, QUIT so the server carries them out, then the listing of
    // the account of that description again. A session that breaks on the way is closed without QUIT, so
    // nothing of it is deleted, and the user is told.
    void deleteMessages(const std::vector<int>& messageNumbers, const std::string& description);
    // The program is ending: the session is cut and nothing is sent any more.
    void shutDown();

    bool isConnected() const;
    // A command is under way (the listing, a retrieve or the deletions).
    bool isWorking() const { return m_isWorking; }
    const std::string& host() const { return m_host; }

    // "Highest" .. "Lowest" of the text table; a value beyond the range reads as its nearer end.
    static std::string priorityWord(const storage::TextTable& texts, int priority);

private:
    // The account's connection data; nothing (after the error box) when it cannot be used.
    std::optional<Pop3Login> readAccount(const std::string& description) const;
    bool open(const Pop3Login& login);
    void list(unsigned generation);
    // Closes without QUIT and lets a check have the mailbox again.
    void closeSession();
    // The session broke under a command: say so and return to the not-connected state.
    void sessionLost();
    void logFailure(std::string_view code, std::string_view what) const;
    QString text(std::string_view section, std::string_view key) const;
    void showStatus(std::string_view messageKey, const std::string& host) const;
    ManagerMessage loadedMessage();

    Services m_services;
    Mailbox& m_mailbox;
    ManagerView& m_view;
    mail::mime::MailMessage m_message;
    std::optional<CheckLock> m_lock;
    std::string m_host;
    // Counts the sessions, so a command that waited while the user disconnected leaves the new state alone.
    unsigned m_generation = 0;
    bool m_isWorking = false;
    bool m_isShutDown = false;
};

} // namespace vantor::core
