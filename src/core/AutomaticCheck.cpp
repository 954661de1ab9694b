#include "core/AutomaticCheck.h"

#include "base/ErrorCodes.h"
#include "core/AccountPass.h"
#include "core/CheckContext.h"
#include "core/CheckEnding.h"
#include "core/CheckGuards.h"
#include "core/CheckHost.h"
#include "core/CheckLock.h"
#include "core/EngineStep.h"
#include "core/ProcessState.h"
#include "core/StatusSink.h"

namespace vantor::core {

AutomaticCheck::AutomaticCheck(const CheckContext& context, CheckFilterActions& actions)
    : m_context(context)
    , m_actions(actions)
{}

CheckGuards::Outcome AutomaticCheck::run()
{
    CheckLock lock(m_context.env().home);
    if (const CheckGuards::Outcome outcome = CheckGuards::enter(m_context, lock);
        outcome != CheckGuards::Outcome::Passed)
        return outcome;
    const CheckEnvironment& env = m_context.env();
    CheckLists& lists = m_context.lists();
    env.host.setBusy(true);
    m_context.createBackupFolder();
    env.status.setTrayState(TrayState::Filtering);
    env.state.checkReport.clear();
    env.host.showPage(CheckPage::ResultLists);
    env.host.setControlsEnabled(false);
    lists.kept().clear();
    lists.deleted().clear();
    lists.accounts().clear();
    const CheckEnding::Settings settings = CheckEnding::Settings::read(env.home);

    EngineStep step(m_context, m_actions, filter::FilterEngine::Mode::Automatic,
                    base::errorcode::AutomaticCheck);
    AccountPass pass(m_context, m_actions,
                     {lists.accounts(), AccountRowLayout::automatic(), base::errorcode::AutomaticCheck, true,
                      m_context.passwordPrompt(), settings.logTotals});
    pass.run(step);
    CheckEnding(m_context).run(settings);
    return CheckGuards::Outcome::Passed;
}

} // namespace vantor::core
