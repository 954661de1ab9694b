#include "RecordingStatusSink.h"

namespace vantor::test {

void RecordingStatusSink::setAccountProgress(int current, int total)
{
    progress.append(QStringLiteral("accounts %1/%2").arg(current).arg(total));
}

void RecordingStatusSink::setMessageProgress(int current, int count)
{
    progress.append(QStringLiteral("messages %1/%2").arg(current).arg(count));
}

} // namespace vantor::test
