#include "core/program/EnsureExtension.h"

namespace vantor::core {

QString ensureExtension(const QString& fileName, const QString& ext)
{
    const QString suffix = QLatin1Char('.') + ext;
    if (fileName.endsWith(suffix, Qt::CaseInsensitive))
        return fileName;
    return fileName + suffix;
}

} // namespace vantor::core
