#include "RecordingCheckHost.h"

namespace vantor::test {

void RecordingCheckHost::setControlsEnabled(bool enabled)
{
    areControlsEnabled = enabled;
    controlChanges.append(enabled ? QStringLiteral("on") : QStringLiteral("off"));
}

void RecordingCheckHost::setPreviewButtons(bool finish, bool abort)
{
    isFinishEnabled = finish;
    isAbortEnabled = abort;
}

void RecordingCheckHost::showBalloon(const QString& title, const QString& text, int timeoutMs)
{
    balloons.append(title + QLatin1Char('|') + text + QLatin1Char('|') + QString::number(timeoutMs));
}

} // namespace vantor::test
