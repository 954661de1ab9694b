#include "core/CheckEnding.h"

#include "core/CheckContext.h"
#include "core/CheckHost.h"
#include "core/DisplayText.h"
#include "core/ProcessState.h"
#include "core/SettingsFile.h"
#include "core/StatusSink.h"

namespace vantor::core {

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
    if (m_context.mailbox().isShutDown()) {
        // Nothing more may start on the way out: no report window, no mail client.
        env.host.setBusy(false);
        env.state.checkRunning = false;
        return;
    }
    env.status.setStatusText(m_context.uiText("Message", "016"));
    // A day without any account that ended still gets its section of zeros.
    if (settings.logTotals)
        m_context.addDayTotals({});
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

} // namespace vantor::core
