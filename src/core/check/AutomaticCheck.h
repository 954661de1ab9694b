#pragma once

#include "core/check/CheckGuards.h"
#include "core/check/CheckRun.h"

namespace vantor::core {

// The automatic check: every checked account is listed, each message judged by the filter engine and the
// spam deleted at once; a second listing shows what is left. Fills the three lists of the result page, the
// check report, the error log, emails.log, backup.bak and the EBak copies.
class AutomaticCheck
{
public:
    // Runs from start to end; returns early (after its error box) when a guard refuses.
    static CheckGuards::Outcome run(const CheckServices& services, const CheckRun::Tools& tools);
};

} // namespace vantor::core
