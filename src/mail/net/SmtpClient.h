#pragma once

#include "base/Clock.h"
#include "mail/net/ConnectFailure.h"
#include "mail/net/ConversationListener.h"
#include "mail/net/SecurityMode.h"
#include "mail/net/SocketConversation.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::mail::mime {
class MailMessage;
}

namespace vantor::mail::net {

// Whether connect() also greets the server and authenticates (hsAuto) or stops after its greeting.
enum class Handshaking
{
    hsAuto,
    hsManual
};

// The SMTP client (RFC 5321) that sends the bound message object: greeting, EHLO (HELO as fallback),
// AUTH LOGIN when the server takes it, MAIL FROM, one RCPT TO per distinct recipient, DATA and the
// message text in packets, QUIT. Synchronous for its caller while the event loop keeps running; every
// failure is a false result. STARTTLS (after EHLO, then EHLO again) or implicit TLS per security().
class SmtpClient : private ConversationListener
{
public:
    // clock: the date of the Message-ID of each sent message; it must outlive the client.
    explicit SmtpClient(SocketFactory factory = defaultSocketFactory(),
                        const base::Clock& clock = base::systemClock());
    ~SmtpClient() override;
    SmtpClient(const SmtpClient&) = delete;
    SmtpClient& operator=(const SmtpClient&) = delete;

    // Server port, 25 by default.
    int port() const { return m_port; }
    void setPort(int port) { m_port = port; }
    const std::string& host() const { return m_host; }
    void setHost(std::string host) { m_host = std::move(host); }
    int timeOut() const { return m_conversation.timeOut(); }
    void setTimeOut(int seconds) { m_conversation.setTimeOut(seconds); }
    // The message to send; not owned, may be null.
    mime::MailMessage* mailMessage() const { return m_mailMessage; }
    void setMailMessage(mime::MailMessage* message) { m_mailMessage = message; }
    // Packet size in bytes for the message text (102400 by default).
    std::int64_t packetSize() const { return m_packetSize; }
    void setPacketSize(std::int64_t bytes) { m_packetSize = bytes; }
    // Progress while the message text goes out: (text length, bytes sent), once per packet.
    void setOnProgress(ProgressHandler handler) { m_conversation.setOnProgress(std::move(handler)); }
    Handshaking handshaking() const { return m_handshaking; }
    void setHandshaking(Handshaking mode) { m_handshaking = mode; }
    const std::string& userName() const { return m_userName; }
    void setUserName(std::string name) { m_userName = std::move(name); }
    const std::string& password() const { return m_password; }
    void setPassword(std::string password) { m_password = std::move(password); }
    SecurityMode security() const { return m_security; }
    void setSecurity(SecurityMode mode) { m_security = mode; }

    bool connected() const { return m_connected; }
    // The server answered AUTH LOGIN with 334.
    bool authAccepted() const { return m_authAccepted; }
    TalkError lastError() const { return m_conversation.lastError(); }
    QString lastErrorText() const { return m_conversation.lastErrorText(); }
    // Why the last connect() failed; None after a successful one.
    ConnectFailure connectFailure() const { return m_connectFailure; }

    // Opens the connection and waits for the greeting ("220"); with hsAuto then EHLO or HELO, STARTTLS
    // when asked for, and AUTH LOGIN when the server takes it (a refused AUTH LOGIN is no failure).
    // The connection is not closed on failure: follow it with abort().
    bool connect();
    // "EHLO <this machine's name>", accepted with 250.
    bool sendEhlo();
    // "HELO <this machine's name>", accepted with 250.
    bool sendHelo();
    // STARTTLS (220), then the TLS handshake with the certificate checked against the host name.
    bool startTls();
    // "AUTH LOGIN", accepted with 334; sets authAccepted().
    bool startAuthLogin();
    // The base64 user name (334), then the base64 password (235).
    bool sendCredentials();
    // Sends the bound message to its To, Cc and Bcc addresses, from its From address.
    bool sendMessage();
    // Sends the bound message (its body must be assembled) to the comma-separated recipients: one
    // RCPT TO per distinct address, sorted; the transmitted header carries no Bcc field and a fresh
    // Message-ID. False without a message, with a stale body, no recipient, a refused step, or an
    // address that holds a line break (then nothing is sent).
    bool sendMessageTo(std::string_view from, std::string_view recipients);
    // QUIT (221), then closes; when refused the connection stays as it is.
    bool quit();
    // Closes at once, also in the middle of a send.
    void abort();

private:
    void replyComplete(int step, bool& success, std::string_view reply) override;
    void dataReceived(int step, bool& success, std::string_view piece, bool startsReply) override;
    void talkError(int step, TalkError kind) override;
    void talkDisconnected() override;
    // Records why connect() failed, unless a step already said so.
    void noteConnectFailure();

    bool isReady() const;
    bool exchange(const std::string& line, int step);
    bool command(const std::string& verb, const std::string& argument, int step);
    bool greet();
    bool authenticate();
    bool sendEnvelope(std::string_view from, const std::vector<std::string>& recipients);
    bool sendText();
    std::string clientName() const;

    SocketConversation m_conversation;
    const base::Clock& m_clock;
    std::string m_host;
    std::string m_userName;
    std::string m_password;
    mime::MailMessage* m_mailMessage = nullptr;
    std::int64_t m_packetSize = 102400;
    int m_port = 25;
    Handshaking m_handshaking = Handshaking::hsAuto;
    SecurityMode m_security = SecurityMode::None;
    ConnectFailure m_connectFailure = ConnectFailure::None;
    bool m_connected = false;
    bool m_authAccepted = false;
};

} // namespace vantor::mail::net
