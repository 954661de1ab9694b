#pragma once

#include "core/program/HomeDirectory.h"
#include "core/program/SharedFiles.h"

namespace vantor::core {

// Brings the files that ship with the program (the language files and the notification sound) into
// the home directory, where every part of the program looks for them: an installed program keeps them
// in the shared data of its prefix, and the home is the user's own. A file the home holds already is
// replaced only by a newer shipped one, so a user's own edits survive and an update still arrives.
// Returns the number of files copied; files that are already the home's own copy nothing.
int seedHome(const HomeDirectory& home, const SharedFiles& shipped);

} // namespace vantor::core
