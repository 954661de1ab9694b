#include "core/check/Pop3Mailbox.h"

#include "mail/net/SecurityMode.h"
#include "storage/IniError.h"
#include "storage/IniFile.h"
#include "storage/SettingKeys.h"

namespace vantor::core {

namespace {

// Commands in flight at once: enough to hide the round trip of a distant server, few enough that the
// replies of one window stay small (a TOP line is a few bytes, its header a few kilobytes).
constexpr std::size_t WindowCommands = 64;
// Whole messages fetched ahead wait in memory for their turn: a window of them stays within this size.
constexpr std::int64_t WindowMessageBytes = 4 * 1024 * 1024;

bool isHeaderCacheOn(const std::filesystem::path& homeDir)
{
    try {
        const storage::IniFile ini((homeDir / storage::SettingsFileName).string());
        return storage::readSetting(ini, storage::GeneralHeaderCache);
    } catch (const storage::IniError&) {
        return storage::GeneralHeaderCache.def;
    }
}

} // namespace

Pop3Mailbox::Pop3Mailbox(mail::net::SocketFactory factory)
    : m_client(std::move(factory))
{
    m_client.setMailMessage(&m_message);
}

void Pop3Mailbox::enableSpeedUps(std::filesystem::path homeDir)
{
    m_isSpeedUp = true;
    m_homeDir = std::move(homeDir);
    m_client.setAskExtensions(true);
}

void Pop3Mailbox::setLogin(const Pop3Login& login)
{
    m_client.setHost(login.host);
    m_client.setPort(login.port);
    m_port = login.port;
    m_client.setUserName(login.userName);
    m_client.setPassword(login.password);
    const std::optional<mail::net::SecurityMode> mode = mail::net::securityModeFromText(login.security);
    m_isSecurityKnown = mode.has_value();
    m_client.setSecurity(mode.value_or(mail::net::SecurityMode::None));
}

void Pop3Mailbox::forgetSession()
{
    m_ahead.clear();
    m_wholeAhead.clear();
    m_heldDeletions.clear();
    m_lastHeader.clear();
    m_lastHeaderNumber = 0;
    m_isCacheOn = false;
}

bool Pop3Mailbox::connect()
{
    forgetSession();
    m_refusal.clear();
    return !m_isShutDown && m_isSecurityKnown && m_client.connect();
}

mail::net::ConnectFailure Pop3Mailbox::connectFailure() const
{
    return m_isSecurityKnown ? m_client.connectFailure() : mail::net::ConnectFailure::Connection;
}

bool Pop3Mailbox::login()
{
    if (!m_client.login())
        return false;
    useCache();
    return true;
}

void Pop3Mailbox::useCache()
{
    const std::vector<std::string>& ids = m_client.uniqueIds();
    if (!m_isSpeedUp || m_homeDir.empty() || ids.empty() || !isHeaderCacheOn(m_homeDir))
        return;
    const std::string account = m_client.userName() + '@' + m_client.host() + ':' + std::to_string(m_port);
    m_cache.open(HeaderCache::filePath(m_homeDir, m_client.host(), m_port, m_client.userName()), account);
    // Whatever left the server since the last listing leaves the cache too: it stays as large as the
    // mailbox.
    m_cache.keepOnly(ids);
    m_isCacheOn = true;
}

int Pop3Mailbox::messageCount() const
{
    return std::max(m_client.messageCount(), 0);
}

std::int64_t Pop3Mailbox::messageSize(int messageNumber) const
{
    const auto& sizes = m_client.messageSizes();
    if (messageNumber < 0 || static_cast<std::size_t>(messageNumber) >= sizes.size())
        return 0;
    return sizes[static_cast<std::size_t>(messageNumber)];
}

std::string Pop3Mailbox::uniqueId(int messageNumber) const
{
    const auto& ids = m_client.uniqueIds();
    if (messageNumber < 0 || static_cast<std::size_t>(messageNumber) >= ids.size())
        return {};
    return ids[static_cast<std::size_t>(messageNumber)];
}

std::string Pop3Mailbox::failureText() const
{
    return m_refusal.empty() ? m_client.failureText() : m_refusal;
}

bool Pop3Mailbox::fetchHeader(int messageNumber)
{
    return retrieveHeader(messageNumber, m_message);
}

const std::string* Pop3Mailbox::knownHeader(int messageNumber) const
{
    if (!m_isSpeedUp)
        return nullptr;
    // The backup of a header asks again for the header just judged.
    if (messageNumber == m_lastHeaderNumber)
        return &m_lastHeader;
    if (!m_isCacheOn)
        return nullptr;
    const std::string id = uniqueId(messageNumber);
    return id.empty() ? nullptr : m_cache.find(id);
}

void Pop3Mailbox::keepHeader(int messageNumber, const std::string& header)
{
    m_lastHeaderNumber = messageNumber;
    m_lastHeader = header;
    if (m_isCacheOn)
        m_cache.add(uniqueId(messageNumber), header);
}

bool Pop3Mailbox::retrieveHeader(int messageNumber, mail::mime::MailMessage& message)
{
    m_refusal.clear();
    if (!isSessionOpen())
        return false;
    if (const std::string* known = knownHeader(messageNumber)) {
        message.loadRawHeader(*known);
        return true;
    }
    if (isPipelining()) {
        if (messageNumber < 1 || messageNumber > messageCount())
            return false;
        if (!m_ahead.contains(messageNumber) && !fetchAhead(messageNumber))
            return false;
        const auto found = m_ahead.find(messageNumber);
        const Fetched fetched = std::move(found->second);
        m_ahead.erase(found);
        if (!fetched.accepted) {
            m_refusal = fetched.text;
            return false;
        }
        message.loadRawHeader(fetched.text);
        keepHeader(messageNumber, fetched.text);
        return true;
    }
    m_client.setMailMessage(&message);
    const bool fetched = m_client.retrieveHeader(messageNumber, 0);
    m_client.setMailMessage(&m_message);
    if (fetched && m_isSpeedUp)
        keepHeader(messageNumber, m_client.lastMessage());
    return fetched;
}

bool Pop3Mailbox::fetchAhead(int messageNumber)
{
    Window window;
    std::vector<int> numbers;
    for (int number = messageNumber; number <= messageCount() && numbers.size() < WindowCommands; ++number) {
        if (number != messageNumber && (knownHeader(number) || m_ahead.contains(number)))
            continue;
        numbers.push_back(number);
        window.push_back(m_client.headerCommand(number, 0));
    }
    const std::size_t first = m_heldDeletions.size();
    if (!runWindow(window))
        return false;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        auto& command = window[first + i];
        m_ahead[numbers[i]] = {command.accepted, std::move(command.text)};
    }
    return !m_prediction || retrieveAhead(numbers);
}

