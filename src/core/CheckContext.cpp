#include "core/CheckContext.h"

#include "base/ErrorCodes.h"
#include "core/DisplayText.h"
#include "core/HomeDirectory.h"
#include "core/ProcessState.h"
#include "core/StatusSink.h"
#include "core/UserPrompts.h"
#include "filter/CheckReport.h"
#include "records/BackupFolder.h"
#include "storage/ErrorLog.h"
#include "storage/IniError.h"
#include "storage/TextTable.h"

namespace vantor::core {

CheckContext::CheckContext(const CheckEnvironment& environment, CheckLists& lists, Pop3Mailbox& mailbox,
                           filter::FilterEngine& engine, SessionDeletions& deletions)
    : m_env(environment)
    , m_lists(lists)
    , m_mailbox(mailbox)
    , m_engine(engine)
    , m_deletions(deletions)
{}

std::string CheckContext::homeDir() const
{
    return m_env.home.nativeDir();
}

const std::string& CheckContext::text(std::string_view section, std::string_view key) const
{
    return m_env.texts.text(section, key);
}

QString CheckContext::uiText(std::string_view section, std::string_view key) const
{
    return displayText(text(section, key));
}

void CheckContext::report(std::string_view text) const
{
    // The C library's "%X" is the time in the user's locale: the long time format of the desktop.
    std::string line = filter::CheckReport::localTimeText();
    line += " - ";
    line += text;
    m_env.state.checkReport.push_back(std::move(line));
}

void CheckContext::logError(std::string_view text) const
{
    m_env.errorLog.write(text);
}

void CheckContext::showStatus(std::string_view messageKey, const std::string& host) const
{
    m_env.status.setStatusText(uiText("Message", messageKey) + QLatin1Char(' ') + displayText(host));
}

void CheckContext::showError(std::string_view messageKey) const
{
    m_env.prompts.showError(uiText("Message", messageKey));
}

QDateTime CheckContext::nowToSeconds() const
{
    QDateTime now = m_env.now();
    now.setTime(QTime(now.time().hour(), now.time().minute(), now.time().second()));
    return now;
}

void CheckContext::createBackupFolder() const
{
    std::error_code error;
    // A folder that cannot be made shows later as the backup's own "cannot found EBak directory" entry.
    std::filesystem::create_directory(records::backupFolderPath(homeDir()), error);
}

void CheckContext::addDayTotals(const records::DayTotals& totals) const
{
    const QDate today = m_env.now().date();
    const std::chrono::year_month_day day{std::chrono::year{today.year()},
                                          std::chrono::month{static_cast<unsigned>(today.month())},
                                          std::chrono::day{static_cast<unsigned>(today.day())}};
    try {
        records::StatisticsLog(homeDir()).addDayTotals(day, totals);
    } catch (const storage::IniError&) {
        logError(base::errorEntry(base::errorcode::StatisticsLog, "cannot write emails.log"));
    }
}

} // namespace vantor::core
