#pragma once

#include "core/check/AccountRowLayout.h"
#include "core/check/SessionDeletions.h"
#include "filter/FilterEngine.h"
#include "records/StatisticsLog.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::records {
class DeletedMessageRecorder;
}

namespace vantor::core {

struct CheckServices;
class CheckLists;
class Mailbox;
class ResultListModel;

// One run of a check cycle (the automatic check, the preview build or the preview finish): the services
// it works with, the account list it fills, the account under way, the deletions of the open session and
// the report it writes. Made when the cycle starts and dropped when it ends.
class CheckRun
{
public:
    // The account the run is at, as its row of the account list shows it.
    struct Account
    {
        int row = 0;
        std::string description;
        std::string profile;
        // Messages listed by the first session, and left on the server after it (-1 while unknown).
        int emails = 0;
        int filtered = -1;
    };

    // The collaborators a run works with besides the services: all owned by the check controller.
    struct Tools
    {
        CheckLists& lists;
        filter::FilterEngine& engine;
        records::DeletedMessageRecorder& recorder;
        // The report the window shows, kept until the next run starts writing.
        std::vector<std::string>& report;
    };

    // The run fills accountList with the columns of layout; errorCode is the one of the cycle's own entries.
    CheckRun(const CheckServices& services, const Tools& tools, ResultListModel& accountList,
             AccountRowLayout layout, std::string_view errorCode);

    const CheckServices& services() const { return m_services; }
    Mailbox& mailbox() const;
    CheckLists& lists() const { return m_tools.lists; }
    filter::FilterEngine& engine() const { return m_tools.engine; }
    records::DeletedMessageRecorder& recorder() const { return m_tools.recorder; }
    ResultListModel& accountList() const { return m_accountList; }
    AccountRowLayout layout() const { return m_layout; }
    std::string_view errorCode() const { return m_errorCode; }

    Account& account() { return m_account; }
    const Account& account() const { return m_account; }
    SessionDeletions& deletions() { return m_deletions; }

    // Starts the report afresh, once the run is sure to go ahead.
    void clearReport() { m_tools.report.clear(); }
    // Appends the local time, " - " and text to the report.
    void report(std::string_view text);
    // Locates the parts of the fetched message and assembles it, as judging it needs; false when that
    // raised (the message is then judged by its header alone).
    bool analyseMessage();
    // The fetched message analysed (a failure logged) and judged by the account's profile in mode, with
    // what the judgement notes besides its verdict. Nothing when the profile or its black list exists but
    // cannot be read (logged): such a message is not judged at all, so it stays.
    std::optional<filter::Judgement> judgeMessage(int messageNumber, filter::FilterEngine::Mode mode);
    // DELE of a condemned message whose backup is made; false when it stays on the server. A refusal is
    // logged under the run's code; a session broken on the way is the account pass's to abort.
    bool deleteOnServer(int messageNumber);
    void logError(std::string_view entry) const;
    // A column of the account's row; nothing for a column the list does not have.
    void setAccountColumn(int subItem, std::string text);
    // What a judgement says besides its verdict: the "Profile" column, the fallbacks' report lines and
    // error-log entries.
    void noteJudgement(const filter::Judgement& judgement);
    // Adds totals to today's section of emails.log (creating it); a failure is logged.
    void addDayTotals(const records::DayTotals& totals) const;
    // Creates EBak below the home directory when it is missing (at the start of a run that may delete).
    void createBackupFolder() const;

private:
    const CheckServices& m_services;
    Tools m_tools;
    ResultListModel& m_accountList;
    AccountRowLayout m_layout;
    std::string_view m_errorCode;
    Account m_account;
    SessionDeletions m_deletions;
};

} // namespace vantor::core
