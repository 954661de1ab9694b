#pragma once

#include "core/program/HomeDirectory.h"

namespace vantor::core {

// The four ways the program ends, and what each leaves behind.
enum class EndReason
{
    // The window's close box with [General] XMinimize off.
    WindowClose,
    // General, Exit.
    MenuExit,
    // The tray menu's Close: at once, the backups stay.
    TrayClose,
    // Log-off or shutdown: the backups stay.
    SessionEnd
};

class ExitCleanup
{
public:
    // Exit and a real window close empty EBak when DeleteBackupOnExit is set; the other ways never do.
    static bool removesBackups(EndReason reason, bool deleteBackupOnExit);
    // Empties EBak below home when removesBackups() says so.
    static void run(EndReason reason, bool deleteBackupOnExit, const HomeDirectory& home);
};

} // namespace vantor::core
