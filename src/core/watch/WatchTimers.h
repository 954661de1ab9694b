#pragma once

#include <QObject>
#include <QTimer>

namespace vantor::core {

// The two timers of the timed work (object names TimerAD and TimerAD2): the watch timer runs the new-mail
// watch, the check timer the timed check. Both tick every [Notify] Time minutes; at most one of them runs.
class WatchTimers : public QObject
{
    Q_OBJECT

public:
    // The range the settings dialog offers; a hand-edited file outside it is held to it, so a Time of 0
    // cannot make a timer fire without pause.
    static constexpr int MinMinutes = 1;
    static constexpr int MaxMinutes = 45;

    explicit WatchTimers(QObject* parent = nullptr);

    QTimer& watchTimer() { return m_watchTimer; }
    QTimer& checkTimer() { return m_checkTimer; }

    // Sets both intervals to minutes (held to 1..45) x 60000 ms.
    void setIntervalMinutes(int minutes);
    // The automatic mode as the settings dialog applies it: when automatic, start the watch timer (active)
    // or the check timer and stop the other; otherwise stop both. Returns automatic, the check mark of the
    // menu item "Notify new emails".
    bool applyMode(bool automatic, bool active);
    // The start-up rule: only an automatic mode starts a timer; otherwise both stay as they are.
    bool startIfAutomatic(bool automatic, bool active);

private:
    QTimer m_watchTimer;
    QTimer m_checkTimer;
};

} // namespace vantor::core
