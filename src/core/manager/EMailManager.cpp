#include "core/manager/EMailManager.h"

#include "base/ErrorCodes.h"
#include "core/check/Mailbox.h"
#include "core/program/DisplayText.h"
#include "core/program/FormatText.h"
#include "core/program/UserPrompts.h"
#include "mail/codec/MailDate.h"
#include "platform/ConnectionDetector.h"
#include "storage/ErrorLog.h"
#include "storage/TextTable.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>

namespace vantor::core {

namespace {

bool isText(const std::string& contentType)
{
    return contentType.empty() || contentType == "text" || contentType.starts_with("text/");
}

// The first count characters (code points) of UTF-8 text.
std::string firstCharacters(std::string text, std::size_t count)
{
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && characters++ == count) {
            text.resize(i);
            break;
        }
    }
    return text;
}

// Marks the manager busy for as long as it lives, with the hourglass on the page.
class WorkingScope
{
public:
    WorkingScope(bool& flag, ManagerView& view)
        : m_flag(flag)
        , m_view(view)
    {
        m_flag = true;
        m_view.setBusy(true);
    }
    ~WorkingScope()
    {
        m_flag = false;
        m_view.setBusy(false);
    }
    WorkingScope(const WorkingScope&) = delete;
    WorkingScope& operator=(const WorkingScope&) = delete;

private:
    bool& m_flag;
    ManagerView& m_view;
};

} // namespace

EMailManager::EMailManager(const Services& services, Mailbox& mailbox, ManagerView& view)
    : m_services(services)
    , m_mailbox(mailbox)
    , m_view(view)
{
    m_message.setName("MailMessageAccount");
}

bool EMailManager::isConnected() const
{
    return m_lock.has_value() && m_mailbox.isSessionOpen();
}

std::string EMailManager::priorityWord(const storage::TextTable& texts, int priority)
{
    static constexpr const char* Keys[] = {"053", "054", "055", "056", "057"};
    return texts.text("Extra", Keys[std::clamp(priority, 0, 4)]);
}

QString EMailManager::text(std::string_view section, std::string_view key) const
{
    return uiText(m_services.texts, section, key);
}

void EMailManager::showStatus(std::string_view messageKey, const std::string& host) const
{
    m_view.setStatus(text("Message", messageKey) + QLatin1Char(' ') + displayText(host));
}

void EMailManager::logFailure(std::string_view code, std::string_view what) const
{
    m_services.errorLog.write(base::errorEntry(code, what) + m_host);
}

std::optional<Pop3Login> EMailManager::readAccount(const std::string& description) const
{
    if (m_services.accounts.total() == 0)
        return std::nullopt;
    const std::optional<AccountEntry> entry =
        m_services.accounts.findByDescription(description, AccountStore::Match::Last);
    if (!entry || entry->popServer == AccountStore::Missing || entry->username == AccountStore::Missing ||
        entry->isPasswordMissing) {
        m_services.prompts.showError(text("Message", "012"));
        return std::nullopt;
    }
    const AccountLoader loader(m_services.accounts, m_services.texts, m_services.prompts);
    return Pop3Login{entry->popServer, entry->popPort, entry->username,
                     loader.password(*entry, AccountLoader::PasswordPrompt::Ask), entry->popSecurity};
}

void EMailManager::connectAndList(const std::string& description)
{
    if (m_isWorking || m_isShutDown || isConnected())
        return;
    if (description.empty() || description == AccountStore::Missing) {
        m_services.prompts.showError(text("Message", "010"));
        return;
    }
    if (!m_services.detector.isOnline()) {
        m_services.prompts.showError(text("Message", "011"));
        return;
    }
    m_view.clearView();
    const std::optional<Pop3Login> login = readAccount(description);
    if (!login)
        return;
    // The mailbox is the checks' as much as ours: while a check has it, we stay off.
    m_lock.emplace(m_services.home);
    if (!m_lock->acquire(std::chrono::milliseconds(0), m_mailbox)) {
        m_lock.reset();
        m_services.prompts.showError(text("Extra", "076"));
        return;
    }
    const unsigned generation = ++m_generation;
    {
        WorkingScope working(m_isWorking, m_view);
        if (!open(*login))
            return;
    }
    list(generation);
}

bool EMailManager::open(const Pop3Login& login)
{
    m_host = login.host;
    m_mailbox.setLogin(login);
    showStatus("029", m_host);
    if (!m_mailbox.connect()) {
        logFailure(base::errorcode::EMailManagerListing, "failed on login to ");
        closeSession();
        m_view.setStatus(text("Message", "017"));
        m_view.setConnected(false);
        m_services.prompts.showError(text("Message", "014"));
        return false;
    }
    showStatus("028", m_host);
    if (!m_mailbox.login()) {
        logFailure(base::errorcode::EMailManagerListing, "failed on login to ");
        closeSession();
        m_view.setStatus(text("Message", "018"));
        m_view.setConnected(false);
        m_services.prompts.showError(text("Message", "013"));
        return false;
    }
    showStatus("027", m_host);
    m_view.setConnected(true);
    m_view.clearView();
    return true;
}

