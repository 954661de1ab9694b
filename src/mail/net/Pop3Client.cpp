#include "mail/net/Pop3Client.h"

#include "mail/mime/MailMessage.h"
#include "mail/proto/Commands.h"
#include "mail/proto/Pop3Replies.h"

#include <string>

namespace vantor::mail::net {

namespace {

// Protocol steps, as the conversation carries them to the reply judgement.
enum Step
{
    StepGreeting = 1,
    StepUser = 2,
    StepPass = 3,
    StepList = 5,
    StepRetrieve = 6,
    StepDelete = 7,
    StepStls = 8,
    StepQuit = 19
};

bool isJudgedStep(int step)
{
    return (step >= StepGreeting && step <= StepStls) || step == StepQuit;
}

} // namespace

Pop3Client::Pop3Client(SocketFactory factory)
    : m_conversation(*this, std::move(factory))
{}

Pop3Client::~Pop3Client() = default;

bool Pop3Client::isReady() const
{
    return m_connected && m_conversation.isActive();
}

void Pop3Client::replyComplete(int step, bool& success, std::string_view reply)
{
    success = isJudgedStep(step) && proto::isPop3Positive(reply);
}

void Pop3Client::dataReceived(int, bool& success, std::string_view, bool)
{
    // An error answer has one line, even to LIST, RETR or TOP: waiting for a "." line would run into the
    // time-out. Only the reply's own first line counts, so "-ERR" inside a message is just text.
    if (m_conversation.isWaiting() && proto::isPop3Refusal(m_conversation.statusLine())) {
        success = false;
        m_conversation.cancelWait();
    }
}

void Pop3Client::talkError(int, TalkError)
{
    m_conversation.cancelWait();
}

void Pop3Client::talkDisconnected()
{
    forgetMailbox();
}

void Pop3Client::forgetMailbox()
{
    m_messageCount = -1;
    m_messageSizes.clear();
    m_connected = false;
    m_loggedIn = false;
}

bool Pop3Client::command(const std::string& verb, const std::string& argument, const ReplyEnd& end, int step)
{
    const auto line = proto::commandLine(verb, argument);
    if (!line)
        return false;
    m_conversation.talk(*line, end, step);
    m_conversation.waitReply();
    return m_conversation.success();
}

bool Pop3Client::connect()
{
    if (m_connected || m_conversation.isActive() || m_host.empty() || !proto::isSafeArgument(m_host))
        return false;
    // The greeting is one line; judging its first piece alone would refuse a greeting split in two.
    m_conversation.prepareWait(StepGreeting, ReplyEnd::oneLine());
    m_conversation.open(m_host, m_port, m_security == SecurityMode::SSL);
    m_conversation.waitReply();
    m_connected = m_conversation.success();
    if (m_connected && m_security == SecurityMode::STARTTLS)
        m_connected = startTls();
    return m_connected;
}

bool Pop3Client::startTls()
{
    if (!command("STLS", {}, ReplyEnd::oneLine(), StepStls))
        return false;
    m_conversation.startEncryption(StepStls);
    m_conversation.waitReply();
    return m_conversation.success();
}

bool Pop3Client::login()
{
    if (!isReady() || !proto::isSafeArgument(m_userName) || !proto::isSafeArgument(m_password))
        return false;
    if (!command("USER", m_userName, ReplyEnd::oneLine(), StepUser))
        return false;
    if (!command("PASS", m_password, ReplyEnd::oneLine(), StepPass))
        return false;
    m_loggedIn = true;
    // Without a listing the mailbox cannot be walked; that is no successful login for the caller.
    return list();
}

bool Pop3Client::list()
{
    if (!command("LIST", {}, ReplyEnd::multiLine(), StepList))
        return false;
    auto listing = proto::parseListing(m_conversation.replyBuffer());
    if (!listing)
        return false;
    m_messageCount = listing->messageCount;
    m_messageSizes = std::move(listing->sizes);
    return true;
}

bool Pop3Client::fetch(const std::string& verb, const std::string& argument, int number)
{
    m_lastMessage.clear();
    if (!isReady() || !m_loggedIn)
        return false;
    if (number < 0 || static_cast<std::size_t>(number) >= m_messageSizes.size())
        return false;
    m_conversation.setExpectedSize(m_messageSizes[static_cast<std::size_t>(number)]);
    if (!command(verb, argument, ReplyEnd::multiLine(), StepRetrieve))
        return false;
    m_lastMessage = proto::multiLineText(m_conversation.replyBuffer());
    return true;
}

bool Pop3Client::retrieveMessage(int number)
{
    if (!fetch("RETR", std::to_string(number), number))
        return false;
    if (m_mailMessage) {
        m_mailMessage->reset();
        m_mailMessage->fill(m_lastMessage, true);
    }
    if (m_deleteOnRetrieve)
        deleteMessage(number);
    return true;
}

bool Pop3Client::retrieveHeader(int number, int lines)
{
    if (!fetch("TOP", std::to_string(number) + ' ' + std::to_string(lines), number))
        return false;
    if (m_mailMessage)
        m_mailMessage->loadRawHeader(m_lastMessage);
    return true;
}

bool Pop3Client::deleteMessage(int number)
{
    if (!isReady() || !m_loggedIn)
        return false;
    return command("DELE", std::to_string(number), ReplyEnd::oneLine(), StepDelete);
}

bool Pop3Client::quit()
{
    if (!isReady())
        return false;
    if (!command("QUIT", {}, ReplyEnd::oneLine(), StepQuit))
        return false;
    m_conversation.close();
    forgetMailbox();
    return true;
}

void Pop3Client::abort()
{
    m_conversation.close();
    forgetMailbox();
}

} // namespace vantor::mail::net
