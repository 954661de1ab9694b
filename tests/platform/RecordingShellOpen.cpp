#include "RecordingShellOpen.h"

namespace vantor::test {

bool RecordingShellOpen::openUrl(const QUrl& url)
{
    openedUrls.append(url);
    return urlOpens;
}

bool RecordingShellOpen::runProgram(const QString& path)
{
    startedPrograms.append(path);
    return programStarts;
}

} // namespace vantor::test
