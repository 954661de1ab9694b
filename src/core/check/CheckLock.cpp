#include "core/check/CheckLock.h"

#include "core/check/Mailbox.h"
#include "core/program/HomeDirectory.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace vantor::core {

namespace {

constexpr int RetryMs = 100;

} // namespace

CheckLock::CheckLock(const HomeDirectory& home)
    : m_file(home.filePath(QLatin1String(FileName)))
{
    // A check may run for many minutes; only a dead owner makes the lock stale, never its age.
    m_file.setStaleLockTime(0);
}

bool CheckLock::acquire(std::chrono::milliseconds patience, const Mailbox& mailbox)
{
    const QDeadlineTimer deadline(patience);
    while (!m_file.tryLock(0)) {
        if (deadline.hasExpired() || mailbox.isShutDown() || m_file.error() == QLockFile::PermissionError)
            return false;
        QEventLoop pause;
        QTimer::singleShot(RetryMs, &pause, &QEventLoop::quit);
        pause.exec();
    }
    return true;
}

} // namespace vantor::core
