#include "core/NewMailWatch.h"

#include "base/ErrorCodes.h"
#include "core/AccountLoader.h"
#include "core/AccountStore.h"
#include "core/CheckContext.h"
#include "core/ProcessState.h"
#include "core/StatusSink.h"

namespace vantor::core {

NewMailWatch::NewMailWatch(const CheckContext& context)
    : m_context(context)
{}

mail::codec::LocalTime NewMailWatch::localTime(const QDateTime& time)
{
    using namespace std::chrono;
    const QDate date = time.date();
    const QTime clock = time.time();
    const local_days day{year{date.year()} / month{static_cast<unsigned>(date.month())} /
                         std::chrono::day{static_cast<unsigned>(date.day())}};
    return day + hours{clock.hour()} + minutes{clock.minute()} + seconds{clock.second()};
}

int NewMailWatch::poll()
{
    const CheckEnvironment& env = m_context.env();
    env.state.watchRunning = true;
    env.status.setTrayState(TrayState::Watching);
    const QDateTime since = env.state.lastCheckTime;
    const AccountStore store(env.home, env.errorLog);
    const AccountLoader loader(store, env.texts, env.prompts);
    int newCount = 0;
    const int total = store.total();
    for (int number = 1; number <= total && !m_context.mailbox().isShutDown(); ++number) {
        const AccountLoad load = loader.load(number, AccountLoader::PasswordPrompt::DontAsk);
        if (load.outcome == AccountLoad::Outcome::Skipped)
            continue;
        // Missing account data ends the poll, silently.
        if (load.outcome == AccountLoad::Outcome::Failed)
            break;
        m_context.mailbox().setLogin(load.login);
        if (!pollAccount(since, newCount))
            break;
    }
    env.state.lastCheckTime = m_context.nowToSeconds();
    env.status.setTrayState(TrayState::Idle);
    env.state.watchRunning = false;
    return newCount;
}

bool NewMailWatch::pollAccount(const QDateTime& since, int& newCount)
{
    Pop3Mailbox& mailbox = m_context.mailbox();
    const std::string host = mailbox.host();
    if (!mailbox.connect()) {
        m_context.logError(base::errorEntry(base::errorcode::NewMailWatch, "failed on connect to ") + host);
        mailbox.abort();
        return true;
    }
    if (!mailbox.login()) {
        m_context.logError(base::errorEntry(base::errorcode::NewMailWatch, "failed on login to ") + host);
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

int NewMailWatch::countNewMessages(const QDateTime& since, const std::string& host)
{
    Pop3Mailbox& mailbox = m_context.mailbox();
    const mail::codec::LocalTime start = localTime(since);
    int count = 0;
    for (int number = 1; number <= mailbox.messageCount(); ++number) {
        if (!mailbox.fetchHeader(number)) {
            m_context.logError(
                base::errorEntry(base::errorcode::NewMailWatch, "failed on retrive message from ") + host);
            // After a broken exchange no later header could be trusted to be the one asked for.
            if (!mailbox.isSessionOpen())
                break;
            continue;
        }
        // A message without a readable date never counts.
        const std::optional<mail::codec::LocalTime> date = mailbox.message().messageDate();
        if (date && *date >= start)
            ++count;
    }
    return count;
}

} // namespace vantor::core
