#pragma once

#include <QString>

namespace vantor::core {

// fileName + "." + ext, unless fileName already ends with "." + ext compared without regard to letter case.
// Every save command passes its chosen name through here ("report" -> "report.txt", "REPORT.TXT" unchanged).
QString ensureExtension(const QString& fileName, const QString& ext);

} // namespace vantor::core
