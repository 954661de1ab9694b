#include "core/check/CheckRun.h"

#include "base/ErrorCodes.h"
#include "core/check/CheckServices.h"
#include "core/check/Mailbox.h"
#include "core/check/ResultListModel.h"
#include "core/program/HomeDirectory.h"
#include "filter/Judgement.h"
#include "mail/mime/MailMessage.h"
#include "records/BackupFolder.h"
#include "storage/IniError.h"

#include <array>
#include <filesystem>

namespace vantor::core {

CheckRun::CheckRun(const CheckServices& services, const Tools& tools, ResultListModel& accountList,
                   AccountRowLayout layout, std::string_view errorCode)
    : m_services(services)
    , m_tools(tools)
    , m_accountList(accountList)
    , m_layout(layout)
    , m_errorCode(errorCode)
{}

Mailbox& CheckRun::mailbox() const
{
    return m_services.mailbox;
}

void CheckRun::report(std::string_view text)
{
    // "%X" is the time in the user's locale: the long time format of the desktop.
    const std::tm now = m_services.clock.localCalendar();
    std::array<char, 64> time{};
    std::string line(time.data(), std::strftime(time.data(), time.size(), "%X", &now));
    line += " - ";
    line += text;
    m_tools.report.push_back(std::move(line));
}

bool CheckRun::analyseMessage()
{
    try {
        mailbox().message().rebuildReceived();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

std::optional<filter::Judgement> CheckRun::judgeMessage(int messageNumber, filter::FilterEngine::Mode mode)
{
    if (!analyseMessage())
        logError(base::errorEntry(m_errorCode, "failed on FindParts of message"));
    const std::string& profile = m_account.profile;
    std::optional<filter::Judgement> judgement;
    try {
        Mailbox& box = mailbox();
        judgement =
            engine().judge(messageNumber, box.message(), box.messageSize(messageNumber), profile, mode);
    } catch (const storage::IniError&) {
        const std::string_view code = mode == filter::FilterEngine::Mode::Automatic
                                          ? base::errorcode::AutomaticFilter
                                          : base::errorcode::PreviewFilter;
        logError(base::errorEntry(code, "cannot read profile ") + profile + " or its black list");
        return std::nullopt;
    }
    noteJudgement(*judgement);
    return judgement;
}

bool CheckRun::deleteOnServer(int messageNumber)
{
    Mailbox& box = mailbox();
    if (!box.isSessionOpen())
        return false;
    if (box.deleteMessage(messageNumber))
        return true;
    if (box.isSessionOpen())
        logError(base::errorEntry(m_errorCode, "failed on delete message from ") + box.host());
    return false;
}

void CheckRun::logError(std::string_view entry) const
{
    m_services.logError(entry);
}

void CheckRun::setAccountColumn(int subItem, std::string text)
{
    if (subItem >= 0 && m_account.row >= 0 && m_account.row < m_accountList.size())
        m_accountList.setSubItem(m_account.row, subItem, std::move(text));
}

void CheckRun::noteJudgement(const filter::Judgement& judgement)
{
    setAccountColumn(m_layout.profile, judgement.profileColumn);
    for (const std::string& line : judgement.fallbackReports)
        report(line);
    for (const std::string& entry : judgement.fallbackErrors)
        logError(entry);
}

void CheckRun::addDayTotals(const records::DayTotals& totals) const
{
    const std::chrono::year_month_day today{
        std::chrono::floor<std::chrono::days>(m_services.clock.localNow())};
    try {
        records::StatisticsLog(m_services.home.nativeDir()).addDayTotals(today, totals);
    } catch (const storage::IniError&) {
        logError(base::errorEntry(base::errorcode::StatisticsLog, "cannot write emails.log"));
    }
}

void CheckRun::createBackupFolder() const
{
    std::error_code error;
    // A folder that cannot be made shows later as the backup's own "cannot found EBak directory" entry.
    std::filesystem::create_directory(records::backupFolderPath(m_services.home.nativeDir()), error);
}

} // namespace vantor::core
