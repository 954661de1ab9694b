#include "core/check/CheckGuards.h"

#include "core/accounts/AccountStore.h"
#include "core/check/CheckHost.h"
#include "core/check/CheckLock.h"
#include "core/check/CheckServices.h"
#include "core/program/ProcessState.h"
#include "platform/ConnectionDetector.h"

namespace vantor::core {

RunningCheck::RunningCheck(ProcessState& state)
    : m_state(state)
{
    m_state.checkRunning = true;
}

RunningCheck::~RunningCheck()
{
    m_state.checkRunning = false;
}

CheckGuards::Outcome CheckGuards::enter(const CheckServices& services, CheckLock& lock)
{
    if (services.state.watchRunning) {
        services.showError("034");
        return Outcome::WatchRunning;
    }
    if (!services.detector.isOnline()) {
        services.showError("001");
        return Outcome::Refused;
    }
    if (!AccountStore(services.home, services.errorLog).exists()) {
        services.showError("002");
        services.host.openAccountManager();
        return Outcome::Refused;
    }
    if (!lock.acquire(services.lockPatience, services.mailbox)) {
        services.showError("059");
        return Outcome::Locked;
    }
    return Outcome::Passed;
}

} // namespace vantor::core
