#include "core/program/HomeDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vantor::core {

namespace {

const QString HomeOption = QStringLiteral("--home");

struct HomeOptionValue
{
    bool isGiven = false;
    QString value;
};

// The last --home wins, as with most command-line programs. The first argument is the program itself.
HomeOptionValue homeOption(const QStringList& arguments)
{
    HomeOptionValue result;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == HomeOption) {
            result.isGiven = true;
            result.value = i + 1 < arguments.size() ? arguments.at(++i) : QString();
        } else if (argument.startsWith(HomeOption + QLatin1Char('='))) {
            result.isGiven = true;
            result.value = argument.mid(HomeOption.size() + 1);
        }
    }
    return result;
}

std::optional<HomeDirectory> madeDirectory(const QString& dir, QString* error)
{
    if (!dir.isEmpty() && QDir().mkpath(dir) && QFileInfo(dir).isDir())
        return HomeDirectory(dir);
    if (error)
        *error = QStringLiteral("Cannot create the home directory %1").arg(QDir::toNativeSeparators(dir));
    return std::nullopt;
}

} // namespace

HomeDirectory::HomeDirectory(const QString& dir)
    : m_dir(QDir::cleanPath(QDir(dir).absolutePath()))
{}

QString HomeDirectory::filePath(const QString& relative) const
{
    return m_dir + QLatin1Char('/') + relative;
}

std::string HomeDirectory::nativeDir() const
{
    return QFile::encodeName(m_dir).toStdString();
}

std::string HomeDirectory::nativeFilePath(std::string_view relative) const
{
    return nativeDir() + '/' + std::string(relative);
}

std::optional<HomeDirectory> HomeDirectory::resolve(const QStringList& arguments,
                                                    const QString& executableDir, const QString& dataLocation,
                                                    QString* error)
{
    const HomeOptionValue option = homeOption(arguments);
    if (option.isGiven) {
        if (option.value.isEmpty()) {
            if (error)
                *error = QStringLiteral("The option --home needs a directory");
            return std::nullopt;
        }
        return madeDirectory(option.value, error);
    }
    const QFileInfo executable(executableDir);
    if (!executableDir.isEmpty() && executable.isDir() && executable.isWritable())
        return HomeDirectory(executableDir);
    return madeDirectory(dataLocation, error);
}

} // namespace vantor::core
