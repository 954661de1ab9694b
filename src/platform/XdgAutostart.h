#pragma once

#include "platform/Autostart.h"

namespace vantor::platform {

// Autostart of the freedesktop.org desktops: one "<name>.desktop" file per entry in the autostart folder of
// the user's configuration directory ($XDG_CONFIG_HOME, by default ~/.config).
class XdgAutostart : public Autostart
{
public:
    // The folder is looked up at each call, so a changed $XDG_CONFIG_HOME applies at once.
    XdgAutostart() = default;

    bool add(const StartupEntry& entry) override;
    bool remove(const QString& name) override;
    bool contains(const QString& name) const override;

    // $XDG_CONFIG_HOME/autostart, or ~/.config/autostart when the variable is unset or not absolute.
    static QString folder();
    // The Exec line of the desktop file: every argument quoted where it needs it, escaped for the file.
    static QString execLine(const QString& program, const QStringList& arguments);

private:
    static QString filePath(const QString& name);
};

} // namespace vantor::platform
