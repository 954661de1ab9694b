#pragma once

#include "core/program/HomeDirectory.h"
#include "core/program/UserPrompts.h"
#include "storage/TextTable.h"

namespace vantor::core {

// "Delete LOG" of the settings dialog: asks, then deletes emails.log of the home directory; a missing file or
// one that cannot be deleted is reported in an error box.
void removeStatisticLog(const HomeDirectory& home, const storage::TextTable& texts, UserPrompts& prompts);

} // namespace vantor::core
