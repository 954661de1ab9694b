#pragma once

#include "core/check/CheckHost.h"
#include "core/program/StatusSink.h"

namespace vantor::tools {

// The window's part of a check where there is no window: nothing to enable, show or open. The report and
// the account lines are printed by the program when the check has ended.
class CommandLineHost : public core::CheckHost, public core::StatusSink
{
public:
    void setBusy(bool) override {}
    void setControlsEnabled(bool) override {}
    void showPage(core::CheckPage) override {}
    void setPreviewButtons(bool, bool) override {}
    void setPreviewMemo(const QString&) override {}
    void setPreviewTally(const QString&) override {}
    void refreshChart() override {}
    void openAccountManager() override {}
    void showLastReport() override {}
    // No mail client is started from a script.
    void runMailClient(const QString&) override {}

    void setAccountProgress(int, int) override {}
    void setMessageProgress(int, int) override {}
    void resetProgress() override {}
    void setStatusText(const QString&) override {}
    void setTrayState(core::TrayState) override {}
};

} // namespace vantor::tools
