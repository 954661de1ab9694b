#pragma once

#include <QtGlobal>

namespace vantor::support {

// A TCP port on 127.0.0.1 that nobody listened on a moment ago; 0 when none could be found.
quint16 freeLoopbackPort();

} // namespace vantor::support
