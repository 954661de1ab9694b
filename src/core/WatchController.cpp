#include "core/WatchController.h"

#include "core/CheckController.h"
#include "core/FormatText.h"
#include "core/HomeDirectory.h"
#include "core/ProcessState.h"
#include "core/SettingsFile.h"
#include "core/WatchHost.h"
#include "platform/ConnectionDetector.h"

namespace vantor::core {

WatchController::WatchController(CheckController& checks, WatchHost& host, QObject* parent)
    : QObject(parent)
    , m_checks(checks)
    , m_host(host)
    , m_watch(checks.context())
{
    connect(&m_timers.timerAD(), &QTimer::timeout, this, &WatchController::watchPoll);
    connect(&m_timers.timerAD2(), &QTimer::timeout, this, &WatchController::timedCheck);
}

void WatchController::armAtStartUp()
{
    const SettingsFile settings(m_checks.context().env().home);
    m_timers.setIntervalMinutes(settings.read(storage::NotifyTime));
    if (m_timers.startIfAutomatic(settings.read(storage::NotifyAutomatic),
                                  settings.read(storage::NotifyActive)))
        setNotifyChecked(true);
}

void WatchController::setupWatchTimers()
{
    const SettingsFile settings(m_checks.context().env().home);
    m_timers.setIntervalMinutes(settings.read(storage::NotifyTime));
    setNotifyChecked(
        m_timers.applyMode(settings.read(storage::NotifyAutomatic), settings.read(storage::NotifyActive)));
}

bool WatchController::isIdleAndOnline() const
{
    const CheckEnvironment& env = m_checks.context().env();
    return env.detector.isOnline() && !env.state.checkRunning;
}

void WatchController::watchPoll()
{
    if (!isIdleAndOnline())
        return;
    // Stopped while it polls, so that a slow server cannot make the poll run into itself.
    m_timers.timerAD().stop();
    const int newCount = m_watch.poll();
    setupWatchTimers();
    notify(newCount);
}

void WatchController::notify(int newCount)
{
    const SettingsFile settings(m_checks.context().env().home);
    const CheckContext& context = m_checks.context();
    if (settings.read(storage::NotifyMessage) && newCount > 0) {
        const QString text =
            newCount == 1 ? context.uiText("Message", "003")
                          : fillPlaceholders(context.uiText("Message", "004"), {QString::number(newCount)});
        m_host.showBalloon(BalloonTitle, text, BalloonMs);
    }
    if (newCount <= 0)
        return;
    if (settings.read(storage::NotifyPlay))
        m_host.playNotifySound();
    if (settings.read(storage::NotifyAutoCheck))
        m_checks.startCheck(settings.read(storage::NotifyMode1) ? CheckMode::Automatic : CheckMode::Preview);
}

void WatchController::timedCheck()
{
    if (!isIdleAndOnline())
        return;
    m_timers.timerAD2().stop();
    const bool automatic = SettingsFile(m_checks.context().env().home).read(storage::NotifyMode1);
    m_checks.startCheck(automatic ? CheckMode::Automatic : CheckMode::Preview);
    setupWatchTimers();
}

void WatchController::toggleNotify()
{
    SettingsFile settings(m_checks.context().env().home);
    if (m_isNotifyChecked) {
        setNotifyChecked(false);
        settings.write(storage::NotifyAutomatic, false);
        m_timers.timerAD().stop();
        m_timers.timerAD2().stop();
    } else {
        setNotifyChecked(true);
        m_timers.setIntervalMinutes(settings.read(storage::NotifyTime));
        QTimer& timer = settings.read(storage::NotifyActive) ? m_timers.timerAD() : m_timers.timerAD2();
        timer.start();
        settings.write(storage::NotifyAutomatic, true);
    }
    settings.save();
}

void WatchController::setNotifyChecked(bool checked)
{
    m_isNotifyChecked = checked;
    m_host.setNotifyChecked(checked);
}

} // namespace vantor::core
