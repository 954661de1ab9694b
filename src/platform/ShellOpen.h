#pragma once

#include <QString>
#include <QUrl>

namespace vantor::platform {

// The desktop's "open" verb: links, documents and programs handed to whatever the user's desktop runs for
// them.
class ShellOpen
{
public:
    virtual ~ShellOpen() = default;

    // Opens a web page, a "mailto:" link or a local file with its associated program; false when nothing took
    // it.
    virtual bool openUrl(const QUrl& url) = 0;
    // Starts a program with no arguments, detached from this process; false when it could not be started.
    virtual bool runProgram(const QString& path) = 0;
};

} // namespace vantor::platform
