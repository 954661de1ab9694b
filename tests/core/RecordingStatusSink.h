#pragma once

#include "core/program/StatusSink.h"

#include <QList>
#include <QStringList>

namespace vantor::test {

// The status bar and tray icon as a list of what they were told, in order.
class RecordingStatusSink : public core::StatusSink
{
public:
    void setAccountProgress(int current, int total) override;
    void setMessageProgress(int current, int count) override;
    void resetProgress() override { progress.append(QStringLiteral("reset")); }
    void setStatusText(const QString& text) override { texts.append(text); }
    void setTrayState(core::TrayState state) override { trayStates.append(state); }

    // "accounts i/n" and "messages i/m", and "reset".
    QStringList progress;
    QStringList texts;
    QList<core::TrayState> trayStates;
};

} // namespace vantor::test
