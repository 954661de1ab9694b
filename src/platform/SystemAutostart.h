#pragma once

#include "platform/Autostart.h"

#include <memory>

namespace vantor::platform {

// The autostart of the desktop this program was built for: the Run key on Windows, XDG elsewhere.
std::unique_ptr<Autostart> makeSystemAutostart();

} // namespace vantor::platform
