#include "core/check/PreviewMatchStep.h"

#include "base/ErrorCodes.h"
#include "core/check/AccountRowLayout.h"
#include "core/check/CheckLists.h"
#include "core/check/CheckRun.h"
#include "core/check/Mailbox.h"
#include "mail/codec/MailDate.h"
#include "mail/mime/MailMessage.h"
#include "records/DeletedMessageRecorder.h"

#include <set>
#include <tuple>

namespace vantor::core {

namespace {

using MessageKey = std::tuple<std::string, std::string, std::string, std::string>;

} // namespace

void PreviewMatchStep::handleMessage(CheckRun& run, int messageNumber)
{
    mail::mime::MailMessage& message = run.mailbox().message();
    try {
        if (!run.analyseMessage()) {
            run.logError(base::errorEntry(base::errorcode::PreviewFinish, "failed on FindParts of message"));
            return;
        }
        // Taken before the backup, which fetches the message again into the same object.
        Listed listed{message.fromAddress(), message.subject(),
                      mail::codec::formatListDateTime(message.messageDate()),
                      run.mailbox().uniqueId(messageNumber)};
        const int row = matchingRow(run, listed);
        if (row >= 0)
            deleteMatched(run, messageNumber, run.lists().preview().row(row).icon, std::move(listed));
    } catch (const std::exception&) {
        run.logError(base::errorEntry(base::errorcode::PreviewFinish, "failed on FindParts of message"));
    }
}

int PreviewMatchStep::matchingRow(const CheckRun& run, const Listed& message)
{
    const ResultListModel& preview = run.lists().preview();
    const std::string& account = run.account().description;
    for (int row = 0; row < preview.size(); ++row) {
        if (!preview.isTicked(row) || preview.row(row).caption != account)
            continue;
        const std::string& rowId = preview.row(row).uniqueId;
        if (!rowId.empty() && !message.uniqueId.empty()) {
            if (rowId == message.uniqueId)
                return row;
            continue;
        }
        if (preview.subItem(row, CheckLists::PreviewEMail) == message.sender &&
            preview.subItem(row, CheckLists::PreviewSubject) == message.subject &&
            preview.subItem(row, CheckLists::PreviewDateTime) == message.date)
            return row;
    }
    return -1;
}

void PreviewMatchStep::deleteMatched(CheckRun& run, int messageNumber, int icon, Listed message)
{
    if (!run.recorder().backupDeletedMessage(messageNumber)) {
        run.deletions().keepForBackup();
        return;
    }
    if (!run.deleteOnServer(messageNumber))
        return;
    run.deletions().add({std::move(message.sender),
                         icon,
                         {std::move(message.subject), run.account().description, std::move(message.date)}});
}

void PreviewMatchStep::afterSecondListing(CheckRun& run)
{
    const ResultListModel& preview = run.lists().preview();
    std::set<MessageKey> keptByUser;
    for (int row = 0; row < preview.size(); ++row) {
        if (!preview.isTicked(row))
            keptByUser.emplace(preview.row(row).caption, preview.subItem(row, CheckLists::PreviewEMail),
                               preview.subItem(row, CheckLists::PreviewSubject),
                               preview.subItem(row, CheckLists::PreviewDateTime));
    }
    // Every kept row, earlier accounts' included: new mail and ticked messages that found no match.
    ResultListModel& kept = run.lists().kept();
    for (int row = 0; row < kept.size(); ++row) {
        const MessageKey key{kept.subItem(row, CheckLists::ResultAccount), kept.row(row).caption,
                             kept.subItem(row, CheckLists::ResultSubject),
                             kept.subItem(row, CheckLists::ResultDateTime)};
        if (!keptByUser.contains(key))
            kept.setIcon(row, NotCheckedIcon);
    }
}

} // namespace vantor::core
