#pragma once

#include <QString>

namespace vantor::core {

// The two inner pages of the first tab that a check switches between.
enum class CheckPage
{
    // The result lists: kept messages, deleted messages and the account list.
    ResultLists,
    // The preview list with its reasons, its account list, the tally and Finish / Abort.
    Preview
};

// What a running check asks of the window around it: the look of the controls while it runs, the preview
// page's widgets, and the modal windows it opens. The main window implements it; the command-line check
// and the tests have their own.
class CheckHost
{
public:
    virtual ~CheckHost() = default;

    // Hourglass cursor while a check works, the normal one when it waits or ends.
    virtual void setBusy(bool busy) = 0;
    // CheckBtn, AccountBtn, the menu items Accounts and Import Accounts, EMailInfoBtn and the page control:
    // disabled while a check runs, so nothing starts a second check or changes the accounts meanwhile.
    virtual void setControlsEnabled(bool enabled) = 0;
    virtual void showPage(CheckPage page) = 0;
    // FinishBtn and AbortBtn of the preview page.
    virtual void setPreviewButtons(bool finishEnabled, bool abortEnabled) = 0;
    // PreviewMemo: the reason of the selected preview row, or the hint when none is selected.
    virtual void setPreviewMemo(const QString& text) = 0;
    // Label7: "Total emails %d: %d read and %d delete" filled in.
    virtual void setPreviewTally(const QString& text) = 0;
    // Redraw the statistics chart from emails.log.
    virtual void refreshChart() = 0;

    // The account manager, modally, when there is no account file yet.
    virtual void openAccountManager() = 0;
    // The "Last Report" window, modally, after a check when [General] Report is set.
    virtual void showLastReport() = 0;
    // Start the mail client at path (the shell's "open" verb) after a check when [EMailClient] AutoClient is
    // set.
    virtual void runMailClient(const QString& path) = 0;
};

} // namespace vantor::core
