#include "core/watch/WatchController.h"

#include "core/check/CheckController.h"
#include "core/program/FormatText.h"
#include "core/program/HomeDirectory.h"
#include "core/program/ProcessState.h"
#include "core/program/SettingsFile.h"
#include "core/watch/WatchHost.h"
#include "platform/ConnectionDetector.h"

namespace vantor::core {

WatchController::WatchController(CheckController& checks, WatchHost& host, QObject* parent)
    : QObject(parent)
    , m_checks(checks)
    , m_host(host)
    , m_watch(checks.services())
{
    connect(&m_timers.watchTimer(), &QTimer::timeout, this, &WatchController::watchPoll);
    connect(&m_timers.checkTimer(), &QTimer::timeout, this, &WatchController::timedCheck);
}

void WatchController::armAtStartUp()
{
    const SettingsFile settings(m_checks.services().home);
    m_timers.setIntervalMinutes(settings.read(storage::NotifyTime));
    if (m_timers.startIfAutomatic(settings.read(storage::NotifyAutomatic),
                                  settings.read(storage::NotifyActive)))
        setNotifyChecked(true);
}

void WatchController::setupWatchTimers()
{
    const SettingsFile settings(m_checks.services().home);
    m_timers.setIntervalMinutes(settings.read(storage::NotifyTime));
    setNotifyChecked(
        m_timers.applyMode(settings.read(storage::NotifyAutomatic), settings.read(storage::NotifyActive)));
}

bool WatchController::isIdleAndOnline() const
{
    const CheckServices& services = m_checks.services();
    return services.detector.isOnline() && !services.state.checkRunning;
}

void WatchController::watchPoll()
{
    if (!isIdleAndOnline())
        return;
    // Stopped while it polls, so that a slow server cannot make the poll run into itself.
    m_timers.watchTimer().stop();
    const int newCount = m_watch.poll();
    setupWatchTimers();
    notify(newCount);
}

void WatchController::notify(int newCount)
{
    const SettingsFile settings(m_checks.services().home);
    const CheckServices& services = m_checks.services();
    if (settings.read(storage::NotifyMessage) && newCount > 0) {
        const QString text =
            newCount == 1 ? services.uiText("Message", "003")
                          : fillPlaceholders(services.uiText("Message", "004"), {QString::number(newCount)});
        m_host.showBalloon(BalloonTitle, text, BalloonMs);
    }
    if (newCount <= 0)
        return;
    if (settings.read(storage::NotifyPlay))
        m_host.playNotifySound();
    if (settings.read(storage::NotifyAutoCheck))
        m_checks.startCheck(settings.read(storage::NotifyAutomaticMode) ? CheckMode::Automatic
                                                                        : CheckMode::Preview);
}

void WatchController::timedCheck()
{
    if (!isIdleAndOnline())
        return;
    m_timers.checkTimer().stop();
    const bool automatic = SettingsFile(m_checks.services().home).read(storage::NotifyAutomaticMode);
    m_checks.startCheck(automatic ? CheckMode::Automatic : CheckMode::Preview);
    setupWatchTimers();
}

void WatchController::toggleNotify()
{
    SettingsFile settings(m_checks.services().home);
    if (m_isNotifyChecked) {
        setNotifyChecked(false);
        settings.write(storage::NotifyAutomatic, false);
        m_timers.watchTimer().stop();
        m_timers.checkTimer().stop();
    } else {
        setNotifyChecked(true);
        m_timers.setIntervalMinutes(settings.read(storage::NotifyTime));
        QTimer& timer = settings.read(storage::NotifyActive) ? m_timers.watchTimer() : m_timers.checkTimer();
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
