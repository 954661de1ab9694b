#include "core/messager/Messager.h"

#include "core/program/DisplayText.h"
#include "core/program/FormatText.h"
#include "core/program/SettingsFile.h"
#include "storage/SettingKeys.h"

#include <algorithm>
#include <array>
#include <exception>
#include <utility>

namespace vantor::core {

namespace {

// Restores the busy flag however a send ends, also when building the message throws.
class SendingGuard
{
public:
    explicit SendingGuard(bool& flag)
        : m_flag(flag)
    {
        m_flag = true;
    }
    ~SendingGuard() { m_flag = false; }
    SendingGuard(const SendingGuard&) = delete;
    SendingGuard& operator=(const SendingGuard&) = delete;

private:
    bool& m_flag;
};

bool endsWith(std::string_view text, std::string_view ending)
{
    return text.size() >= ending.size() && text.substr(text.size() - ending.size()) == ending;
}

} // namespace

Messager::Messager(const Services& services)
    : m_home(services.home)
    , m_accounts(services.accounts)
    , m_texts(services.texts)
    , m_prompts(services.prompts)
    , m_detector(services.detector)
    , m_clock(services.clock)
    , m_smtp(services.socketFactory, services.clock)
{
    m_mailSend.setName("MailSend");
    m_mailSend.setVersionText(services.versionText);
    m_smtp.setMailMessage(&m_mailSend);
}

int Messager::priorityForPosition(int position)
{
    return 4 - std::clamp(position, 0, 4);
}

int Messager::attachmentIcon(std::string_view fileName)
{
    struct Kind
    {
        std::array<std::string_view, 4> endings;
        int icon;
    };
    // Checked in this order; the endings are compared as they stand, so upper-case names fall through.
    static constexpr std::array<Kind, 6> Kinds{{
        {{".exe", ".com", ".bat", ""}, 4},
        {{".jpg", ".bmp", ".gif", "jpeg"}, 0},
        {{"html", ".htm", "", ""}, 2},
        {{".doc", ".txt", ".rtf", ""}, 1},
        {{".wav", ".mp3", ".mid", ""}, 3},
        {{".zip", ".rar", ".ace", ""}, 5},
    }};
    for (const Kind& kind : Kinds) {
        for (std::string_view ending : kind.endings) {
            // Only the last three characters count (four for html and jpeg); the dot is not looked at.
            const std::string_view compared = ending.starts_with('.') ? ending.substr(1) : ending;
            if (!compared.empty() && endsWith(fileName, compared))
                return kind.icon;
        }
    }
    return 6;
}

bool Messager::attachFile(const std::filesystem::path& path)
{
    if (m_isSending)
        return false;
    m_mailSend.attachFile(path);
    m_files.push_back(path);
    return true;
}

bool Messager::detachFile(int index)
{
    if (m_isSending || index < 0 || static_cast<std::size_t>(index) >= m_files.size())
        return false;
    m_mailSend.detachFile(index);
    m_files.erase(m_files.begin() + index);
    return true;
}

bool Messager::clear()
{
    if (m_isSending)
        return false;
    m_mailSend.reset();
    m_files.clear();
    return true;
}

void Messager::compose(const MessageDraft& draft)
{
    const bool useEMail = SettingsFile(m_home).read(storage::MessagerUseEMail);
    const std::string& fromName = draft.fromName.empty() && useEMail ? draft.fromAddress : draft.fromName;
    m_mailSend.setFrom(fromName, draft.fromAddress);
    // Whatever the message went to last time, this one has exactly the recipient of the form.
    m_mailSend.toList().clear();
    const std::string& toName = draft.toName.empty() && useEMail ? draft.toAddress : draft.toName;
    m_mailSend.toList().addRecipient(toName, draft.toAddress);
    m_mailSend.setSubject(draft.subject);
    m_mailSend.setMessageDate(m_clock.localNow());
    m_mailSend.setPriority(priorityForPosition(draft.priorityPosition));
    m_mailSend.setTextPlain(draft.text);
    m_mailSend.assembleBody();
}

Messager::Outcome Messager::send(const std::string& accountDescription, const MessageDraft& draft)
{
    if (m_isSending)
        return Outcome::Busy;
    SendingGuard guard(m_isSending);
    m_isAborted = false;
    try {
        return sendComposed(accountDescription, draft);
    } catch (const std::exception&) {
        // A message that cannot be built ends the send without a word; the connection must not linger.
        m_smtp.abort();
        return Outcome::SendFailed;
    }
}

Messager::Outcome Messager::sendComposed(const std::string& accountDescription, const MessageDraft& draft)
{
    if (accountDescription.empty() || accountDescription == AccountStore::Missing) {
        m_prompts.showError(text("Message", "010"));
        return Outcome::NoAccountChosen;
    }
    if (!m_detector.isOnline()) {
        m_prompts.showError(text("Message", "011"));
        return Outcome::Offline;
    }
    compose(draft);
    if (m_accounts.total() == 0)
        return Outcome::NoAccounts;
    const auto account = m_accounts.findByDescription(accountDescription, AccountStore::Match::Last);
    if (!account || account->smtpServer == AccountStore::Missing || account->smtpServer.empty()) {
        m_prompts.showError(text("Message", "012"));
        return Outcome::NoAccountInfo;
    }
    return transmit(*account);
}

Messager::Outcome Messager::transmit(const AccountEntry& account)
{
    m_smtp.setHost(account.smtpServer);
    m_smtp.setPort(account.smtpPort);
    m_smtp.setSecurity(mail::net::securityModeFromText(account.smtpSecurity)
                           .value_or(mail::net::defaultSecurityMode(account.smtpPort, 465)));
    // Servers that take AUTH LOGIN want the account's own login; one that does not offer it is used
    // without. An empty stored password is asked for, as the check does, and never stored.
    const std::string userName = account.username == AccountStore::Missing ? std::string() : account.username;
    std::string password = account.password;
    if (!userName.empty() && password.empty() && !account.isPasswordMissing) {
        const QString title = fillPlaceholders(text("Extra", "048"), {displayText(account.description)});
        password = storedText(m_prompts.askPassword(title, text("Wizard", "007")));
    }
    m_smtp.setUserName(userName);
    m_smtp.setPassword(password);

    const QString description = displayText(account.description);
    status(text("Message", "029") + QLatin1Char(' ') + description);
    if (!m_smtp.connect()) {
        // A failed connect leaves the socket open; the next send could not connect again.
        m_smtp.abort();
        if (m_isAborted)
            return Outcome::Aborted;
        const mail::net::ConnectFailure failure = m_smtp.connectFailure();
        status(failure == mail::net::ConnectFailure::NoTls         ? text("Extra", "111")
               : failure == mail::net::ConnectFailure::Certificate ? text("Extra", "112")
                                                                   : text("Message", "017"));
        return Outcome::ConnectFailed;
    }
    status(text("Message", "027") + QLatin1Char(' ') + description);
    if (m_mailSend.bodyStale())
        m_mailSend.assembleBody();
    status(text("Label", "014"));
    const bool isSent = m_smtp.sendMessage();
    if (m_isAborted) {
        m_smtp.abort();
        return Outcome::Aborted;
    }
    status(text("Label", isSent ? "015" : "016"));
    if (!m_smtp.quit())
        m_smtp.abort();
    return isSent ? Outcome::Sent : Outcome::SendFailed;
}

void Messager::abort()
{
    m_smtp.abort();
    if (m_isSending)
        m_isAborted = true;
    // Not a text of the language files: it reads the same in every language.
    status(QStringLiteral("Aborted"));
}

void Messager::status(const QString& text)
{
    if (m_onStatus)
        m_onStatus(text);
}

QString Messager::text(std::string_view section, std::string_view key) const
{
    return uiText(m_texts, section, key);
}

} // namespace vantor::core
