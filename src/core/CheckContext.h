#pragma once

#include "core/CheckEnvironment.h"
#include "core/CheckLists.h"
#include "core/Pop3Mailbox.h"
#include "records/StatisticsLog.h"

#include <QString>

#include <string>
#include <string_view>

namespace vantor::filter {
class FilterEngine;
}

namespace vantor::core {

// What every check cycle works with: the host's collaborators, the lists of the first page, the shared POP3
// client and the filter engine, with the small helpers each step of a cycle uses.
class SessionDeletions;

class CheckContext
{
public:
    CheckContext(const CheckEnvironment& environment, CheckLists& lists, Pop3Mailbox& mailbox,
                 filter::FilterEngine& engine, SessionDeletions& deletions);

    // Whether the checks ask for a stored empty password (the window) or log in with it (the command line).
    AccountLoader::PasswordPrompt passwordPrompt() const { return m_passwordPrompt; }
    void setPasswordPrompt(AccountLoader::PasswordPrompt prompt) { m_passwordPrompt = prompt; }

    const CheckEnvironment& env() const { return m_env; }
    ProcessState& state() const { return m_env.state; }
    CheckLists& lists() const { return m_lists; }
    Pop3Mailbox& mailbox() const { return m_mailbox; }
    filter::FilterEngine& engine() const { return m_engine; }
    SessionDeletions& deletions() const { return m_deletions; }
    std::string homeDir() const;

    // A text of the table as bytes, and as text for the window.
    const std::string& text(std::string_view section, std::string_view key) const;
    QString uiText(std::string_view section, std::string_view key) const;

    // Appends the local time, " - " and text to the check report.
    void report(std::string_view text) const;
    void logError(std::string_view text) const;
    // The status text "<Message key's text> <host>".
    void showStatus(std::string_view messageKey, const std::string& host) const;
    // Shows the error box with a text of the Message section.
    void showError(std::string_view messageKey) const;
    // "Now" cut to whole seconds, as LastCheckTime keeps it.
    QDateTime nowToSeconds() const;
    // Creates EBak below the home directory when it is missing (at the start of a check that may delete).
    void createBackupFolder() const;
    // Adds totals to today's section of emails.log (creating it); a failure is logged.
    void addDayTotals(const records::DayTotals& totals) const;

private:
    const CheckEnvironment& m_env;
    CheckLists& m_lists;
    Pop3Mailbox& m_mailbox;
    filter::FilterEngine& m_engine;
    SessionDeletions& m_deletions;
    AccountLoader::PasswordPrompt m_passwordPrompt = AccountLoader::PasswordPrompt::Ask;
};

} // namespace vantor::core
