#pragma once

#include "core/program/HomeDirectory.h"

#include <QString>

namespace vantor::core {

// Brings the files that ship with the program (the language files and the notification sound) into
// the home directory, where every part of the program looks for them: an installed program keeps them
// in a shared directory of its prefix, and the home is the user's own. A file the home holds already
// is replaced only by a newer shipped one, so a user's own edits survive and an update still arrives.
// Returns the number of files copied; a directory that is the home itself copies nothing.
int seedHome(const HomeDirectory& home, const QString& shippedDir);

} // namespace vantor::core