bool Pop3Mailbox::retrieveAhead(const std::vector<int>& numbers)
{
    Window window;
    std::vector<int> wanted;
    std::int64_t bytes = 0;
    mail::mime::MailMessage header;
    for (const int number : numbers) {
        const auto found = m_ahead.find(number);
        if (found == m_ahead.end() || !found->second.accepted)
            continue;
        header.loadRawHeader(found->second.text);
        if (!m_prediction(number, header))
            continue;
        // The rest are fetched on their own when asked for.
        if (!wanted.empty() && bytes + messageSize(number) > WindowMessageBytes)
            break;
        bytes += messageSize(number);
        wanted.push_back(number);
        window.push_back(m_client.retrieveCommand(number));
    }
    if (window.empty())
        return true;
    const std::size_t first = m_heldDeletions.size();
    if (!runWindow(window))
        return false;
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        auto& command = window[first + i];
        m_wholeAhead[wanted[i]] = {command.accepted, std::move(command.text)};
    }
    return true;
}

bool Pop3Mailbox::runWindow(Window& window)
{
    Window deletions;
    for (const int number : m_heldDeletions)
        deletions.push_back(m_client.deleteCommand(number));
    const std::size_t held = deletions.size();
    window.insert(window.begin(), std::make_move_iterator(deletions.begin()),
                  std::make_move_iterator(deletions.end()));
    m_heldDeletions.clear();
    if (window.empty())
        return true;
    if (!m_client.pipeline(window)) {
        forgetSession();
        return false;
    }
    for (std::size_t i = 0; i < held; ++i) {
        if (window[i].accepted)
            continue;
        // A message the check holds for deleted would stay on the server while the rest of the session's
        // deletions go ahead: the whole session is given up instead, and the server keeps everything.
        m_refusal = "refused DELE: " + window[i].text;
        m_client.abort();
        forgetSession();
        return false;
    }
    return true;
}

bool Pop3Mailbox::flushDeletions()
{
    Window none;
    return runWindow(none);
}

bool Pop3Mailbox::deleteMessage(int messageNumber)
{
    m_refusal.clear();
    if (!isPipelining())
        return m_client.deleteMessage(messageNumber);
    if (!isSessionOpen() || messageNumber < 1 || messageNumber > messageCount())
        return false;
    // Held until the next exchange; whatever happens to it then decides the whole session.
    m_heldDeletions.push_back(messageNumber);
    if (m_heldDeletions.size() >= WindowCommands)
        return flushDeletions();
    return true;
}

bool Pop3Mailbox::quit()
{
    if (!flushDeletions())
        return false;
    const bool quitted = m_client.quit();
    if (quitted)
        forgetSession();
    // The headers are the server's whatever became of the session.
    m_cache.save();
    return quitted;
}

void Pop3Mailbox::abort()
{
    m_client.abort();
    forgetSession();
    m_cache.save();
}

void Pop3Mailbox::shutDown()
{
    m_isShutDown = true;
    m_client.abort();
    forgetSession();
}

bool Pop3Mailbox::retrieveMessage(int messageNumber, mail::mime::MailMessage& message)
{
    m_refusal.clear();
    if (const auto found = m_wholeAhead.find(messageNumber); found != m_wholeAhead.end()) {
        const Fetched fetched = std::move(found->second);
        m_wholeAhead.erase(found);
        if (!fetched.accepted) {
            m_refusal = fetched.text;
            return false;
        }
        message.reset();
        message.fill(fetched.text, true);
        return true;
    }
    if (isPipelining() && !m_heldDeletions.empty()) {
        // The held DELEs travel with the RETR, in one round trip.
        if (messageNumber < 1 || messageNumber > messageCount())
            return false;
        Window window{m_client.retrieveCommand(messageNumber)};
        if (!runWindow(window))
            return false;
        const auto& retrieved = window.back();
        if (!retrieved.accepted) {
            m_refusal = retrieved.text;
            return false;
        }
        message.reset();
        message.fill(retrieved.text, true);
        return true;
    }
    m_client.setMailMessage(&message);
    const bool fetched = m_client.retrieveMessage(messageNumber);
    m_client.setMailMessage(&m_message);
    return fetched;
}

std::string Pop3Mailbox::host() const
{
    return m_client.host();
}

} // namespace vantor::core
