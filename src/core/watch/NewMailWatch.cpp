#include "core/watch/NewMailWatch.h"

#include "base/ErrorCodes.h"
#include "core/accounts/AccountLoader.h"
#include "core/accounts/AccountStore.h"
#include "core/check/CheckServices.h"
#include "core/check/Mailbox.h"
#include "core/program/ProcessState.h"
#include "core/program/StatusSink.h"
#include "mail/mime/MailMessage.h"

namespace vantor::core {

NewMailWatch::NewMailWatch(const CheckServices& services)
    : m_services(services)
{}

int NewMailWatch::poll()
{
    ProcessState& state = m_services.state;
    state.watchRunning = true;
    m_services.status.setTrayState(TrayState::Watching);
    const mail::codec::LocalTime since = state.lastCheckTime;
    const AccountStore store(m_services.home, m_services.errorLog, m_services.vault);
    const AccountLoader loader(store, m_services.texts, m_services.prompts);
    int newCount = 0;
    const int total = store.total();
    for (int number = 1; number <= total && !m_services.mailbox.isShutDown(); ++number) {
        const AccountLoad load = loader.load(number, AccountLoader::PasswordPrompt::DontAsk);
        if (load.outcome == AccountLoad::Outcome::Skipped)
            continue;
        // Missing account data ends the poll, silently.
        if (load.outcome == AccountLoad::Outcome::Failed)
            break;
        m_services.mailbox.setLogin(load.login);
        if (!pollAccount(since, newCount))
            break;
    }
    state.lastCheckTime = m_services.clock.localNow();
    m_services.status.setTrayState(TrayState::Idle);
    state.watchRunning = false;
    return newCount;
}

bool NewMailWatch::pollAccount(mail::codec::LocalTime since, int& newCount)
{
    Mailbox& mailbox = m_services.mailbox;
    const std::string host = mailbox.host();
    if (!mailbox.connect()) {
        m_services.logError(base::errorEntry(base::errorcode::NewMailWatch, "failed on connect to ") + host);
        mailbox.abort();
        return true;
    }
    if (!mailbox.login()) {
        m_services.logError(base::errorEntry(base::errorcode::NewMailWatch, "failed on login to ") + host);
        mailbox.abort();
        return true;
    }
    try {
        newCount += countNewMessages(since, host);
        if (!mailbox.quit())
            mailbox.abort();
        return true;
    } catch (const std::exception&) {
        mailbox.abort();
        return false;
    }
}

int NewMailWatch::countNewMessages(mail::codec::LocalTime since, const std::string& host)
{
    Mailbox& mailbox = m_services.mailbox;
    int count = 0;
    for (int number = 1; number <= mailbox.messageCount(); ++number) {
        if (!mailbox.fetchHeader(number)) {
            m_services.logError(
                base::errorEntry(base::errorcode::NewMailWatch, "failed on retrive message from ") + host);
            // After a broken exchange no later header could be trusted to be the one asked for.
            if (!mailbox.isSessionOpen())
                break;
            continue;
        }
        // A message without a readable date never counts.
        const std::optional<mail::codec::LocalTime> date = mailbox.message().messageDate();
        if (date && *date >= since)
            ++count;
    }
    return count;
}

} // namespace vantor::core
