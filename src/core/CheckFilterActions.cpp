#include "core/CheckFilterActions.h"

#include "base/ErrorCodes.h"
#include "core/CheckContext.h"
#include "core/ProcessState.h"
#include "core/SessionDeletions.h"
#include "mail/codec/MailDate.h"

namespace vantor::core {

CheckFilterActions::CheckFilterActions(const CheckContext& context, records::DeletedMessageRecorder& recorder)
    : m_context(context)
    , m_recorder(recorder)
{}

void CheckFilterActions::setAccountList(ResultListModel& accounts, AccountRowLayout layout,
                                        std::string_view errorCode)
{
    m_accounts = &accounts;
    m_layout = layout;
    m_errorCode = errorCode;
}

void CheckFilterActions::addReportLine(std::string_view text)
{
    m_context.report(text);
}

void CheckFilterActions::writeErrorLog(std::string_view text)
{
    m_context.logError(text);
}

void CheckFilterActions::setProfileColumn(std::string_view text)
{
    const int row = m_context.state().currentAccountRow;
    if (m_accounts && row >= 0 && row < m_accounts->size())
        m_accounts->setSubItem(row, m_layout.profile, std::string(text));
}

void CheckFilterActions::recordDeletedMessage(filter::VerdictCode code)
{
    const ProcessState& state = m_context.state();
    m_recorded = m_recorder.recordDeletedMessage(state.currentMessageNumber, static_cast<int>(code),
                                                 state.currentAccountDescription);
}

void CheckFilterActions::deleteMessage(int messageNumber)
{
    records::DeletedMessageRecorder::Recording recorded = std::exchange(m_recorded, {});
    if (!recorded.mayDelete) {
        m_context.deletions().keepForBackup();
        return;
    }
    Pop3Mailbox& mailbox = m_context.mailbox();
    // A session the recording's fetch broke is aborted by the pass; there is nothing left to refuse.
    if (!mailbox.isSessionOpen())
        return;
    if (!mailbox.deleteMessage(messageNumber)) {
        if (mailbox.isSessionOpen())
            m_context.logError(base::errorEntry(m_errorCode, "failed on delete message from ") +
                               mailbox.host());
        return;
    }
    if (recorded.row)
        m_context.deletions().add(std::move(*recorded.row));
}

void CheckFilterActions::addPreviewRow(filter::VerdictCode code)
{
    const mail::mime::MailMessage& message = m_context.mailbox().message();
    try {
        records::ResultRow row{m_context.state().currentAccountDescription,
                               static_cast<int>(code),
                               {message.fromAddress(), message.subject(),
                                mail::codec::formatListDateTime(message.messageDate())}};
        m_context.lists().preview().addRow(std::move(row), filter::isDeleting(code));
    } catch (const std::exception&) {
        m_context.logError(base::errorEntry(base::errorcode::PreviewRow, "xxxxxxxxxxx"));
    }
}

void CheckFilterActions::addReasonLine(std::string_view reason)
{
    m_context.state().previewReasons.emplace_back(reason);
}

} // namespace vantor::core
