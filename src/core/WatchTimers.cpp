#include "core/WatchTimers.h"

#include <algorithm>

namespace vantor::core {

WatchTimers::WatchTimers(QObject* parent)
    : QObject(parent)
{
    m_timerAD.setObjectName(QStringLiteral("TimerAD"));
    m_timerAD2.setObjectName(QStringLiteral("TimerAD2"));
}

void WatchTimers::setIntervalMinutes(int minutes)
{
    const int interval = std::clamp(minutes, MinMinutes, MaxMinutes) * 60000;
    m_timerAD.setInterval(interval);
    m_timerAD2.setInterval(interval);
}

bool WatchTimers::applyMode(bool automatic, bool active)
{
    if (!automatic) {
        m_timerAD.stop();
        m_timerAD2.stop();
        return false;
    }
    return startIfAutomatic(automatic, active);
}

bool WatchTimers::startIfAutomatic(bool automatic, bool active)
{
    if (!automatic)
        return false;
    QTimer& start = active ? m_timerAD : m_timerAD2;
    QTimer& stop = active ? m_timerAD2 : m_timerAD;
    stop.stop();
    start.start();
    return true;
}

} // namespace vantor::core
