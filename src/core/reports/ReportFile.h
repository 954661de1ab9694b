#pragma once

#include <QString>

#include <string>
#include <vector>

namespace vantor::core {

// The check report saved as a text file.
class ReportFile
{
public:
    // Writes lines to path, one per line with the platform's line ending, replacing an existing file only
    // once the new one is complete; false (the old file untouched) when it cannot be written.
    static bool write(const QString& path, const std::vector<std::string>& lines);
};

} // namespace vantor::core
