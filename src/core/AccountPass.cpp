#include "core/AccountPass.h"

#include "base/ErrorCodes.h"
#include "core/AccountStore.h"
#include "core/CheckContext.h"
#include "core/CheckFilterActions.h"
#include "core/DisplayText.h"
#include "core/FormatText.h"
#include "core/MessageStep.h"
#include "core/ProcessState.h"
#include "core/ResultListModel.h"
#include "core/SessionDeletions.h"
#include "core/StatusSink.h"
#include "filter/FilterEngine.h"
#include "mail/codec/MailDate.h"
#include "storage/IniError.h"

namespace vantor::core {

namespace {

// The code of the second listing's entries, whichever cycle runs it.

// An error-log text with the server's refusal or the fault that ended the session, when there is one.
std::string withReason(std::string text, const std::string& reason)
{
    return reason.empty() ? text : text + " (" + reason + ")";
}

} // namespace

AccountPass::AccountPass(const CheckContext& context, CheckFilterActions& actions, Style style)
    : m_context(context)
    , m_actions(actions)
    , m_style(std::move(style))
{}

void AccountPass::run(MessageStep& step)
{
    const CheckEnvironment& env = m_context.env();
    ProcessState& state = m_context.state();
    const AccountStore store(env.home, env.errorLog);
    const AccountLoader loader(store, env.texts, env.prompts);
    m_actions.setAccountList(m_style.accounts, m_style.layout, m_style.errorCode);
    state.currentAccountRow = 0;
    const int total = store.total();
    for (int number = 1; number <= total; ++number) {
        // The program is ending: no further account is visited.
        if (m_context.mailbox().isShutDown())
            return;
        env.status.setAccountProgress(number, total);
        env.status.setMessageProgress(0, 0);
        const AccountLoad load = loader.load(number, m_style.prompt);
        state.currentAccountDescription = load.description;
        if (load.outcome == AccountLoad::Outcome::Skipped)
            continue;
        state.currentProfileName = load.profile;
        const int row = m_style.accounts.addRow({load.description, AccountWorking, {}});
        state.currentAccountRow = row;
        if (load.outcome == AccountLoad::Outcome::Failed) {
            // Missing account data ends the whole pass, not only this account.
            markFailed(row, load.failure);
            return;
        }
        visitAccount(row, load.login, step);
    }
}

void AccountPass::visitAccount(int row, const Pop3Login& login, MessageStep& step)
{
    Pop3Mailbox& mailbox = m_context.mailbox();
    mailbox.setLogin(login);
    if (!openSession(row, login.host, Session::Filtering))
        return;
    m_context.showStatus("027", login.host);
    const int emails = mailbox.messageCount();
    setColumn(row, m_style.layout.emails, std::to_string(emails));
    m_context.showStatus("026", login.host);
    m_context.report(m_context.text("Message", "025"));
    m_context.report(m_context.text("Message", "024") + " " + login.host);
    m_context.report(m_context.text("Message", "023") + " " + std::to_string(emails));
    if (emails == 0)
        setColumn(row, m_style.layout.filtered, "0");
    SessionDeletions& deletions = m_context.deletions();
    deletions.begin();
    const bool isSound = fetchMessages(row, emails, login.host, step);
    m_context.report(m_context.text("Message", "021"));
    // Only an acknowledged QUIT makes the server carry out the deletions; a refused one leaves the
    // messages in place.
    if (!isSound || !mailbox.quit()) {
        abortSession(row, login.host);
        return;
    }
    deletions.commit(m_context);

    int filtered = -1;
    if (m_style.hasSecondListing) {
        filtered = listKept(row, login.host);
        step.afterSecondListing();
        if (filtered >= 0) {
            setColumn(row, m_style.layout.filtered, std::to_string(filtered));
            setColumn(row, m_style.layout.deleted, std::to_string(emails - filtered));
        }
    }
    if (!m_style.hasSecondListing || filtered >= 0)
        markDone(row, emails, filtered);
    m_context.showStatus("020", login.host);
    if (m_style.hasSecondListing && !mailbox.quit())
        mailbox.abort();
    m_context.showStatus("019", login.host);
    m_context.state().currentAccountRow = row + 1;
}

void AccountPass::markDone(int row, int emails, int filtered)
{
    m_style.accounts.setIcon(row, AccountDone);
    std::string message = AccountOkText;
    if (const int kept = m_context.deletions().keptForBackup(); kept > 0) {
        message = storedText(fillPlaceholders(m_context.uiText("Message", "061"), {QString::number(kept)}));
        m_context.report(message);
    }
    setColumn(row, m_style.layout.message, message);
    if (m_style.logTotals && filtered >= 0)
        m_context.addDayTotals({emails, filtered, emails - filtered});
}

void AccountPass::abortSession(int row, const std::string& host)
{
    Pop3Mailbox& mailbox = m_context.mailbox();
    const std::string reason = mailbox.failureText();
    mailbox.abort();
    m_context.deletions().discard();
    const std::string& failure = m_context.text("Message", "060");
    markFailed(row, failure);
    m_context.report(failure);
    m_context.logError(withReason(
        base::errorEntry(m_style.errorCode, "session aborted, nothing deleted on ") + host, reason));
    m_context.showStatus("019", host);
    m_context.state().currentAccountRow = row + 1;
}

bool AccountPass::openSession(int row, const std::string& host, Session session)
{
    Pop3Mailbox& mailbox = m_context.mailbox();
    if (mailbox.isShutDown())
        return false;
    const bool isFiltering = session == Session::Filtering;
    const std::string_view code = isFiltering ? m_style.errorCode : base::errorcode::SecondListing;
    if (isFiltering)
        m_context.showStatus("029", host);
    if (!mailbox.connect()) {
        markFailed(row, m_context.text("Message", "017"));
        // A refused certificate or STLS is only told apart from a closed port by its reason.
        logFailure(code, "connect to", host, mailbox.failureText());
        // A failed connect may leave the socket open; the next account needs it closed.
        mailbox.abort();
        return false;
    }
    if (isFiltering)
        m_context.showStatus("028", host);
    if (!mailbox.login()) {
        markFailed(row, m_context.text("Message", "018"));
        logFailure(code, "login to", host);
        mailbox.abort();
        return false;
    }
    return true;
}

bool AccountPass::fetchMessages(int row, int count, const std::string& host, MessageStep& step)
{
    const CheckEnvironment& env = m_context.env();
    Pop3Mailbox& mailbox = m_context.mailbox();
    for (int number = 1; number <= count; ++number) {
        env.status.setMessageProgress(number, count);
        if (!mailbox.fetchHeader(number)) {
            if (!mailbox.isSessionOpen())
                return false;
            // A clean refusal of one message: the others can still be judged.
            setColumn(row, m_style.layout.message, m_context.text("Message", "022"));
            logFailure(m_style.errorCode, "retrive message from", host);
            continue;
        }
        m_context.state().currentMessageNumber = number;
        step.handleMessage(number);
        // The step's own exchanges (the backup's fetch, DELE) may have broken the session.
        if (!mailbox.isSessionOpen())
            return false;
    }
    return true;
}

int AccountPass::listKept(int row, const std::string& host)
{
    // The row keeps the Message text of a failed second listing: without the count of the messages left,
    // "Filtered" and "Deleted" stay empty and the day totals leave the account out.
    if (!openSession(row, host, Session::SecondListing))
        return -1;
    Pop3Mailbox& mailbox = m_context.mailbox();
    const int filtered = mailbox.messageCount();
    for (int number = 1; number <= filtered; ++number) {
        if (mailbox.fetchHeader(number)) {
            addKeptRow();
            continue;
        }
        logFailure(base::errorcode::SecondListing, "retrive message from", host, mailbox.failureText());
        if (!mailbox.isSessionOpen()) {
            // Later replies could no longer be told apart: the count of what is left stays unknown.
            markFailed(row, m_context.text("Message", "022"));
            return -1;
        }
    }
    return filtered;
}

void AccountPass::addKeptRow()
{
    const mail::mime::MailMessage& message = m_context.mailbox().message();
    const ProcessState& state = m_context.state();
    const std::string subject = message.subject();
    const std::string sender = message.fromAddress();
    int icon = static_cast<int>(filter::VerdictCode::Clear);
    try {
        icon = static_cast<int>(
            m_context.engine().isException(subject, sender, state.currentProfileName, m_actions));
    } catch (const storage::IniError&) {
        // An unreadable profile marks nothing as trusted; the message is listed all the same.
        m_context.logError(base::errorEntry(base::errorcode::ExceptionsTest, "cannot read profile ") +
                           state.currentProfileName);
    }
    m_context.lists().kept().addRow(
        {sender,
         icon,
         {subject, state.currentAccountDescription, mail::codec::formatListDateTime(message.messageDate())}});
}

void AccountPass::markFailed(int row, const std::string& failure)
{
    m_style.accounts.setIcon(row, AccountFailed);
    setColumn(row, m_style.layout.message, failure);
}

void AccountPass::setColumn(int row, int subItem, std::string text)
{
    if (subItem >= 0)
        m_style.accounts.setSubItem(row, subItem, std::move(text));
}

void AccountPass::logFailure(std::string_view code, const char* what, const std::string& host,
                             const std::string& reason)
{
    m_context.logError(withReason(base::errorEntry(code, "failed on ") + what + " " + host, reason));
}

} // namespace vantor::core
