#pragma once

#include "core/program/TrayState.h"

#include <QString>

namespace vantor::core {

// Where a running check or watch reports its progress: the status bar's gauges and text, and the tray icon.
// The main window implements it; tests record the calls.
class StatusSink
{
public:
    virtual ~StatusSink() = default;

    // Accounts gauge: "current/total" and a bar at current*100/total percent.
    virtual void setAccountProgress(int current, int total) = 0;
    // Messages gauge: "current/count" and a bar at current*100/count percent.
    virtual void setMessageProgress(int current, int count) = 0;
    // Both gauges back to "0" and 0 %, the idle look.
    virtual void resetProgress() = 0;
    // The status text of the last panel ("Ready" when idle).
    virtual void setStatusText(const QString& text) = 0;
    virtual void setTrayState(TrayState state) = 0;
};

} // namespace vantor::core
