#include "mail/net/Pop3Client.h"

#include "mail/mime/MailMessage.h"
#include "mail/proto/Commands.h"
#include "mail/proto/Pop3Extensions.h"
#include "mail/proto/Pop3Replies.h"

#include <algorithm>
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
    StepCapa = 9,
    StepUidl = 10,
    StepPipeline = 11,
    StepQuit = 19
};

bool isJudgedStep(int step)
{
    return (step >= StepGreeting && step <= StepUidl) || step == StepQuit;
}

constexpr std::size_t MiB = 1024 * 1024;
// A header is a few kilobytes; a megabyte is already far beyond any real one.
constexpr std::size_t MaxHeaderBytes = MiB;
// Room for about a million listing lines.
constexpr std::size_t MaxListingBytes = 32 * MiB;
// A capability list is a handful of short lines.
constexpr std::size_t MaxCapabilityBytes = 64 * 1024;
// "-ERR" and a sentence, or "+OK" and a sentence.
constexpr std::size_t MaxStatusBytes = 4096;

// The whole reply must arrive within one inactivity limit per started megabyte, plus one.
ReplyLimit limitFor(std::size_t maxBytes, int timeOut)
{
    const auto megabytes = static_cast<int>((maxBytes + MiB - 1) / MiB);
    return {maxBytes, timeOut * (1 + megabytes)};
}

// Exactly one line: anything after it would be taken as the reply to the next command.
bool isSingleLine(std::string_view reply)
{
    return reply.find("\r\n") == reply.size() - 2;
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
    if (step == StepPipeline) {
        success = m_pipelined.isComplete();
        return;
    }
    success = isJudgedStep(step) && proto::isPop3Positive(reply);
}

void Pop3Client::dataReceived(int step, bool& success, std::string_view, bool)
{
    if (step == StepPipeline) {
        // A "-ERR" here answers one command of the window; only bytes that fit no reply break it.
        m_pipelined.scan(m_conversation.replyBuffer());
        if (m_pipelined.isBroken())
            m_conversation.cancelWait();
        else if (m_pipelined.isComplete())
            m_conversation.markReplyComplete();
        return;
    }
    // An error answer has one line, even to LIST, RETR or TOP: waiting for a "." line would run into the
    // time-out. Only the reply's own first line counts, so "-ERR" inside a message is just text.
    if (m_conversation.isWaiting() && proto::isPop3Refusal(m_conversation.statusLine())) {
        success = false;
        // Only a refusal that is the whole reply leaves the lockstep intact.
        m_isCleanRefusal = m_conversation.statusLine().size() == m_conversation.replyBuffer().size();
        m_conversation.cancelWait();
    }
}

void Pop3Client::talkError(int, TalkError)
{
    m_conversation.cancelWait();
}

std::string Pop3Client::failureText() const
{
    return m_refusal.empty() ? m_conversation.lastErrorText().toStdString() : m_refusal;
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
    m_canPipeline = false;
    m_uniqueIds.clear();
}

bool Pop3Client::command(const std::string& verb, const std::string& argument, const ReplyEnd& end, int step,
                         const ReplyLimit& limit)
{
    const auto line = proto::commandLine(verb, argument);
    if (!line)
        return false;
    m_isCleanRefusal = false;
    m_refusal.clear();
    m_conversation.talk(*line, end, step, limit);
    m_conversation.waitReply();
    return judged(end);
}

bool Pop3Client::judged(const ReplyEnd& end)
{
    if (m_isCleanRefusal) {
        m_refusal = m_conversation.statusLine();
        m_refusal.erase(m_refusal.size() - 2);
        return false;
    }
    const bool isWhole = end.suffix != "\r\n" || isSingleLine(m_conversation.replyBuffer());
    if (m_conversation.success() && isWhole)
        return true;
    breakSession(faultText());
    return false;
}

std::string Pop3Client::faultText() const
{
    if (m_conversation.success())
        return "reply of more than one line";
    if (m_conversation.lastError() != TalkError::None)
        return m_conversation.lastErrorText().toStdString();
    if (!m_conversation.isActive())
        return "connection closed by the server";
    return "refusal followed by more data";
}

void Pop3Client::breakSession(std::string reason)
{
    // After a time-out, a cut or a reply that cannot be read, no later reply can be matched to its command
    // any more: closing without QUIT makes the server forget this session's deletions.
    m_refusal = std::move(reason);
    abort();
}

bool Pop3Client::connect()
{
    if (m_connected || m_conversation.isActive() || m_host.empty() || !proto::isSafeArgument(m_host))
        return false;
    // The greeting is one line; judging its first piece alone would refuse a greeting split in two.
    m_isCleanRefusal = false;
    m_refusal.clear();
    m_connectFailure = ConnectFailure::None;
    m_conversation.prepareWait(StepGreeting, ReplyEnd::oneLine());
    m_conversation.open(m_host, m_port, m_security == SecurityMode::SSL);
    m_conversation.waitReply();
    m_connected = judged(ReplyEnd::oneLine());
    if (m_connected && m_security == SecurityMode::STARTTLS)
        m_connected = startTls();
    // Capabilities may change with TLS (RFC 2595), so they are asked for only now.
    if (m_connected && m_askExtensions)
        askCapabilities();
    if (m_connected)
        m_connectFailure = ConnectFailure::None;
    else if (m_connectFailure == ConnectFailure::None)
        m_connectFailure =
            m_conversation.isCertificateRefused() ? ConnectFailure::Certificate : ConnectFailure::Connection;
    return m_connected;
}

