#pragma once

#include <QLockFile>

#include <chrono>

namespace vantor::core {

class HomeDirectory;
class Mailbox;

// Keeps two checks on one home directory — the window's and a scheduled vantor-check — from interleaving
// their sessions and their writes to emails.log, backup.bak and EBak. Held for the length of one check;
// the lock of a process that died is taken over.
class CheckLock
{
public:
    inline static constexpr const char* FileName = "check.lock";

    explicit CheckLock(const HomeDirectory& home);

    // Waits up to patience for the other check to end, with the event loop turning, so the window stays
    // live; false when it did not end in time, or the program is ending meanwhile.
    bool acquire(std::chrono::milliseconds patience, const Mailbox& mailbox);

private:
    QLockFile m_file;
};

} // namespace vantor::core
