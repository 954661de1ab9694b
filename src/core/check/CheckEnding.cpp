#include "core/check/CheckEnding.h"

#include "core/check/CheckHost.h"
#include "core/check/CheckRun.h"
#include "core/check/CheckServices.h"
#include "core/check/Mailbox.h"
#include "core/program/DisplayText.h"
#include "core/program/ProcessState.h"
#include "core/program/SettingsFile.h"
#include "core/program/StatusSink.h"

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

void CheckEnding::run(CheckRun& run, const Settings& settings)
{
    const CheckServices& services = run.services();
    services.host.setControlsEnabled(true);
    if (run.mailbox().isShutDown()) {
        // Nothing more may start on the way out: no report window, no mail client.
        services.host.setBusy(false);
        return;
    }
    services.status.setStatusText(services.uiText("Message", "016"));
    // A day without any account that ended still gets its section of zeros.
    if (settings.logTotals)
        run.addDayTotals({});
    if (settings.showReport)
        services.host.showLastReport();
    if (settings.autoClient && !settings.clientPath.empty())
        services.host.runMailClient(displayText(settings.clientPath));
    services.state.lastCheckTime = services.clock.localNow();
    services.status.resetProgress();
    services.status.setTrayState(TrayState::Idle);
    services.host.setBusy(false);
    services.host.refreshChart();
}

} // namespace vantor::core
