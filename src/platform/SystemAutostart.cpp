#include "platform/SystemAutostart.h"

#ifdef Q_OS_WIN
#include "platform/RunKeyAutostart.h"
#else
#include "platform/XdgAutostart.h"
#endif

namespace vantor::platform {

std::unique_ptr<Autostart> makeSystemAutostart()
{
#ifdef Q_OS_WIN
    return std::make_unique<RunKeyAutostart>();
#else
    return std::make_unique<XdgAutostart>();
#endif
}

} // namespace vantor::platform
