#include "core/watch/WatchTimers.h"

#include <algorithm>

namespace vantor::core {

WatchTimers::WatchTimers(QObject* parent)
    : QObject(parent)
{
    m_watchTimer.setObjectName(QStringLiteral("TimerAD"));
    m_checkTimer.setObjectName(QStringLiteral("TimerAD2"));
}

void WatchTimers::setIntervalMinutes(int minutes)
{
    const int interval = std::clamp(minutes, MinMinutes, MaxMinutes) * 60000;
    m_watchTimer.setInterval(interval);
    m_checkTimer.setInterval(interval);
}

bool WatchTimers::applyMode(bool automatic, bool active)
{
    if (!automatic) {
        m_watchTimer.stop();
        m_checkTimer.stop();
        return false;
    }
    return startIfAutomatic(automatic, active);
}

bool WatchTimers::startIfAutomatic(bool automatic, bool active)
{
    if (!automatic)
        return false;
    QTimer& start = active ? m_watchTimer : m_checkTimer;
    QTimer& stop = active ? m_checkTimer : m_watchTimer;
    stop.stop();
    start.start();
    return true;
}

} // namespace vantor::core
