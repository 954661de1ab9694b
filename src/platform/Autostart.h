#pragma once

#include <QString>
#include <QStringList>

namespace vantor::platform {

// A program the desktop starts when the user logs in, under a name that identifies the entry.
struct StartupEntry
{
    QString name;
    QString program;
    QStringList arguments;
};

// The desktop's list of programs started at log-in.
class Autostart
{
public:
    virtual ~Autostart() = default;

    // Adds the entry, replacing one of the same name; false when it cannot be written.
    virtual bool add(const StartupEntry& entry) = 0;
    // Removes the entry of that name; true when none is left (also when there was none).
    virtual bool remove(const QString& name) = 0;
    // Whether an entry of that name is registered.
    virtual bool contains(const QString& name) const = 0;
};

} // namespace vantor::platform
