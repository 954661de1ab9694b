#pragma once

#include <QString>

namespace vantor::platform {

// The folder where Windows' own mail client keeps its .dbx files, as the current user's registry names it,
// with its environment variables expanded. Empty when the registry names none, and on other systems.
QString registryStoreRoot();

} // namespace vantor::platform
