#pragma once

#include "platform/Autostart.h"

namespace vantor::platform {

// Autostart of Windows: one value per entry under the current user's Run key, holding the command line.
// The user's own key, because the machine's key can be written by administrators only.
class RunKeyAutostart : public Autostart
{
public:
    bool add(const StartupEntry& entry) override;
    bool remove(const QString& name) override;
    bool contains(const QString& name) const override;

    // The command line of the value: the program and every argument quoted as the Windows runtime reads them.
    static QString commandLine(const StartupEntry& entry);
};

} // namespace vantor::platform
