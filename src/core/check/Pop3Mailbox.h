#pragma once

#include "core/check/Mailbox.h"
#include "mail/mime/MailMessage.h"
#include "mail/net/Pop3Client.h"
#include "mail/net/SocketFactory.h"

namespace vantor::core {

// The mailbox of a real POP3 server, shared by the checks and the watch ("Pop3" with its message object
// "MailMessage"). connect() also fails when the account names a protection this program does not know: it
// never falls back to plain text.
class Pop3Mailbox : public Mailbox
{
public:
    explicit Pop3Mailbox(mail::net::SocketFactory factory = mail::net::defaultSocketFactory());

    // Seconds a reply may keep the check waiting (60 in the program; tests take less).
    void setTimeOut(int seconds) { m_client.setTimeOut(seconds); }

    mail::mime::MailMessage& message() override { return m_message; }
    void setLogin(const Pop3Login& login) override;
    bool connect() override;
    bool login() override;
    int messageCount() const override;
    std::int64_t messageSize(int messageNumber) const override;
    bool fetchHeader(int messageNumber) override;
    bool deleteMessage(int messageNumber) override;
    bool quit() override;
    void abort() override;
    bool isSessionOpen() const override { return m_client.connected(); }
    std::string failureText() const override { return m_client.failureText(); }
    mail::net::ConnectFailure connectFailure() const override;
    void shutDown() override;
    bool isShutDown() const override { return m_isShutDown; }

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
