#include "core/check/AutomaticCheck.h"

#include "base/ErrorCodes.h"
#include "core/check/AccountPass.h"
#include "core/check/CheckEnding.h"
#include "core/check/CheckHost.h"
#include "core/check/CheckLists.h"
#include "core/check/CheckLock.h"
#include "core/check/CheckRun.h"
#include "core/check/CheckServices.h"
#include "core/check/Mailbox.h"
#include "core/check/MessageStep.h"
#include "core/program/ProcessState.h"
#include "core/program/SettingsFile.h"
#include "core/program/StatusSink.h"
#include "filter/FilterEngine.h"
#include "mail/mime/MailMessage.h"
#include "records/DeletedMessageRecorder.h"
#include "storage/IniError.h"
#include "storage/SettingKeys.h"

namespace vantor::core {

namespace {

// The way of one message through the automatic check, once its header is fetched: judge it, and for spam
// back it up, delete it and hold its record until the session's QUIT is acknowledged; report it.
class JudgeAndDelete : public MessageStep
{
public:
    void handleMessage(CheckRun& run, int messageNumber) override
    {
        const std::optional<filter::Judgement> judgement =
            run.judgeMessage(messageNumber, filter::FilterEngine::Mode::Automatic);
        if (!judgement)
            return;
        const filter::VerdictCode code = judgement->verdict.code;
        if (!filter::isDeleting(code)) {
            run.report(judgement->reportLine);
            return;
        }
        // A black-listed sender is reported before its message goes, every other verdict after.
        if (code == filter::VerdictCode::BlackList)
            run.report(judgement->reportLine);
        deleteMessage(run, messageNumber, code);
        if (code != filter::VerdictCode::BlackList)
            run.report(judgement->reportLine);
    }

    void afterSecondListing(CheckRun&) override {}

private:
    static void deleteMessage(CheckRun& run, int messageNumber, filter::VerdictCode code)
    {
        // The recorder fetches the message again for its backup and its row, so it runs before DELE.
        records::DeletedMessageRecorder::Recording recording = run.recorder().recordDeletedMessage(
            messageNumber, static_cast<int>(code), run.account().description);
        if (!recording.mayDelete) {
            run.deletions().keepForBackup();
            return;
        }
        if (!run.deleteOnServer(messageNumber))
            return;
        // Listed as deleted and stored in backup.bak only once the server acknowledges QUIT: a message that
        // stays on the server must not show as deleted.
        if (recording.row)
            run.deletions().add(std::move(*recording.row));
    }
};

// With whole-message backups, every message the check will delete is fetched whole first: telling the
// mailbox which ones lets a server that pipelines send them a window at a time. The guess is the engine's
// own decision, so it is the same the step will reach.
Mailbox::RetrievePrediction backupPrediction(const CheckServices& services, CheckRun& run)
{
    const SettingsFile settings(services.home);
    if (!settings.read(storage::BackupActive) || !settings.read(storage::BackupAllMessage))
        return {};
    return [&run](int messageNumber, const mail::mime::MailMessage& header) {
        try {
            const filter::FilterEngine::Evaluation evaluation = run.engine().evaluate(
                header, run.mailbox().messageSize(messageNumber), run.account().profile);
            return filter::isDeleting(evaluation.verdict.code);
        } catch (const storage::IniError&) {
            return false;
        }
    };
}

// The prediction holds for this check only.
class PredictionScope
{
public:
    PredictionScope(Mailbox& mailbox, Mailbox::RetrievePrediction prediction)
        : m_mailbox(mailbox)
    {
        m_mailbox.setRetrievePrediction(std::move(prediction));
    }
    ~PredictionScope() { m_mailbox.setRetrievePrediction({}); }
    PredictionScope(const PredictionScope&) = delete;
    PredictionScope& operator=(const PredictionScope&) = delete;

private:
    Mailbox& m_mailbox;
};

} // namespace

CheckGuards::Outcome AutomaticCheck::run(const CheckServices& services, const CheckRun::Tools& tools)
{
    CheckRun run(services, tools, tools.lists.accounts(), AccountRowLayout::automatic(),
                 base::errorcode::AutomaticCheck);
    const RunningCheck running(services.state);
    CheckLock lock(services.home);
    if (const CheckGuards::Outcome outcome = CheckGuards::enter(services, lock);
        outcome != CheckGuards::Outcome::Passed)
        return outcome;
    CheckLists& lists = run.lists();
    services.host.setBusy(true);
    run.createBackupFolder();
    services.status.setTrayState(TrayState::Filtering);
    run.clearReport();
    services.host.showPage(CheckPage::ResultLists);
    services.host.setControlsEnabled(false);
    lists.kept().clear();
    lists.deleted().clear();
    lists.accounts().clear();
    const CheckEnding::Settings settings = CheckEnding::Settings::read(services.home);

    JudgeAndDelete step;
    {
        const PredictionScope prediction(run.mailbox(), backupPrediction(services, run));
        AccountPass(run, {true, settings.logTotals}).run(step);
    }
    CheckEnding::run(run, settings);
    return CheckGuards::Outcome::Passed;
}

} // namespace vantor::core
