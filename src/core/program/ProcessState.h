#pragma once

#include <QString>

#include <chrono>

namespace vantor::core {

// What the whole process consults while it runs: the re-entry guards of the check and the watch, the
// start-up flags and the time of the last check. One per program, owned by whoever makes the checks.
struct ProcessState
{
    // The start of the new-mail watch's window before any check has run.
    static constexpr std::chrono::local_seconds InitialLastCheckTime{
        std::chrono::local_days{std::chrono::year{1990} / 1 / 1}};

    QString versionText = QStringLiteral("2.5");
    // A check, a preview build or its wait, or a preview finish is running; the watch and timed check skip.
    bool checkRunning = false;
    // One poll of the new-mail watch is running; a check refuses to start.
    bool watchRunning = false;
    // The check on the first connection of this run has been started.
    bool autoCheckDone = false;
    // The window has been shown once; from then on moves and resizes save its placement.
    bool windowShown = false;
    // Empty the EBak directory when the program exits through Exit or a real window close.
    bool deleteBackupOnExit = false;
    // End of the last check or watch poll on the local clock; the watch counts messages dated at or after it.
    std::chrono::local_seconds lastCheckTime = InitialLastCheckTime;
};

} // namespace vantor::core
