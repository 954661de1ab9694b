#pragma once

#include "platform/ShellOpen.h"

namespace vantor::ui {

// The desktop's own handlers: QDesktopServices for links and documents, a detached process for programs.
class DesktopShellOpen : public platform::ShellOpen
{
public:
    bool openUrl(const QUrl& url) override;
    bool runProgram(const QString& path) override;
};

} // namespace vantor::ui
