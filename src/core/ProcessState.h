#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <string>
#include <vector>

namespace vantor::core {

// What the whole process consults while it runs: the re-entry guards of the check and the watch, the
// start-up flags and the context that a running check hands to the filter engine. Owned by the main window.
struct ProcessState
{
    // The start of the new-mail watch's window before any check has run.
    static QDateTime initialLastCheckTime() { return QDateTime(QDate(1990, 1, 1), QTime(0, 0, 0)); }

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
    // End of the last check or watch poll, whole seconds; the watch counts messages dated at or after it.
    QDateTime lastCheckTime = initialLastCheckTime();

    // Context of the running check, written only by the check cycles.
    int currentAccountRow = 0;
    int currentMessageNumber = 0;
    std::string currentAccountDescription;
    std::string currentProfileName;
    // Timestamped lines of the last check, shown by the report window.
    std::vector<std::string> checkReport;
    // One reason text per preview row.
    std::vector<std::string> previewReasons;
};

} // namespace vantor::core