void EMailManager::list(unsigned generation)
{
    WorkingScope working(m_isWorking, m_view);
    const int count = m_mailbox.messageCount();
    for (int n = 1; n <= count; ++n) {
        // The waits for the replies turn the event loop as well; this turn also serves a mailbox whose
        // replies are all there at once, so Disconnect and the window's timers never wait for the listing.
        QCoreApplication::processEvents();
        if (generation != m_generation)
            return;
        if (!m_mailbox.isSessionOpen()) {
            sessionLost();
            return;
        }
        if (m_mailbox.fetchHeader(n)) {
            const mail::mime::MailMessage& header = m_mailbox.message();
            m_view.addRow({n, header.subject(), header.fromAddress(),
                           mail::codec::formatListDateTime(header.messageDate()), m_mailbox.messageSize(n)});
        } else if (generation == m_generation) {
            logFailure(base::errorcode::EMailManagerListing, "failed on retrive message from ");
        }
        m_view.setProgress(n, count);
    }
    if (generation != m_generation)
        return;
    if (!m_mailbox.isSessionOpen()) {
        sessionLost();
        return;
    }
    m_view.setProgress(0, 0);
    m_view.setStatus(text("Message", "016"));
}

void EMailManager::closeSession()
{
    m_mailbox.abort();
    m_lock.reset();
}

void EMailManager::sessionLost()
{
    closeSession();
    ++m_generation;
    m_view.setProgress(0, 0);
    m_view.setConnected(false);
    m_view.setStatus(fillPlaceholders(text("Extra", "077"), {displayText(m_host)}));
}

void EMailManager::disconnect()
{
    closeSession();
    ++m_generation;
    m_view.setProgress(0, 0);
    m_view.setConnected(false);
    m_view.setStatus(text("Message", "016"));
    m_view.clearView();
}

void EMailManager::shutDown()
{
    m_isShutDown = true;
    ++m_generation;
    m_mailbox.shutDown();
    m_lock.reset();
}

ManagerMessage EMailManager::loadedMessage()
{
    ManagerMessage loaded;
    loaded.from = m_message.fromAddress();
    loaded.recipients = m_message.toList().allAddresses();
    loaded.subject = m_message.subject();
    loaded.priority = m_message.priority();
    // One text reads in its own charset; anything else shows as it would be sent again, with its
    // delimiters and part headers.
    std::string body;
    if (m_message.subParts().empty() && isText(m_message.contentType())) {
        body = m_message.decodedText();
    } else {
        m_message.rebuildReceived();
        body = storedText(displayText(m_message.encodedBody()));
    }
    loaded.body = firstCharacters(std::move(body), MemoCharacters);
    return loaded;
}

std::optional<ManagerMessage> EMailManager::retrieve(int messageNumber)
{
    if (m_isWorking || !isConnected())
        return std::nullopt;
    const unsigned generation = m_generation;
    WorkingScope working(m_isWorking, m_view);
    if (m_mailbox.retrieveMessage(messageNumber, m_message)) {
        m_view.setStatus(text("Message", "016"));
        return loadedMessage();
    }
    if (generation != m_generation)
        return std::nullopt;
    logFailure(base::errorcode::EMailManagerMessage, "failed on retrive message from ");
    if (!m_mailbox.isSessionOpen()) {
        sessionLost();
        return std::nullopt;
    }
    m_view.setStatus(text("Message", "022"));
    return std::nullopt;
}

void EMailManager::deleteMessages(const std::vector<int>& messageNumbers, const std::string& description)
{
    if (m_isWorking || !isConnected())
        return;
    if (!m_services.prompts.askYesNo(text("Message", "040")))
        return;
    const unsigned generation = m_generation;
    bool isDone = true;
    {
        WorkingScope working(m_isWorking, m_view);
        for (const int number : messageNumbers) {
            if (!m_mailbox.isSessionOpen())
                break;
            isDone = m_mailbox.deleteMessage(number) && isDone;
        }
        if (generation != m_generation)
            return;
        // Only a session whose every exchange went right is ended with QUIT; a broken one was closed
        // without it already, and the server forgets its marks.
        if (!m_mailbox.isSessionOpen() || !m_mailbox.quit()) {
            isDone = false;
            m_mailbox.abort();
        }
        closeSession();
        ++m_generation;
        m_view.setConnected(false);
    }
    if (!isDone)
        m_services.prompts.showError(fillPlaceholders(text("Extra", "078"), {displayText(m_host)}));
    connectAndList(description);
}

} // namespace vantor::core
