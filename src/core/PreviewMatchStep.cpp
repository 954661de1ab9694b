#include "core/PreviewMatchStep.h"

#include "base/ErrorCodes.h"
#include "core/AccountRowLayout.h"
#include "core/CheckContext.h"
#include "core/EngineStep.h"
#include "core/ProcessState.h"
#include "core/SessionDeletions.h"
#include "mail/codec/MailDate.h"
#include "records/DeletedMessageRecorder.h"

#include <set>
#include <tuple>

namespace vantor::core {

namespace {

using MessageKey = std::tuple<std::string, std::string, std::string, std::string>;

} // namespace

PreviewMatchStep::PreviewMatchStep(const CheckContext& context, records::DeletedMessageRecorder& recorder)
    : m_context(context)
    , m_recorder(recorder)
{}

void PreviewMatchStep::handleMessage(int messageNumber)
{
    mail::mime::MailMessage& message = m_context.mailbox().message();
    try {
        if (!EngineStep::analyseParts(message)) {
            m_context.logError(
                base::errorEntry(base::errorcode::PreviewFinish, "failed on FindParts of message"));
            return;
        }
        // Taken before the backup, which fetches the message again into the same object.
        const std::string sender = message.fromAddress();
        const std::string subject = message.subject();
        const std::string date = mail::codec::formatListDateTime(message.messageDate());
        const int row = matchingRow(sender, subject, date);
        if (row >= 0)
            deleteMatched(messageNumber, m_context.lists().preview().row(row).icon, sender, subject, date);
    } catch (const std::exception&) {
        m_context.logError(
            base::errorEntry(base::errorcode::PreviewFinish, "failed on FindParts of message"));
    }
}

int PreviewMatchStep::matchingRow(const std::string& sender, const std::string& subject,
                                  const std::string& date) const
{
    const ResultListModel& preview = m_context.lists().preview();
    const std::string& account = m_context.state().currentAccountDescription;
    for (int row = 0; row < preview.size(); ++row) {
        if (preview.isTicked(row) && preview.row(row).caption == account &&
            preview.subItem(row, CheckLists::PreviewEMail) == sender &&
            preview.subItem(row, CheckLists::PreviewSubject) == subject &&
            preview.subItem(row, CheckLists::PreviewDateTime) == date)
            return row;
    }
    return -1;
}

void PreviewMatchStep::deleteMatched(int messageNumber, int icon, const std::string& sender,
                                     const std::string& subject, const std::string& date)
{
    if (!m_recorder.backupDeletedMessage(messageNumber)) {
        m_context.deletions().keepForBackup();
        return;
    }
    Pop3Mailbox& mailbox = m_context.mailbox();
    if (!mailbox.isSessionOpen())
        return;
    if (!mailbox.deleteMessage(messageNumber)) {
        if (mailbox.isSessionOpen())
            m_context.logError(
                base::errorEntry(base::errorcode::PreviewFinish, "failed on delete message from ") +
                mailbox.host());
        return;
    }
    m_context.deletions().add({sender, icon, {subject, m_context.state().currentAccountDescription, date}});
}

void PreviewMatchStep::afterSecondListing()
{
    const ResultListModel& preview = m_context.lists().preview();
    std::set<MessageKey> keptByUser;
    for (int row = 0; row < preview.size(); ++row) {
        if (!preview.isTicked(row))
            keptByUser.emplace(preview.row(row).caption, preview.subItem(row, CheckLists::PreviewEMail),
                               preview.subItem(row, CheckLists::PreviewSubject),
                               preview.subItem(row, CheckLists::PreviewDateTime));
    }
    // Every kept row, earlier accounts' included: new mail and ticked messages that found no match.
    ResultListModel& kept = m_context.lists().kept();
    for (int row = 0; row < kept.size(); ++row) {
        const MessageKey key{kept.subItem(row, CheckLists::ResultAccount), kept.row(row).caption,
                             kept.subItem(row, CheckLists::ResultSubject),
                             kept.subItem(row, CheckLists::ResultDateTime)};
        if (!keptByUser.contains(key))
            kept.setIcon(row, NotCheckedIcon);
    }
}

} // namespace vantor::core
