#include "core/CheckEnding.h"

#include "core/AccountRowLayout.h"
#include "core/CheckContext.h"
#include "core/CheckHost.h"
#include "core/DisplayText.h"
#include "core/ProcessState.h"
#include "core/SettingsFile.h"
#include "core/StatusSink.h"
#include "records/DeletedDatabase.h"
#include "storage/IniError.h"

#include <charconv>

namespace vantor::core {

namespace {

int countOf(const std::string& text)
{
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::chrono::year_month_day dayOf(const QDateTime& time)
{
    const QDate date = time.date();
    return std::chrono::year{date.year()} / std::chrono::month{static_cast<unsigned>(date.month())} /
           std::chrono::day{static_cast<unsigned>(date.day())};
}

} // namespace

CheckEnding::Settings CheckEnding::Settings::read(const HomeDirectory& home)
{
    const SettingsFile settings(home);
    Settings result;
    result.showReport = settings.read(storage::GeneralReport);
    result.logTotals = settings.read(storage::GeneralLOG);
    result.autoClient = settings.read(storage::EMailClientAutoClient);
    result.clientPath = settings.read(storage::EMailClientPath);
    return result;
}

CheckEnding::CheckEnding(const CheckContext& context)
    : m_context(context)
{}

void CheckEnding::run(const Settings& settings)
{
    const CheckEnvironment& env = m_context.env();
    env.host.setControlsEnabled(true);
    env.status.setStatusText(m_context.uiText("Message", "016"));
    if (settings.logTotals)
        addDayTotals();
    records::DeletedDatabase::update(m_context.homeDir(), m_context.lists().deleted().rows(), env.errorLog);
    if (settings.showReport)
        env.host.showLastReport();
    if (settings.autoClient && !settings.clientPath.empty())
        env.host.runMailClient(displayText(settings.clientPath));
    env.state.lastCheckTime = m_context.nowToSeconds();
    env.status.resetProgress();
    env.status.setTrayState(TrayState::Idle);
    env.host.setBusy(false);
    env.host.refreshChart();
    env.state.checkRunning = false;
}

records::DayTotals CheckEnding::runTotals() const
{
    const AccountRowLayout layout = AccountRowLayout::automatic();
    const ResultListModel& accounts = m_context.lists().accounts();
    records::DayTotals totals;
    for (int row = 0; row < accounts.size(); ++row) {
        if (accounts.subItem(row, layout.message) != AccountOkText)
            continue;
        totals.emails += countOf(accounts.subItem(row, layout.emails));
        totals.filtered += countOf(accounts.subItem(row, layout.filtered));
        totals.deleted += countOf(accounts.subItem(row, layout.deleted));
    }
    return totals;
}

void CheckEnding::addDayTotals()
{
    try {
        // The day at the end of the check, not at its start.
        records::StatisticsLog(m_context.homeDir()).addDayTotals(dayOf(m_context.env().now()), runTotals());
    } catch (const storage::IniError&) {
        m_context.logError(" 00014 - cannot write emails.log");
    }
}

} // namespace vantor::core
