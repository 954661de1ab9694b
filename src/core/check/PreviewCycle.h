#pragma once

#include "core/check/CheckGuards.h"
#include "core/check/CheckRun.h"

#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace vantor::core {

// Preview mode: the build lists every message of the checked accounts with the engine's verdict, ticked
// when the engine would delete it, and waits; Finish deletes the ticked messages, found again by account,
// sender, subject and date; Abort drops the preview. The check counts as running from the build to Finish
// or Abort.
class PreviewCycle
{
public:
    PreviewCycle(const CheckServices& services, const CheckRun::Tools& tools);

    // BuildPreview. Ends waiting for the user, unless a guard refused.
    CheckGuards::Outcome build();
    // FinishPreview; ignored unless the preview waits. While a watch poll runs it shows the error box and
    // keeps waiting. Offline or without account.vta it shows the error box and ends the preview with the
    // window enabled again, the preview list kept and nothing deleted.
    void finish();
    // AbortPreview; ignored unless the preview waits. Nothing is deleted or logged.
    void abort();

    bool isWaiting() const { return m_isWaiting; }
    // Label7: "Total emails %d: %d read and %d delete" with rows, unticked rows and ticked rows.
    QString tallyText() const;
    // PreviewMemo for the selected row: its reason, or the hint when row is -1 (or has no reason).
    QString memoText(int row) const;
    // PreviewListChange: rewrites Label7.
    void listChanged();

private:
    void finishAccounts();
    void endRefusedFinish();
    void keepWaiting();

    const CheckServices& m_services;
    CheckRun::Tools m_tools;
    // One reason text per preview row.
    std::vector<std::string> m_reasons;
    std::optional<RunningCheck> m_running;
    bool m_isWaiting = false;
};

} // namespace vantor::core
