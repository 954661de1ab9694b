#include "core/check/AccountPass.h"

#include "base/ErrorCodes.h"
#include "core/accounts/AccountStore.h"
#include "core/check/CheckLists.h"
#include "core/check/CheckRun.h"
#include "core/check/CheckServices.h"
#include "core/check/Mailbox.h"
#include "core/check/MessageStep.h"
#include "core/check/ResultListModel.h"
#include "core/program/DisplayText.h"
#include "core/program/FormatText.h"
#include "core/program/StatusSink.h"
#include "filter/FilterEngine.h"
#include "mail/codec/MailDate.h"
#include "mail/mime/MailMessage.h"
#include "storage/IniError.h"

namespace vantor::core {

namespace {

// An error-log text with the server's refusal or the fault that ended the session, when there is one.
std::string withReason(std::string text, const std::string& reason)
{
    return reason.empty() ? text : text + " (" + reason + ")";
}

} // namespace

AccountPass::AccountPass(CheckRun& run, Style style)
    : m_run(run)
    , m_style(style)
{}

void AccountPass::run(MessageStep& step)
{
    const CheckServices& services = m_run.services();
    const AccountStore store(services.home, services.errorLog, services.vault);
    const AccountLoader loader(store, services.texts, services.prompts);
    const int total = store.total();
    for (int number = 1; number <= total; ++number) {
        // The program is ending: no further account is visited.
        if (m_run.mailbox().isShutDown())
            return;
        services.status.setAccountProgress(number, total);
        services.status.setMessageProgress(0, 0);
        const AccountLoad load = loader.load(number, services.passwordPrompt);
        if (load.outcome == AccountLoad::Outcome::Skipped)
            continue;
        const int row = m_run.accountList().addRow({load.description, AccountWorking, {}});
        m_run.account() = {row, load.description, load.profile};
        if (load.outcome == AccountLoad::Outcome::Failed) {
            // Missing account data ends the whole pass, not only this account.
            markFailed(load.failure);
            return;
        }
        visitAccount(load.login, step);
    }
}

void AccountPass::visitAccount(const Pop3Login& login, MessageStep& step)
{
    const CheckServices& services = m_run.services();
    Mailbox& mailbox = m_run.mailbox();
    mailbox.setLogin(login);
    if (!openSession(login.host, Session::Filtering))
        return;
    services.showStatus("027", login.host);
    const int emails = mailbox.messageCount();
    m_run.account().emails = emails;
    m_run.setAccountColumn(m_run.layout().emails, std::to_string(emails));
    services.showStatus("026", login.host);
    m_run.report(services.text("Message", "025"));
    m_run.report(services.text("Message", "024") + " " + login.host);
    m_run.report(services.text("Message", "023") + " " + std::to_string(emails));
    if (emails == 0)
        m_run.setAccountColumn(m_run.layout().filtered, "0");
    SessionDeletions& deletions = m_run.deletions();
    deletions.begin();
    const bool isSound = fetchMessages(emails, login.host, step);
    m_run.report(services.text("Message", "021"));
    // Only an acknowledged QUIT makes the server carry out the deletions; a refused one leaves the
    // messages in place.
    if (!isSound || !mailbox.quit()) {
        abortSession(login.host);
        return;
    }
    deletions.commit(services, m_run.lists());

    if (m_style.hasSecondListing) {
        const int filtered = listKept(login.host);
        m_run.account().filtered = filtered;
        step.afterSecondListing(m_run);
        if (filtered >= 0) {
            m_run.setAccountColumn(m_run.layout().filtered, std::to_string(filtered));
            m_run.setAccountColumn(m_run.layout().deleted, std::to_string(emails - filtered));
        }
    }
    if (!m_style.hasSecondListing || m_run.account().filtered >= 0)
        markDone();
    services.showStatus("020", login.host);
    if (m_style.hasSecondListing && !mailbox.quit())
        mailbox.abort();
    services.showStatus("019", login.host);
}

void AccountPass::markDone()
{
    m_run.accountList().setIcon(m_run.account().row, AccountDone);
    std::string message = AccountOkText;
    if (const int kept = m_run.deletions().keptForBackup(); kept > 0) {
        message =
            storedText(fillPlaceholders(m_run.services().uiText("Message", "061"), {QString::number(kept)}));
        m_run.report(message);
    }
    m_run.setAccountColumn(m_run.layout().message, message);
    const CheckRun::Account& account = m_run.account();
    if (m_style.logTotals && account.filtered >= 0)
        m_run.addDayTotals({account.emails, account.filtered, account.emails - account.filtered});
}

void AccountPass::abortSession(const std::string& host)
{
    Mailbox& mailbox = m_run.mailbox();
    const std::string reason = mailbox.failureText();
    mailbox.abort();
    m_run.deletions().discard();
    const std::string& failure = m_run.services().text("Message", "060");
    markFailed(failure);
    m_run.report(failure);
    m_run.logError(withReason(
        base::errorEntry(m_run.errorCode(), "session aborted, nothing deleted on ") + host, reason));
    m_run.services().showStatus("019", host);
}

bool AccountPass::openSession(const std::string& host, Session session)
{
    const CheckServices& services = m_run.services();
    Mailbox& mailbox = m_run.mailbox();
    if (mailbox.isShutDown())
        return false;
    const bool isFiltering = session == Session::Filtering;
    const std::string_view code = isFiltering ? m_run.errorCode() : base::errorcode::SecondListing;
    if (isFiltering)
        services.showStatus("029", host);
    if (!mailbox.connect()) {
        const std::string reason = mailbox.failureText();
        const mail::net::ConnectFailure failure = mailbox.connectFailure();
        if (failure == mail::net::ConnectFailure::Connection) {
            markFailed(services.text("Message", "017"));
        } else {
            // Both ask something of the user (another protection, or a look at the certificate): the
            // report says why, not only the log.
            const std::string& text =
                services.text("Extra", failure == mail::net::ConnectFailure::NoTls ? "111" : "112");
            markFailed(text);
            m_run.report(withReason(text + " " + host, reason));
        }
        logFailure(code, "connect to", host, reason);
        // A failed connect may leave the socket open; the next account needs it closed.
        mailbox.abort();
        return false;
    }
    if (isFiltering)
        services.showStatus("028", host);
    if (!mailbox.login()) {
        markFailed(services.text("Message", "018"));
        logFailure(code, "login to", host);
        mailbox.abort();
        return false;
    }
    return true;
}

bool AccountPass::fetchMessages(int count, const std::string& host, MessageStep& step)
{
    Mailbox& mailbox = m_run.mailbox();
    for (int number = 1; number <= count; ++number) {
        m_run.services().status.setMessageProgress(number, count);
        if (!mailbox.fetchHeader(number)) {
            if (!mailbox.isSessionOpen())
                return false;
            // A clean refusal of one message: the others can still be judged.
            m_run.setAccountColumn(m_run.layout().message, m_run.services().text("Message", "022"));
            logFailure(m_run.errorCode(), "retrive message from", host);
            continue;
        }
        step.handleMessage(m_run, number);
        // The step's own exchanges (the backup's fetch, DELE) may have broken the session.
        if (!mailbox.isSessionOpen())
            return false;
    }
    return true;
}

int AccountPass::listKept(const std::string& host)
{
    // The row keeps the Message text of a failed second listing: without the count of the messages left,
    // "Filtered" and "Deleted" stay empty and the day totals leave the account out.
    if (!openSession(host, Session::SecondListing))
        return -1;
    Mailbox& mailbox = m_run.mailbox();
    const int filtered = mailbox.messageCount();
    for (int number = 1; number <= filtered; ++number) {
        if (mailbox.fetchHeader(number)) {
            addKeptRow();
            continue;
        }
        logFailure(base::errorcode::SecondListing, "retrive message from", host, mailbox.failureText());
        if (!mailbox.isSessionOpen()) {
            // Later replies could no longer be told apart: the count of what is left stays unknown.
            markFailed(m_run.services().text("Message", "022"));
            return -1;
        }
    }
    return filtered;
}

void AccountPass::addKeptRow()
{
    const mail::mime::MailMessage& message = m_run.mailbox().message();
    const CheckRun::Account& account = m_run.account();
    const std::string subject = message.subject();
    const std::string sender = message.fromAddress();
    int icon = static_cast<int>(filter::VerdictCode::Clear);
    try {
        const filter::Judgement judgement = m_run.engine().judgeKept(subject, sender, account.profile);
        m_run.noteJudgement(judgement);
        icon = static_cast<int>(judgement.verdict.code);
    } catch (const storage::IniError&) {
        // An unreadable profile marks nothing as trusted; the message is listed all the same.
        m_run.logError(base::errorEntry(base::errorcode::ExceptionsTest, "cannot read profile ") +
                       account.profile);
    }
    m_run.lists().kept().addRow(
        {sender,
         icon,
         {subject, account.description, mail::codec::formatListDateTime(message.messageDate())}});
}

void AccountPass::markFailed(const std::string& failure)
{
    m_run.accountList().setIcon(m_run.account().row, AccountFailed);
    m_run.setAccountColumn(m_run.layout().message, failure);
}

void AccountPass::logFailure(std::string_view code, const char* what, const std::string& host,
                             const std::string& reason)
{
    m_run.logError(withReason(base::errorEntry(code, "failed on ") + what + " " + host, reason));
}

} // namespace vantor::core
