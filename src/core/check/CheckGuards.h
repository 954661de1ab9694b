#pragma once

namespace vantor::core {

struct CheckServices;
class CheckLock;
struct ProcessState;

// "A check is running" for as long as this lives: the new-mail watch and the timed check stand aside, and
// no second check starts over the same mailbox. Whatever ends the check — its end, a refusal, an
// exception — clears it.
class RunningCheck
{
public:
    explicit RunningCheck(ProcessState& state);
    ~RunningCheck();
    RunningCheck(const RunningCheck&) = delete;
    RunningCheck& operator=(const RunningCheck&) = delete;

private:
    ProcessState& m_state;
};

// The tests a check makes before it touches anything: no watch poll running, online, accounts configured,
// and no other check running on the same home directory. The caller holds a RunningCheck meanwhile, so no
// timed check starts while the account manager or the wait for the lock keeps the user busy.
class CheckGuards
{
public:
    enum class Outcome
    {
        Passed,
        // A watch poll is running: the error box was shown.
        WatchRunning,
        // Offline or no account.vta: the error box (and the account manager) was shown.
        Refused,
        // Another check kept the home directory's lock: the error box was shown.
        Locked
    };

    // Shows the matching error box for a refusal; for a missing account.vta it also opens the account
    // manager. On Passed, lock is held.
    static Outcome enter(const CheckServices& services, CheckLock& lock);
};

} // namespace vantor::core
