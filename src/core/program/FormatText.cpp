#include "core/program/FormatText.h"

namespace vantor::core {

QString fillPlaceholders(const QString& pattern, const QStringList& values)
{
    QString result;
    qsizetype next = 0;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const bool isPlaceholder = pattern[i] == QLatin1Char('%') && i + 1 < pattern.size() &&
                                   (pattern[i + 1] == QLatin1Char('d') || pattern[i + 1] == QLatin1Char('s'));
        if (isPlaceholder && next < values.size()) {
            result += values[next++];
            ++i;
        } else {
            result += pattern[i];
        }
    }
    return result;
}

} // namespace vantor::core
