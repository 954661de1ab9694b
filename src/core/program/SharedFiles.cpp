#include "core/program/SharedFiles.h"

#include <QDir>
#include <QFileInfo>

namespace vantor::core {

SharedFiles::SharedFiles(const QString& executableDir)
    : m_executableDir(QDir(executableDir).absolutePath())
{}

QString SharedFiles::find(const QString& relative) const
{
    // A copy beside the program wins, so that a portable or freshly built program shows its own files even
    // where an older version is installed.
    const QDir executable(m_executableDir);
    for (const QString& candidate :
         {executable.filePath(relative),
          QDir::cleanPath(executable.filePath(QStringLiteral("../share/emailvantor/") + relative))}) {
        const QFileInfo info(candidate);
        if (info.exists())
            return info.absoluteFilePath();
    }
    return {};
}

} // namespace vantor::core
