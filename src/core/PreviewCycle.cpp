#include "core/PreviewCycle.h"

#include "base/ErrorCodes.h"
#include "core/AccountPass.h"
#include "core/CheckContext.h"
#include "core/CheckEnding.h"
#include "core/CheckGuards.h"
#include "core/CheckHost.h"
#include "core/CheckLock.h"
#include "core/DisplayText.h"
#include "core/EngineStep.h"
#include "core/FormatText.h"
#include "core/PreviewMatchStep.h"
#include "core/ProcessState.h"
#include "core/StatusSink.h"

namespace vantor::core {

PreviewCycle::PreviewCycle(const CheckContext& context, CheckFilterActions& actions,
                           records::DeletedMessageRecorder& recorder)
    : m_context(context)
    , m_actions(actions)
    , m_recorder(recorder)
{}

CheckGuards::Outcome PreviewCycle::build()
{
    // Held while the sessions run, not while the preview waits for the user.
    CheckLock lock(m_context.env().home);
    if (const CheckGuards::Outcome outcome = CheckGuards::enter(m_context, lock);
        outcome != CheckGuards::Outcome::Passed)
        return outcome;
    const CheckEnvironment& env = m_context.env();
    CheckLists& lists = m_context.lists();
    env.host.setBusy(true);
    env.host.showPage(CheckPage::Preview);
    env.status.setTrayState(TrayState::PreviewBuilding);
    env.state.checkReport.clear();
    env.state.previewReasons.clear();
    lists.preview().clear();
    lists.previewAccounts().clear();
    env.host.setPreviewMemo(memoText(-1));
    env.host.setPreviewButtons(false, false);
    env.host.setControlsEnabled(false);

    EngineStep step(m_context, m_actions, filter::FilterEngine::Mode::Preview, base::errorcode::PreviewBuild);
    AccountPass pass(m_context, m_actions,
                     {lists.previewAccounts(), AccountRowLayout::preview(), base::errorcode::PreviewBuild,
                      false, m_context.passwordPrompt(), false});
    pass.run(step);

    listChanged();
    env.status.setStatusText(m_context.uiText("Message", "016"));
    env.status.resetProgress();
    env.status.setTrayState(TrayState::PreviewWaiting);
    env.host.setPreviewButtons(!lists.preview().isEmpty(), true);
    env.host.setBusy(false);
    m_isWaiting = true;
    return CheckGuards::Outcome::Passed;
}

void PreviewCycle::finish()
{
    if (!m_isWaiting)
        return;
    const CheckEnvironment& env = m_context.env();
    if (env.state.watchRunning) {
        // Leaving the preview page now would strand the user with no Finish or Abort to press.
        m_context.showError("034");
        return;
    }
    m_isWaiting = false;
    env.host.setBusy(true);
    env.host.showPage(CheckPage::ResultLists);
    env.status.setTrayState(TrayState::Filtering);
    CheckLock lock(env.home);
    const CheckGuards::Outcome outcome = CheckGuards::enter(m_context, lock);
    if (outcome == CheckGuards::Outcome::Locked) {
        keepWaiting();
        return;
    }
    if (outcome != CheckGuards::Outcome::Passed) {
        endRefusedFinish();
        return;
    }
    finishAccounts();
}

void PreviewCycle::finishAccounts()
{
    const CheckEnvironment& env = m_context.env();
    CheckLists& lists = m_context.lists();
    m_context.createBackupFolder();
    env.state.checkReport.clear();
    lists.kept().clear();
    lists.deleted().clear();
    lists.accounts().clear();
    const CheckEnding::Settings settings = CheckEnding::Settings::read(env.home);

    PreviewMatchStep step(m_context, m_recorder);
    AccountPass pass(m_context, m_actions,
                     {lists.accounts(), AccountRowLayout::automatic(), base::errorcode::PreviewFinish, true,
                      m_context.passwordPrompt(), settings.logTotals});
    pass.run(step);
    CheckEnding(m_context).run(settings);
}

void PreviewCycle::endRefusedFinish()
{
    // The build disabled the window; a Finish that cannot run must give it back, or nothing could start
    // the next check.
    const CheckEnvironment& env = m_context.env();
    env.host.setControlsEnabled(true);
    env.status.setTrayState(TrayState::Idle);
    env.status.setStatusText(m_context.uiText("Message", "016"));
    env.host.setBusy(false);
    env.state.checkRunning = false;
}

void PreviewCycle::keepWaiting()
{
    // Another check holds the home directory for a while; the user's ticks must survive for a second try.
    const CheckEnvironment& env = m_context.env();
    env.state.checkRunning = true;
    env.host.showPage(CheckPage::Preview);
    env.status.setTrayState(TrayState::PreviewWaiting);
    env.host.setBusy(false);
    m_isWaiting = true;
}

void PreviewCycle::abort()
{
    if (!m_isWaiting)
        return;
    m_isWaiting = false;
    const CheckEnvironment& env = m_context.env();
    env.host.showPage(CheckPage::ResultLists);
    env.host.setControlsEnabled(true);
    env.status.setTrayState(TrayState::Idle);
    m_context.lists().previewAccounts().clear();
    m_context.lists().preview().clear();
    env.state.previewReasons.clear();
    env.host.setPreviewMemo(memoText(-1));
    listChanged();
    env.state.checkRunning = false;
}

QString PreviewCycle::tallyText() const
{
    const ResultListModel& preview = m_context.lists().preview();
    const int ticked = preview.tickedCount();
    return fillPlaceholders(
        m_context.uiText("Label", "011"),
        {QString::number(preview.size()), QString::number(preview.size() - ticked), QString::number(ticked)});
}

QString PreviewCycle::memoText(int row) const
{
    const std::vector<std::string>& reasons = m_context.state().previewReasons;
    if (row < 0 || row >= static_cast<int>(reasons.size()))
        return m_context.uiText("Label", "012");
    return displayText(reasons[static_cast<std::size_t>(row)]);
}

void PreviewCycle::listChanged()
{
    m_context.env().host.setPreviewTally(tallyText());
}

} // namespace vantor::core
