#pragma once

#include "core/check/CheckGuards.h"
#include "core/check/CheckLists.h"
#include "core/check/CheckMode.h"
#include "core/check/CheckServices.h"
#include "core/check/PreviewCycle.h"
#include "filter/FilterEngine.h"
#include "records/DeletedMessageRecorder.h"

#include <QObject>

#include <string>
#include <vector>

namespace vantor::core {

// The checks without the window: the automatic check, the preview build with its Finish and Abort, and
// the lists they fill. The window hosts one, shows its lists and forwards its commands; the new-mail watch
// shares its services and starts checks through it.
class CheckController : public QObject
{
    Q_OBJECT

public:
    // services must outlive the controller.
    explicit CheckController(const CheckServices& services, QObject* parent = nullptr);

    const CheckServices& services() const { return m_services; }
    CheckLists& lists() { return m_lists; }
    // The report of the last check that went ahead, as the report window shows it.
    const std::vector<std::string>& lastReport() const { return m_report; }

    // The check in the given mode; ignored (Passed) while a check (or a preview wait) runs, so nothing
    // ever starts a second check over the same mailbox.
    CheckGuards::Outcome startCheck(CheckMode mode);
    // FinishBtn and AbortBtn.
    void finishPreview();
    void abortPreview();
    bool isPreviewWaiting() const { return m_preview.isWaiting(); }
    // The user selected preview row row (-1: none): its reason goes to PreviewMemo.
    void selectPreviewRow(int row);
    // Label7's text for the preview list as it is now.
    QString previewTally() const { return m_preview.tallyText(); }

    // A session with a server may be under way: a check, a preview build or Finish, not a preview that
    // waits for the user.
    bool isCheckUnderWay() const;
    // The program is ending: the running session is aborted at once (no further command, no QUIT, so the
    // server keeps every message), and nothing more is started.
    void shutDown();

private:
    const CheckServices& m_services;
    CheckLists m_lists;
    filter::FilterEngine m_engine;
    records::DeletedMessageRecorder m_recorder;
    std::vector<std::string> m_report;
    CheckRun::Tools m_tools;
    PreviewCycle m_preview;
};

} // namespace vantor::core
