#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <string_view>

namespace vantor::core {

// The directory that holds every file of the program. Each path is this directory + "/" + a relative name
// with "/" as separator, whatever the platform ("Profile/Default.vtf").
class HomeDirectory
{
public:
    // dir: an existing directory; stored absolute and without a trailing separator.
    explicit HomeDirectory(const QString& dir);

    const QString& dir() const { return m_dir; }
    QString filePath(const QString& relative) const;
    // The same paths in the file system's encoding, for the plain C++ layers.
    std::string nativeDir() const;
    std::string nativeFilePath(std::string_view relative) const;

    // The home directory for a run: "--home DIR" (or "--home=DIR") among the arguments, created when missing;
    // else executableDir when it is a writable directory (portable install); else dataLocation, created.
    // Empty, with a reason in *error, when the option has no value or the chosen directory cannot be made.
    static std::optional<HomeDirectory> resolve(const QStringList& arguments, const QString& executableDir,
                                                const QString& dataLocation, QString* error);

private:
    QString m_dir;
};

} // namespace vantor::core
