#pragma once

#include "core/program/HomeDirectory.h"

#include <QStringList>

namespace vantor::core {

// The languages the settings dialog offers: every file of the Language folder of the home directory whose
// name does not start with ".", listed by its name without the last four characters (".lng"), in the
// folder's name order. Empty when the folder is missing.
QStringList languageChoices(const HomeDirectory& home);

} // namespace vantor::core
