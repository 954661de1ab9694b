#pragma once

#include "core/check/CheckHost.h"
#include "core/watch/WatchHost.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace vantor::test {

// The window as the check cycles and the watch see it: keeps the last state of every control they set and
// counts the modal requests. An account-manager action lets a test do what the user would do there.
class RecordingCheckHost : public core::CheckHost, public core::WatchHost
{
public:
    void setBusy(bool busy) override { isBusy = busy; }
    void setControlsEnabled(bool enabled) override;
    void showPage(core::CheckPage page) override { this->page = page; }
    void setPreviewButtons(bool finish, bool abort) override;
    void setPreviewMemo(const QString& text) override { memo = text; }
    void setPreviewTally(const QString& text) override { tally = text; }
    void refreshChart() override { ++chartRefreshes; }
    void openAccountManager() override { ++accountManagerOpened; }
    void showLastReport() override { ++reportsShown; }
    void runMailClient(const QString& path) override { mailClients.append(path); }

    void showBalloon(const QString& title, const QString& text, int timeoutMs) override;
    void playNotifySound() override { ++soundsPlayed; }
    void setNotifyChecked(bool checked) override { isNotifyChecked = checked; }

    bool isBusy = false;
    std::optional<bool> areControlsEnabled;
    // Every change of the controls, in order ("off", "on").
    QStringList controlChanges;
    std::optional<core::CheckPage> page;
    bool isFinishEnabled = false;
    bool isAbortEnabled = false;
    QString memo;
    QString tally;
    int chartRefreshes = 0;
    int accountManagerOpened = 0;
    int reportsShown = 0;
    QStringList mailClients;

    // "title|text|timeout" of each balloon.
    QStringList balloons;
    int soundsPlayed = 0;
    bool isNotifyChecked = false;
};

} // namespace vantor::test
