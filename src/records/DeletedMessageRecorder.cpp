#include "records/DeletedMessageRecorder.h"

#include "base/AtomicFile.h"
#include "base/ErrorCodes.h"
#include "base/TextLines.h"
#include "mail/codec/MailDate.h"
#include "mail/mime/MailMessage.h"
#include "records/BackupFileName.h"
#include "records/BackupFolder.h"
#include "storage/ErrorLog.h"
#include "storage/IniFile.h"
#include "storage/SettingKeys.h"

#include <filesystem>

namespace vantor::records {

namespace fs = std::filesystem;

namespace {

bool isText(const std::string& contentType)
{
    return contentType.empty() || contentType == "text" || contentType.starts_with("text/");
}

} // namespace

DeletedMessageRecorder::DeletedMessageRecorder(std::string homeDir, MessageSource& source,
                                               mail::mime::MailMessage& message, storage::ErrorLog& errorLog)
    : m_homeDir(std::move(homeDir))
    , m_source(source)
    , m_message(message)
    , m_errorLog(errorLog)
{}

DeletedMessageRecorder::Recording DeletedMessageRecorder::recordDeletedMessage(int messageNumber, int code,
                                                                               std::string_view account)
{
    const BackupSettings settings = readSettings();
    // With backups off the header is still fetched: the row needs sender, subject and date.
    const bool allMessage = settings.active && settings.allMessage;
    if (!retrieve(messageNumber, allMessage))
        return {std::nullopt, !settings.active};
    Recording recording{deletedRow(code, account), true};
    if (settings.active)
        recording.mayDelete = writeBackup(backupText(allMessage));
    return recording;
}

bool DeletedMessageRecorder::backupDeletedMessage(int messageNumber)
{
    const BackupSettings settings = readSettings();
    if (!settings.active)
        return true;
    return retrieve(messageNumber, settings.allMessage) && writeBackup(backupText(settings.allMessage));
}

DeletedMessageRecorder::BackupSettings DeletedMessageRecorder::readSettings() const
{
    BackupSettings settings;
    try {
        const storage::IniFile ini((fs::path(m_homeDir) / storage::SettingsFileName).string());
        settings.active = storage::readSetting(ini, storage::BackupActive);
        if (settings.active)
            settings.allMessage = storage::readSetting(ini, storage::BackupAllMessage);
    } catch (const storage::IniError&) {
        // An unreadable setting.ini reads as the defaults: no backup, but the row is still recorded.
    }
    return settings;
}

bool DeletedMessageRecorder::retrieve(int messageNumber, bool allMessage)
{
    const bool retrieved = allMessage ? m_source.retrieveMessage(messageNumber, m_message)
                                      : m_source.retrieveHeader(messageNumber, m_message);
    if (!retrieved)
        m_errorLog.write(base::errorEntry(base::errorcode::Backup, "failed on retrive message from ") +
                         m_source.host());
    return retrieved;
}

std::string DeletedMessageRecorder::backupText(bool allMessage)
{
    if (!allMessage)
        return base::joinLinesCrLf(m_message.headerLines());
    // A message that is one text is kept as text a person can read in any charset; anything else as
    // it would be sent again: a multipart message with its delimiters and part headers.
    if (m_message.subParts().empty() && isText(m_message.contentType()))
        return m_message.decodedText();
    m_message.rebuildReceived();
    return m_message.encodedBody();
}

bool DeletedMessageRecorder::writeBackup(std::string text)
{
    const fs::path folder = backupFolderPath(m_homeDir);
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        m_errorLog.write(base::errorEntry(base::errorcode::Backup, "cannot found EBak directory"));
        return false;
    }
    if (text.size() > MaxBackupBytes)
        text.resize(MaxBackupBytes);
    const std::string name = backupFileName(m_message.messageDate(), m_message.fromAddress());
    const std::string content = base::joinLinesCrLf(base::splitLines(text));
    // A copy cut short by a full disk would pass for a backup: the writer leaves none behind instead.
    if (!base::AtomicFile::write(folder / name, content))
        return true;
    m_errorLog.write(base::errorEntry(base::errorcode::Backup, "cannot write backup file ") + name);
    return false;
}

ResultRow DeletedMessageRecorder::deletedRow(int code, std::string_view account) const
{
    return ResultRow{m_message.fromAddress(),
                     code,
                     {m_message.subject(), std::string(account),
                      mail::codec::formatListDateTime(m_message.messageDate())}};
}

} // namespace vantor::records
