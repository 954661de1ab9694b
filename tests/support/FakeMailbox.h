#pragma once

#include "core/check/Mailbox.h"
#include "mail/mime/MailMessage.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace vantor::test {

// A scripted POP3 mailbox in memory, for cycle tests that run in milliseconds: one maildrop per host,
// sessions that commit their deletions only on QUIT, and the faults a test asks for. Every command the
// cycles send is logged, so a test can read the order of backups, deletions and QUIT.
class FakeMailbox : public core::Mailbox
{
public:
    // One server's maildrop and the faults it shows; numbers are the 1-based message numbers of a session.
    struct Drop
    {
        // Whole messages, LF or CR LF line ends.
        std::vector<std::string> messages;
        bool refuseConnect = false;
        bool refuseLogin = false;
        // TOP n is cleanly refused (-ERR); the session stays open.
        std::set<int> refusedHeaders;
        // TOP n or RETR n never gets its reply: the session is over.
        std::set<int> brokenFetches;
        // DELE n is cleanly refused.
        std::set<int> refusedDeletes;
        bool refuseQuit = false;
    };

    // The drop of host, created empty on first use.
    Drop& drop(const std::string& host) { return m_drops[host]; }
    // The commands sent so far: "CONNECT host", "LOGIN user", "TOP n", "RETR n", "DELE n", "QUIT", "ABORT".
    const std::vector<std::string>& commands() const { return m_commands; }

    mail::mime::MailMessage& message() override { return m_message; }
    void setLogin(const core::Pop3Login& login) override { m_login = login; }
    bool connect() override;
    bool login() override;
    int messageCount() const override;
    std::int64_t messageSize(int messageNumber) const override;
    bool fetchHeader(int messageNumber) override;
    bool deleteMessage(int messageNumber) override;
    bool quit() override;
    void abort() override;
    bool isSessionOpen() const override { return m_isOpen; }
    std::string failureText() const override { return m_failure; }
    void shutDown() override;
    bool isShutDown() const override { return m_isShutDown; }

    bool retrieveHeader(int messageNumber, mail::mime::MailMessage& message) override;
    bool retrieveMessage(int messageNumber, mail::mime::MailMessage& message) override;
    std::string host() const override { return m_login.host; }

private:
    // The message numbered n in the open session, or null (and the session's state set) when there is none.
    const std::string* sessionMessage(int messageNumber, const char* command);
    bool fail(std::string text, bool endsSession);

    std::map<std::string, Drop> m_drops;
    std::vector<std::string> m_commands;
    mail::mime::MailMessage m_message;
    core::Pop3Login m_login;
    std::set<int> m_marked;
    std::string m_failure;
    bool m_isOpen = false;
    bool m_isLoggedIn = false;
    bool m_isShutDown = false;
};

} // namespace vantor::test
