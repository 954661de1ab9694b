#pragma once

namespace vantor::core {

class CheckContext;

// The tests a check makes before it touches anything: no watch poll running, online, accounts configured.
class CheckGuards
{
public:
    enum class Outcome
    {
        Passed,
        // A watch poll is running: the error box was shown and CheckRunning left as it was.
        WatchRunning,
        // Offline or no account.vta: the error box (and the account manager) was shown.
        Refused
    };

    // Shows the matching error box for a refusal; for a missing account.vta it also opens the account
    // manager. CheckRunning is set while the account manager is open, so no timed check starts meanwhile;
    // on Passed it stays set, on Refused it is cleared.
    static Outcome enter(const CheckContext& context);
};

} // namespace vantor::core
