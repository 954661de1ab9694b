#include "mail/net/SmtpClient.h"

#include "mail/mime/MailMessage.h"
#include "mail/proto/Commands.h"
#include "mail/proto/Recipients.h"
#include "mail/proto/SmtpReplies.h"

#include <algorithm>

namespace vantor::mail::net {

namespace {

// Protocol steps and the reply code that accepts each.
enum Step
{
    StepGreeting = 1,
    StepHelo = 9,
    StepMailFrom = 10,
    StepRcptTo = 11,
    StepEhlo = 12,
    StepUser = 13,
    StepPassword = 14,
    StepAuth = 15,
    StepStartTls = 16,
    StepData = 17,
    StepText = 18,
    StepQuit = 19
};

std::string_view expectedCode(int step)
{
    switch (step) {
    case StepGreeting:
    case StepStartTls:
        return "220";
    case StepHelo:
    case StepMailFrom:
    case StepRcptTo:
    case StepEhlo:
    case StepText:
        return "250";
    case StepUser:
    case StepAuth:
        return "334";
    case StepPassword:
        return "235";
    case StepData:
        return "354";
    case StepQuit:
        return "221";
    default:
        return {};
    }
}

} // namespace

SmtpClient::SmtpClient(SocketFactory factory, const base::Clock& clock)
    : m_conversation(*this, std::move(factory))
    , m_clock(clock)
{}

SmtpClient::~SmtpClient() = default;

void SmtpClient::replyComplete(int step, bool& success, std::string_view reply)
{
    success = proto::smtpReplyHasCode(reply, expectedCode(step));
}

void SmtpClient::dataReceived(int, bool& success, std::string_view piece, bool startsReply)
{
    // Only the piece that opens a reply can carry its code; a later one may be any text.
    if (startsReply && m_conversation.isWaiting() && proto::isSmtpRefusalPiece(piece)) {
        success = false;
        m_conversation.cancelWait();
    }
}

void SmtpClient::talkError(int, TalkError)
{
    m_conversation.cancelWait();
}

void SmtpClient::talkDisconnected()
{
    m_connected = false;
}

bool SmtpClient::isReady() const
{
    return m_connected && m_conversation.isActive();
}

bool SmtpClient::exchange(const std::string& line, int step)
{
    m_conversation.talk(line, ReplyEnd::smtpReply(), step);
    m_conversation.waitReply();
    return m_conversation.success();
}

bool SmtpClient::command(const std::string& verb, const std::string& argument, int step)
{
    if (!isReady())
        return false;
    const auto line = proto::commandLine(verb, argument);
    return line && exchange(*line, step);
}

std::string SmtpClient::clientName() const
{
    const std::string name = m_conversation.localHostName();
    return (name.empty() || !proto::isSafeArgument(name) || name.find(' ') != std::string::npos) ? "localhost"
                                                                                                 : name;
}

bool SmtpClient::connect()
{
    if (m_connected || m_conversation.isActive() || m_host.empty() || !proto::isSafeArgument(m_host))
        return false;
    m_authAccepted = false;
    m_connectFailure = ConnectFailure::None;
    m_conversation.prepareWait(StepGreeting, ReplyEnd::smtpReply());
    m_conversation.open(m_host, m_port, m_security == SecurityMode::SSL);
    m_conversation.waitReply();
    if (!m_conversation.success()) {
        m_connected = false;
        noteConnectFailure();
        return false;
    }
    m_connected = true;
    if (m_handshaking == Handshaking::hsManual)
        return true;
    m_connected = greet() && authenticate();
    if (!m_connected)
        noteConnectFailure();
    return m_connected;
}

bool SmtpClient::greet()
{
    if (m_security == SecurityMode::STARTTLS)
        return sendEhlo() && startTls() && sendEhlo();
    return sendEhlo() || sendHelo();
}

bool SmtpClient::authenticate()
{
    // A server that does not take AUTH LOGIN is used without authentication.
    return !startAuthLogin() || sendCredentials();
}

bool SmtpClient::sendEhlo()
{
    return command("EHLO", clientName(), StepEhlo);
}

bool SmtpClient::sendHelo()
{
    return command("HELO", clientName(), StepHelo);
}

void SmtpClient::noteConnectFailure()
{
    if (m_connectFailure == ConnectFailure::None)
        m_connectFailure =
            m_conversation.isCertificateRefused() ? ConnectFailure::Certificate : ConnectFailure::Connection;
}

bool SmtpClient::startTls()
{
    if (!command("STARTTLS", {}, StepStartTls)) {
        // A server that answered, but not with 220, does not offer TLS: AUTH never goes out in clear.
        if (m_conversation.lastError() == TalkError::None && m_conversation.isActive())
            m_connectFailure = ConnectFailure::NoTls;
        return false;
    }
    m_conversation.startEncryption(StepStartTls);
    m_conversation.waitReply();
    return m_conversation.success();
}

bool SmtpClient::startAuthLogin()
{
    m_authAccepted = command("AUTH", "LOGIN", StepAuth);
    return m_authAccepted;
}

bool SmtpClient::sendCredentials()
{
    if (!isReady() || !m_authAccepted)
        return false;
    const auto user = proto::authLoginLine(m_userName);
    const auto password = proto::authLoginLine(m_password);
    return user && password && exchange(*user, StepUser) && exchange(*password, StepPassword);
}

bool SmtpClient::sendMessage()
{
    if (!m_mailMessage)
        return false;
    std::string recipients;
    for (const mime::RecipientList* list :
         {&m_mailMessage->toList(), &m_mailMessage->ccList(), &m_mailMessage->bccList()}) {
        const std::string addresses = list->allAddresses();
        if (addresses.empty())
            continue;
        if (!recipients.empty())
            recipients += ',';
        recipients += addresses;
    }
    return sendMessageTo(m_mailMessage->fromAddress(), recipients);
}

bool SmtpClient::sendMessageTo(std::string_view from, std::string_view recipients)
{
    if (!m_mailMessage || m_mailMessage->bodyStale() || !isReady())
        return false;
    const std::vector<std::string> addresses = proto::sortedRecipients(recipients);
    if (addresses.empty() || !sendEnvelope(from, addresses))
        return false;
    m_mailMessage->setMessageId(m_conversation.localAddress(), m_clock.localNow());
    // The header goes out without its Bcc fields (every one of them) and comes back whole afterwards.
    std::vector<std::string> kept = m_mailMessage->headerLines();
    m_mailMessage->removeHeader("Bcc");
    const bool sent = command("DATA", {}, StepData) && sendText();
    m_mailMessage->setHeaderLines(std::move(kept));
    return sent;
}

bool SmtpClient::sendEnvelope(std::string_view from, const std::vector<std::string>& recipients)
{
    // Every address is checked before the first byte goes out.
    const auto mailFrom = proto::pathCommand("MAIL FROM:", from);
    if (!mailFrom || !std::all_of(recipients.begin(), recipients.end(), proto::isSafeArgument))
        return false;
    if (!exchange(*mailFrom, StepMailFrom))
        return false;
    for (const std::string& address : recipients) {
        // No reset after a refusal: the caller ends the connection.
        if (!exchange(*proto::pathCommand("RCPT TO:", address), StepRcptTo))
            return false;
    }
    return true;
}

bool SmtpClient::sendText()
{
    m_conversation.setPacketSize(m_packetSize);
    return exchange(proto::smtpDataBlock(m_mailMessage->getSource()), StepText);
}

bool SmtpClient::quit()
{
    if (!command("QUIT", {}, StepQuit))
        return false;
    m_conversation.close();
    m_connected = false;
    return true;
}

void SmtpClient::abort()
{
    m_conversation.close();
    m_connected = false;
}

} // namespace vantor::mail::net
