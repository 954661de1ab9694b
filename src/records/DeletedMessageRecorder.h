#pragma once

#include "records/MessageSource.h"
#include "records/ResultRow.h"

#include <optional>
#include <string>
#include <string_view>

namespace vantor::mail::mime {
class MailMessage;
}
namespace vantor::storage {
class ErrorLog;
}

namespace vantor::records {

// Records a message the check is about to delete: fetches it again, gives the row for the deleted-messages
// list and, when [Backup] Active is set, writes its copy to EBak (the whole body with [Backup] AllMessage,
// else the header lines; the first 10,000 bytes, CR LF after every line). Failures go to the error log
// (" 00001 - ..."); nothing here throws. With backups on, a message whose copy could not be made must not
// be deleted: the user asked for a copy of everything that goes.
class DeletedMessageRecorder
{
public:
    // Backups of one text are cut to this many bytes.
    static constexpr std::size_t MaxBackupBytes = 10000;

    // homeDir holds setting.ini and EBak; message is the object the source fills (the check's shared one).
    DeletedMessageRecorder(std::string homeDir, MessageSource& source, mail::mime::MailMessage& message,
                           storage::ErrorLog& errorLog);

    struct Recording
    {
        // The deleted row (sender, code, subject, account, "dd/mm/yyyy hh:mm:ss"); nothing when the
        // message could not be fetched again.
        std::optional<ResultRow> row;
        // False when backups are on and the copy could not be made.
        bool mayDelete = true;
    };

    // Message messageNumber is condemned with verdict code.
    Recording recordDeletedMessage(int messageNumber, int code, std::string_view account);
    // The backup alone (the preview finish has its row already); nothing when backups are off. False when
    // backups are on and the copy could not be made.
    bool backupDeletedMessage(int messageNumber);

private:
    struct BackupSettings
    {
        bool active = false;
        bool allMessage = false;
    };

    BackupSettings readSettings() const;
    // Fetches the message as the backup mode needs it; false (and logged) on failure.
    bool retrieve(int messageNumber, bool allMessage);
    // The text a backup holds in that mode, from the message fetched by retrieve().
    std::string backupText(bool allMessage);
    bool writeBackup(std::string text);
    ResultRow deletedRow(int code, std::string_view account) const;

    std::string m_homeDir;
    MessageSource& m_source;
    mail::mime::MailMessage& m_message;
    storage::ErrorLog& m_errorLog;
};

} // namespace vantor::records
