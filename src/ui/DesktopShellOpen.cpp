#include "ui/DesktopShellOpen.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>

namespace vantor::ui {

bool DesktopShellOpen::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

bool DesktopShellOpen::runProgram(const QString& path)
{
    // Started in its own directory, as the desktop does when the user opens a program.
    return QProcess::startDetached(path, {}, QFileInfo(path).absolutePath());
}

} // namespace vantor::ui