void Pop3Client::askCapabilities()
{
    m_canPipeline = false;
    if (command("CAPA", {}, ReplyEnd::multiLine(), StepCapa, limitFor(MaxCapabilityBytes, timeOut())))
        m_canPipeline = proto::hasCapability(m_conversation.replyBuffer(), "PIPELINING");
    // A refused CAPA leaves the session in lockstep; a broken one has already aborted it.
    m_connected = isReady();
}

bool Pop3Client::startTls()
{
    if (!command("STLS", {}, ReplyEnd::oneLine(), StepStls)) {
        // Refused: the caller ends the connection; the login never goes out in clear.
        if (m_isCleanRefusal)
            m_connectFailure = ConnectFailure::NoTls;
        return false;
    }
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
    if (!command("LIST", {}, ReplyEnd::multiLine(), StepList, limitFor(MaxListingBytes, timeOut())))
        return false;
    auto listing = proto::parseListing(m_conversation.replyBuffer());
    if (!listing) {
        breakSession("listing that cannot be read");
        return false;
    }
    m_messageCount = listing->messageCount;
    m_messageSizes = std::move(listing->sizes);
    return !m_askExtensions || askUniqueIds();
}

bool Pop3Client::askUniqueIds()
{
    m_uniqueIds.clear();
    if (!command("UIDL", {}, ReplyEnd::multiLine(), StepUidl, limitFor(MaxListingBytes, timeOut())))
        return isReady();
    // Ids that cannot be read or are not unique only cost the speed they would have bought.
    m_uniqueIds = proto::parseUniqueIds(m_conversation.replyBuffer(), m_messageCount)
                      .value_or(std::vector<std::string>{});
    return true;
}

bool Pop3Client::fetch(const std::string& verb, const std::string& argument, int number, std::size_t maxBytes)
{
    m_lastMessage.clear();
    if (!isReady() || !m_loggedIn)
        return false;
    if (number < 0 || static_cast<std::size_t>(number) >= m_messageSizes.size())
        return false;
    m_conversation.setExpectedSize(m_messageSizes[static_cast<std::size_t>(number)]);
    if (!command(verb, argument, ReplyEnd::multiLine(), StepRetrieve, limitFor(maxBytes, timeOut())))
        return false;
    m_lastMessage = proto::multiLineText(m_conversation.replyBuffer());
    return true;
}

bool Pop3Client::retrieveMessage(int number)
{
    // Dot-stuffing and line ends may grow a message on the wire; twice its listed size and a megabyte is
    // more than any honest server sends.
    const std::size_t listed =
        number >= 0 && static_cast<std::size_t>(number) < m_messageSizes.size()
            ? static_cast<std::size_t>(std::max(m_messageSizes[static_cast<std::size_t>(number)], 0))
            : 0;
    if (!fetch("RETR", std::to_string(number), number, listed * 2 + MiB))
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
    if (!fetch("TOP", std::to_string(number) + ' ' + std::to_string(lines), number, MaxHeaderBytes))
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

Pop3Client::PipelinedCommand Pop3Client::headerCommand(int number, int lines) const
{
    return {"TOP " + std::to_string(number) + ' ' + std::to_string(lines) + "\r\n",
            true,
            MaxHeaderBytes,
            false,
            {}};
}

Pop3Client::PipelinedCommand Pop3Client::retrieveCommand(int number) const
{
    const std::size_t listed =
        number >= 0 && static_cast<std::size_t>(number) < m_messageSizes.size()
            ? static_cast<std::size_t>(std::max(m_messageSizes[static_cast<std::size_t>(number)], 0))
            : 0;
    return {"RETR " + std::to_string(number) + "\r\n", true, listed * 2 + MiB, false, {}};
}

Pop3Client::PipelinedCommand Pop3Client::deleteCommand(int number) const
{
    return {"DELE " + std::to_string(number) + "\r\n", false, MaxStatusBytes, false, {}};
}

bool Pop3Client::pipeline(std::vector<PipelinedCommand>& window)
{
    if (!isReady() || !m_loggedIn || !m_canPipeline || window.empty())
        return false;
    std::string lines;
    std::size_t maxBytes = 0;
    m_pipelined.clear();
    for (const PipelinedCommand& command : window) {
        lines += command.line;
        maxBytes += command.maxBytes;
        m_pipelined.expect(command.multiLine);
    }
    m_isCleanRefusal = false;
    m_refusal.clear();
    m_conversation.talk(lines, ReplyEnd::byListener(), StepPipeline, limitFor(maxBytes, timeOut()));
    m_conversation.waitReply();
    if (!m_conversation.success() || !m_pipelined.isComplete()) {
        breakSession(m_pipelined.isBroken() ? "replies that match no command" : faultText());
        return false;
    }
    const std::string& buffer = m_conversation.replyBuffer();
    for (std::size_t i = 0; i < window.size(); ++i) {
        PipelinedCommand& command = window[i];
        const std::string_view reply = m_pipelined.reply(buffer, i);
        command.accepted = proto::isPop3Positive(reply);
        if (command.accepted && command.multiLine)
            command.text = proto::multiLineText(reply);
        else
            command.text = reply.substr(0, reply.size() - 2);
    }
    m_pipelined.clear();
    return true;
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
