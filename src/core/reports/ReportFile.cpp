#include "core/reports/ReportFile.h"

#include <QSaveFile>

namespace vantor::core {

bool ReportFile::write(const QString& path, const std::vector<std::string>& lines)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    for (const std::string& line : lines) {
        file.write(line.data(), static_cast<qint64>(line.size()));
        file.write("\n", 1);
    }
    return file.commit();
}

} // namespace vantor::core
