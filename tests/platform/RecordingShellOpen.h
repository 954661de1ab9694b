#pragma once

#include "platform/ShellOpen.h"

#include <QList>
#include <QStringList>

namespace vantor::test {

// Remembers what the program asked the desktop to open, and opens nothing.
class RecordingShellOpen : public platform::ShellOpen
{
public:
    bool openUrl(const QUrl& url) override;
    bool runProgram(const QString& path) override;

    QList<QUrl> openedUrls;
    QStringList startedPrograms;
    // What runProgram answers, so a test can play a program that does not start.
    bool programStarts = true;
    // What openUrl answers, so a test can play a desktop that takes no link.
    bool urlOpens = true;
};

} // namespace vantor::test
