#include "platform/XdgAutostart.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace vantor::platform {

namespace {

// Characters after which the desktop's launcher would split or expand an unquoted argument.
bool needsQuotes(const QString& argument)
{
    static const QString Reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    if (argument.isEmpty())
        return true;
    return std::any_of(argument.begin(), argument.end(), [](QChar c) { return Reserved.contains(c); });
}

QString quoted(const QString& argument)
{
    if (!needsQuotes(argument))
        return argument;
    QString result = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            result += QLatin1Char('\\');
        result += c;
    }
    return result + QLatin1Char('"');
}

// A value of the desktop file is itself escaped: backslashes doubled, and "%" would start a field code.
QString escapedValue(QString value)
{
    value.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    value.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return value;
}

// A line break would end the value and leave the rest as a line of its own.
QString oneLine(QString text)
{
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text;
}

} // namespace

QString XdgAutostart::folder()
{
    const QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    const QString base =
        QDir::isAbsolutePath(configHome) ? configHome : QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/autostart");
}

QString XdgAutostart::execLine(const QString& program, const QStringList& arguments)
{
    QStringList parts{quoted(program)};
    for (const QString& argument : arguments)
        parts.append(quoted(argument));
    return escapedValue(oneLine(parts.join(QLatin1Char(' '))));
}

QString XdgAutostart::filePath(const QString& name)
{
    // The name becomes a file name: a separator in it must not lead out of the folder.
    QString fileName = name;
    fileName.replace(QLatin1Char('/'), QLatin1Char('_'));
    return folder() + QLatin1Char('/') + fileName + QStringLiteral(".desktop");
}

bool XdgAutostart::add(const StartupEntry& entry)
{
    if (!QDir().mkpath(folder()))
        return false;
    QSaveFile file(filePath(entry.name));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QString text = QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(oneLine(entry.name), execLine(entry.program, entry.arguments));
    file.write(text.toUtf8());
    return file.commit();
}

bool XdgAutostart::remove(const QString& name)
{
    QFile file(filePath(name));
    return !file.exists() || file.remove();
}

bool XdgAutostart::contains(const QString& name) const
{
    return QFile::exists(filePath(name));
}

} // namespace vantor::platform
