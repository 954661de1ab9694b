#pragma once

#include "core/watch/NewMailWatch.h"
#include "core/watch/WatchTimers.h"

#include <QObject>

namespace vantor::core {

class CheckController;
class WatchHost;

// The timed services of [Notify]: the new-mail watch on the watch timer and the timed check on the check
// timer, each every Time minutes, both standing aside while a check runs. The window hosts it and follows
// the check mark of "Notify new emails" through the WatchHost.
class WatchController : public QObject
{
    Q_OBJECT

public:
    inline static const QString BalloonTitle = QStringLiteral("EMail Vantor Notify");
    static constexpr int BalloonMs = 10000;

    WatchController(CheckController& checks, WatchHost& host, QObject* parent = nullptr);

    WatchTimers& timers() { return m_timers; }
    bool isNotifyChecked() const { return m_isNotifyChecked; }

    // Start-up: both intervals from [Notify] Time; with [Notify] Automatic the timer of [Notify] Active
    // starts and the menu item is ticked.
    void armAtStartUp();
    // SetupWatchTimers: intervals, and with Automatic exactly one timer running, otherwise none.
    void setupWatchTimers();
    // WatchPoll (the watch timer): skipped offline or while a check runs.
    void watchPoll();
    // TimedCheck (the check timer): skipped offline or while a check runs.
    void timedCheck();
    // ToggleNotify (the tray item "Notify new emails").
    void toggleNotify();

private:
    bool isIdleAndOnline() const;
    void notify(int newCount);
    void setNotifyChecked(bool checked);

    CheckController& m_checks;
    WatchHost& m_host;
    NewMailWatch m_watch;
    WatchTimers m_timers;
    bool m_isNotifyChecked = false;
};

} // namespace vantor::core
