#include "support/FakeMailbox.h"

#include "base/TextLines.h"

namespace vantor::test {

namespace {

// What TOP n 0 gives: the header lines and the empty line after them.
std::string headerOf(const std::string& message)
{
    const std::string text = base::normaliseLineBreaks(message);
    const std::size_t end = text.find("\r\n\r\n");
    return end == std::string::npos ? text + "\r\n" : text.substr(0, end + 4);
}

} // namespace

bool FakeMailbox::connect()
{
    m_commands.push_back("CONNECT " + m_login.host);
    if (m_isShutDown || drop(m_login.host).refuseConnect)
        return fail("connection refused", true);
    m_isOpen = true;
    m_isLoggedIn = false;
    m_marked.clear();
    m_failure.clear();
    return true;
}

bool FakeMailbox::login()
{
    m_commands.push_back("LOGIN " + m_login.userName);
    if (!m_isOpen)
        return false;
    if (drop(m_login.host).refuseLogin)
        return fail("-ERR authentication failed", false);
    m_isLoggedIn = true;
    return true;
}

int FakeMailbox::messageCount() const
{
    const auto found = m_drops.find(m_login.host);
    return m_isLoggedIn && found != m_drops.end() ? static_cast<int>(found->second.messages.size()) : 0;
}

std::int64_t FakeMailbox::messageSize(int messageNumber) const
{
    if (!m_isLoggedIn || messageNumber < 1 || messageNumber > messageCount())
        return 0;
    return static_cast<std::int64_t>(
        base::normaliseLineBreaks(
            m_drops.at(m_login.host).messages[static_cast<std::size_t>(messageNumber - 1)])
            .size());
}

const std::string* FakeMailbox::sessionMessage(int messageNumber, const char* command)
{
    m_commands.push_back(std::string(command) + " " + std::to_string(messageNumber));
    const Drop& box = drop(m_login.host);
    if (!m_isLoggedIn || m_isShutDown) {
        fail("not in a session", false);
        return nullptr;
    }
    if (box.brokenFetches.contains(messageNumber)) {
        fail("time-out", true);
        return nullptr;
    }
    if (messageNumber < 1 || messageNumber > messageCount() || m_marked.contains(messageNumber)) {
        fail("-ERR no such message", false);
        return nullptr;
    }
    return &box.messages[static_cast<std::size_t>(messageNumber - 1)];
}

bool FakeMailbox::fetchHeader(int messageNumber)
{
    return retrieveHeader(messageNumber, m_message);
}

bool FakeMailbox::retrieveHeader(int messageNumber, mail::mime::MailMessage& message)
{
    const std::string* text = sessionMessage(messageNumber, "TOP");
    if (!text)
        return false;
    if (drop(m_login.host).refusedHeaders.contains(messageNumber))
        return fail("-ERR cannot read message", false);
    message.loadRawHeader(headerOf(*text));
    return true;
}

bool FakeMailbox::retrieveMessage(int messageNumber, mail::mime::MailMessage& message)
{
    const std::string* text = sessionMessage(messageNumber, "RETR");
    if (!text)
        return false;
    message.reset();
    message.fill(base::normaliseLineBreaks(*text), true);
    return true;
}

bool FakeMailbox::deleteMessage(int messageNumber)
{
    m_commands.push_back("DELE " + std::to_string(messageNumber));
    if (!m_isLoggedIn || messageNumber < 1 || messageNumber > messageCount() ||
        m_marked.contains(messageNumber))
        return fail("-ERR no such message", false);
    if (drop(m_login.host).refusedDeletes.contains(messageNumber))
        return fail("-ERR cannot delete", false);
    m_marked.insert(messageNumber);
    return true;
}

bool FakeMailbox::quit()
{
    m_commands.push_back("QUIT");
    if (!m_isOpen)
        return false;
    if (drop(m_login.host).refuseQuit)
        return fail("-ERR cannot update the maildrop", true);
    // The server removes the marked messages only now, highest number first so the others keep theirs.
    std::vector<std::string>& messages = drop(m_login.host).messages;
    for (auto marked = m_marked.rbegin(); marked != m_marked.rend(); ++marked)
        messages.erase(messages.begin() + (*marked - 1));
    m_marked.clear();
    m_isOpen = m_isLoggedIn = false;
    return true;
}

void FakeMailbox::abort()
{
    m_commands.push_back("ABORT");
    m_marked.clear();
    m_isOpen = m_isLoggedIn = false;
}

void FakeMailbox::shutDown()
{
    m_isShutDown = true;
    abort();
}

bool FakeMailbox::fail(std::string text, bool endsSession)
{
    m_failure = std::move(text);
    if (endsSession) {
        m_marked.clear();
        m_isOpen = m_isLoggedIn = false;
    }
    return false;
}

} // namespace vantor::test
