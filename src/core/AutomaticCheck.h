#pragma once

#include "core/CheckGuards.h"

namespace vantor::core {

class CheckContext;
class CheckFilterActions;

// The automatic check: every checked account is listed, each message judged by the filter engine, which
// deletes the spam at once; a second listing shows what is left. Fills the three lists of the result page,
// the check report, the error log, emails.log, backup.bak and the EBak copies.
class AutomaticCheck
{
public:
    AutomaticCheck(const CheckContext& context, CheckFilterActions& actions);

    // Runs from start to end; returns early (after its error box) when a guard refuses.
    CheckGuards::Outcome run();

private:
    const CheckContext& m_context;
    CheckFilterActions& m_actions;
};

} // namespace vantor::core
