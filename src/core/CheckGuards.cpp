#include "core/CheckGuards.h"

#include "core/AccountStore.h"
#include "core/CheckContext.h"
#include "core/CheckHost.h"
#include "core/CheckLock.h"
#include "core/ProcessState.h"
#include "platform/ConnectionDetector.h"

namespace vantor::core {

CheckGuards::Outcome CheckGuards::enter(const CheckContext& context, CheckLock& lock)
{
    const CheckEnvironment& env = context.env();
    if (env.state.watchRunning) {
        context.showError("034");
        return Outcome::WatchRunning;
    }
    env.state.checkRunning = true;
    if (!env.detector.isOnline()) {
        context.showError("001");
        env.state.checkRunning = false;
        return Outcome::Refused;
    }
    if (!AccountStore(env.home, env.errorLog).exists()) {
        context.showError("002");
        env.host.openAccountManager();
        env.state.checkRunning = false;
        return Outcome::Refused;
    }
    if (!lock.acquire(env.lockPatience, context.mailbox())) {
        context.showError("059");
        env.state.checkRunning = false;
        return Outcome::Locked;
    }
    return Outcome::Passed;
}

} // namespace vantor::core
