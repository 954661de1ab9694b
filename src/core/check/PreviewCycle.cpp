#include "core/check/PreviewCycle.h"

#include "base/ErrorCodes.h"
#include "core/check/AccountPass.h"
#include "core/check/CheckEnding.h"
#include "core/check/CheckHost.h"
#include "core/check/CheckLists.h"
#include "core/check/CheckLock.h"
#include "core/check/CheckServices.h"
#include "core/check/Mailbox.h"
#include "core/check/MessageStep.h"
#include "core/check/PreviewMatchStep.h"
#include "core/program/DisplayText.h"
#include "core/program/FormatText.h"
#include "core/program/ProcessState.h"
#include "core/program/StatusSink.h"
#include "filter/FilterEngine.h"
#include "mail/codec/MailDate.h"
#include "mail/mime/MailMessage.h"

#include <QScopeGuard>

namespace vantor::core {

namespace {

// The way of one message through the preview build: judge it, list it ticked when the verdict deletes
// it, keep its reason for the memo, report it. Nothing is deleted.
class JudgeForPreview : public MessageStep
{
public:
    explicit JudgeForPreview(std::vector<std::string>& reasons)
        : m_reasons(reasons)
    {}

    void handleMessage(CheckRun& run, int messageNumber) override
    {
        const std::optional<filter::Judgement> judgement =
            run.judgeMessage(messageNumber, filter::FilterEngine::Mode::Preview);
        if (!judgement)
            return;
        addPreviewRow(run, messageNumber, judgement->verdict.code);
        m_reasons.push_back(judgement->verdict.reasonText);
        run.report(judgement->reportLine);
    }

    void afterSecondListing(CheckRun&) override {}

private:
    static void addPreviewRow(CheckRun& run, int messageNumber, filter::VerdictCode code)
    {
        const mail::mime::MailMessage& message = run.mailbox().message();
        try {
            records::ResultRow row{run.account().description,
                                   static_cast<int>(code),
                                   {message.fromAddress(), message.subject(),
                                    mail::codec::formatListDateTime(message.messageDate())},
                                   run.mailbox().uniqueId(messageNumber)};
            run.lists().preview().addRow(std::move(row), filter::isDeleting(code));
        } catch (const std::exception&) {
            run.logError(base::errorEntry(base::errorcode::PreviewRow, "xxxxxxxxxxx"));
        }
    }

    std::vector<std::string>& m_reasons;
};

} // namespace

PreviewCycle::PreviewCycle(const CheckServices& services, const CheckRun::Tools& tools)
    : m_services(services)
    , m_tools(tools)
{}

CheckGuards::Outcome PreviewCycle::build()
{
    CheckLists& lists = m_tools.lists;
    CheckRun run(m_services, m_tools, lists.previewAccounts(), AccountRowLayout::preview(),
                 base::errorcode::PreviewBuild);
    m_running.emplace(m_services.state);
    // Held while the sessions run, not while the preview waits for the user.
    CheckLock lock(m_services.home);
    if (const CheckGuards::Outcome outcome = CheckGuards::enter(m_services, lock);
        outcome != CheckGuards::Outcome::Passed) {
        m_running.reset();
        return outcome;
    }
    m_services.host.setBusy(true);
    m_services.host.showPage(CheckPage::Preview);
    m_services.status.setTrayState(TrayState::PreviewBuilding);
    run.clearReport();
    m_reasons.clear();
    lists.preview().clear();
    lists.previewAccounts().clear();
    m_services.host.setPreviewMemo(memoText(-1));
    m_services.host.setPreviewButtons(false, false);
    m_services.host.setControlsEnabled(false);

    JudgeForPreview step(m_reasons);
    AccountPass(run, {false, false}).run(step);

    listChanged();
    m_services.status.setStatusText(m_services.uiText("Message", "016"));
    m_services.status.resetProgress();
    m_services.status.setTrayState(TrayState::PreviewWaiting);
    m_services.host.setPreviewButtons(!lists.preview().isEmpty(), true);
    m_services.host.setBusy(false);
    m_isWaiting = true;
    return CheckGuards::Outcome::Passed;
}

void PreviewCycle::finish()
{
    if (!m_isWaiting)
        return;
    if (m_services.state.watchRunning) {
        // Leaving the preview page now would strand the user with no Finish or Abort to press.
        m_services.showError("034");
        return;
    }
    m_isWaiting = false;
    m_services.host.setBusy(true);
    m_services.host.showPage(CheckPage::ResultLists);
    m_services.status.setTrayState(TrayState::Filtering);
    CheckLock lock(m_services.home);
    const CheckGuards::Outcome outcome = CheckGuards::enter(m_services, lock);
    if (outcome == CheckGuards::Outcome::Locked) {
        keepWaiting();
        return;
    }
    if (outcome != CheckGuards::Outcome::Passed) {
        endRefusedFinish();
        return;
    }
    // The check ends with the finish, however the finish ends.
    const auto release = qScopeGuard([this] { m_running.reset(); });
    finishAccounts();
}

void PreviewCycle::finishAccounts()
{
    CheckLists& lists = m_tools.lists;
    CheckRun run(m_services, m_tools, lists.accounts(), AccountRowLayout::automatic(),
                 base::errorcode::PreviewFinish);
    run.createBackupFolder();
    run.clearReport();
    lists.kept().clear();
    lists.deleted().clear();
    lists.accounts().clear();
    const CheckEnding::Settings settings = CheckEnding::Settings::read(m_services.home);

    PreviewMatchStep step;
    AccountPass(run, {true, settings.logTotals}).run(step);
    CheckEnding::run(run, settings);
}

void PreviewCycle::endRefusedFinish()
{
    // The build disabled the window; a Finish that cannot run must give it back, or nothing could start
    // the next check.
    m_services.host.setControlsEnabled(true);
    m_services.status.setTrayState(TrayState::Idle);
    m_services.status.setStatusText(m_services.uiText("Message", "016"));
    m_services.host.setBusy(false);
    m_running.reset();
}

void PreviewCycle::keepWaiting()
{
    // Another check holds the home directory for a while; the user's ticks must survive for a second try.
    m_services.host.showPage(CheckPage::Preview);
    m_services.status.setTrayState(TrayState::PreviewWaiting);
    m_services.host.setBusy(false);
    m_isWaiting = true;
}

void PreviewCycle::abort()
{
    if (!m_isWaiting)
        return;
    m_isWaiting = false;
    m_services.host.showPage(CheckPage::ResultLists);
    m_services.host.setControlsEnabled(true);
    m_services.status.setTrayState(TrayState::Idle);
    m_tools.lists.previewAccounts().clear();
    m_tools.lists.preview().clear();
    m_reasons.clear();
    m_services.host.setPreviewMemo(memoText(-1));
    listChanged();
    m_running.reset();
}

QString PreviewCycle::tallyText() const
{
    const ResultListModel& preview = m_tools.lists.preview();
    const int ticked = preview.tickedCount();
    return fillPlaceholders(
        m_services.uiText("Label", "011"),
        {QString::number(preview.size()), QString::number(preview.size() - ticked), QString::number(ticked)});
}

QString PreviewCycle::memoText(int row) const
{
    if (row < 0 || row >= static_cast<int>(m_reasons.size()))
        return m_services.uiText("Label", "012");
    return displayText(m_reasons[static_cast<std::size_t>(row)]);
}

void PreviewCycle::listChanged()
{
    m_services.host.setPreviewTally(tallyText());
}

} // namespace vantor::core
