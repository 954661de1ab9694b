#pragma once

namespace vantor::core {

class CheckContext;
class CheckLock;

// The tests a check makes before it touches anything: no watch poll running, online, accounts configured,
// and no other check running on the same home directory.
class CheckGuards
{
public:
    enum class Outcome
    {
        Passed,
        // A watch poll is running: the error box was shown and CheckRunning left as it was.
        WatchRunning,
        // Offline or no account.vta: the error box (and the account manager) was shown.
        Refused,
        // Another check kept the home directory's lock: the error box was shown.
        Locked
    };

    // Shows the matching error box for a refusal; for a missing account.vta it also opens the account
    // manager. CheckRunning is set while the account manager is open and while the lock is awaited, so no
    // timed check starts meanwhile; on Passed it stays set (and lock is held), on Refused and Locked it is
    // cleared.
    static Outcome enter(const CheckContext& context, CheckLock& lock);
};

} // namespace vantor::core
