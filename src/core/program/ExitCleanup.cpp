#include "core/program/ExitCleanup.h"

#include "records/ClearBackups.h"

namespace vantor::core {

bool ExitCleanup::removesBackups(EndReason reason, bool deleteBackupOnExit)
{
    const bool isOrderlyExit = reason == EndReason::WindowClose || reason == EndReason::MenuExit;
    return isOrderlyExit && deleteBackupOnExit;
}

void ExitCleanup::run(EndReason reason, bool deleteBackupOnExit, const HomeDirectory& home)
{
    if (removesBackups(reason, deleteBackupOnExit))
        records::clearBackups(home.nativeDir());
}

} // namespace vantor::core
