#include "platform/RunKeyAutostart.h"

#include <QDir>
#include <QSettings>

namespace vantor::platform {

namespace {

const QString RunKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");

// Backslashes before a quote, and at the end before the closing quote, are doubled; a quote is escaped.
QString quoted(const QString& argument)
{
    QString result = QStringLiteral("\"");
    int backslashes = 0;
    for (const QChar c : argument) {
        if (c == QLatin1Char('\\')) {
            ++backslashes;
            continue;
        }
        result += QString(c == QLatin1Char('"') ? 2 * backslashes + 1 : backslashes, QLatin1Char('\\'));
        backslashes = 0;
        result += c;
    }
    result += QString(2 * backslashes, QLatin1Char('\\'));
    return result + QLatin1Char('"');
}

} // namespace

QString RunKeyAutostart::commandLine(const StartupEntry& entry)
{
    QStringList parts{quoted(QDir::toNativeSeparators(entry.program))};
    for (const QString& argument : entry.arguments)
        parts.append(quoted(argument));
    return parts.join(QLatin1Char(' '));
}

bool RunKeyAutostart::add(const StartupEntry& entry)
{
    QSettings run(RunKey, QSettings::NativeFormat);
    run.setValue(entry.name, commandLine(entry));
    run.sync();
    return run.status() == QSettings::NoError;
}

bool RunKeyAutostart::remove(const QString& name)
{
    QSettings run(RunKey, QSettings::NativeFormat);
    run.remove(name);
    run.sync();
    return run.status() == QSettings::NoError;
}

bool RunKeyAutostart::contains(const QString& name) const
{
    return QSettings(RunKey, QSettings::NativeFormat).contains(name);
}

} // namespace vantor::platform
