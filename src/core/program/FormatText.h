#pragma once

#include <QString>
#include <QStringList>

namespace vantor::core {

// The pattern with its "%d" and "%s" place holders replaced, in order, by values; place holders beyond
// the values stay as they are. Patterns come from language files, so they are never handed to printf.
QString fillPlaceholders(const QString& pattern, const QStringList& values);

} // namespace vantor::core
