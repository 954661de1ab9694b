#pragma once

#include "core/AccountLoader.h"
#include "mail/mime/MailMessage.h"
#include "mail/net/Pop3Client.h"
#include "mail/net/SocketFactory.h"
#include "records/MessageSource.h"

#include <cstdint>
#include <string>

namespace vantor::core {

// The shared POP3 client of the checks and the watch ("Pop3") with its message object ("MailMessage"):
// one connection at a time, the fetched header always in message().
class Pop3Mailbox : public records::MessageSource
{
public:
    explicit Pop3Mailbox(mail::net::SocketFactory factory = mail::net::defaultSocketFactory());

    // Seconds a reply may keep the check waiting (60 in the program; tests take less).
    void setTimeOut(int seconds) { m_client.setTimeOut(seconds); }

    mail::mime::MailMessage& message() { return m_message; }
    const mail::mime::MailMessage& message() const { return m_message; }

    // Host, port, user name, password and protection of the next connection.
    void setLogin(const Pop3Login& login);
    // Opens the connection and reads the greeting; false as well when the account names a protection
    // this program does not know (it never falls back to plain text).
    bool connect();
    // USER, PASS and LIST.
    bool login();
    // The listed number of messages; 0 when unknown.
    int messageCount() const;
    // The listed size of message n in bytes; 0 when not listed.
    std::int64_t messageSize(int messageNumber) const;
    // TOP n 0 into message().
    bool fetchHeader(int messageNumber);
    bool deleteMessage(int messageNumber);
    // QUIT: the server carries out the deletions.
    bool quit();
    // Closes without QUIT: the server forgets the deletions.
    void abort();
    // The session is open: a command that failed left it so only when the server cleanly refused it.
    bool isSessionOpen() const { return m_client.connected(); }
    // The server's refusal or the fault that ended the session, for the error log.
    std::string failureText() const { return m_client.failureText(); }
    // The program is ending: the running session is aborted at once and no command goes out any more.
    void shutDown();
    bool isShutDown() const { return m_isShutDown; }

    bool retrieveHeader(int messageNumber, mail::mime::MailMessage& message) override;
    bool retrieveMessage(int messageNumber, mail::mime::MailMessage& message) override;
    std::string host() const override;

private:
    mail::mime::MailMessage m_message;
    mail::net::Pop3Client m_client;
    bool m_isSecurityKnown = true;
    bool m_isShutDown = false;
};

} // namespace vantor::core
