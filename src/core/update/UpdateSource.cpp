#include "core/update/UpdateSource.h"

#include <QDir>
#include <QFileInfo>

namespace vantor::core {

namespace {

bool isWebScheme(const QString& scheme)
{
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

} // namespace

QString UpdateSource::informationFile(const QString& programPath)
{
    const QFileInfo program(programPath);
    return program.dir().filePath(program.completeBaseName() + QLatin1String(".inf"));
}

QString UpdateSource::programName(const QString& programPath)
{
    return QFileInfo(programPath).completeBaseName();
}

QString UpdateSource::value(const QByteArray& text, const QString& name)
{
    for (const QByteArray& rawLine : text.split('\n')) {
        // Files written on Windows end their lines with CR LF; the CR is no part of the value.
        const QString line = QString::fromUtf8(rawLine.endsWith('\r') ? rawLine.chopped(1) : rawLine);
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0 && line.left(equals).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return line.mid(equals + 1).trimmed();
    }
    return {};
}

QUrl UpdateSource::sourceBase(const QByteArray& informationText, const QString& programName)
{
    const QUrl url(value(informationText, programName), QUrl::StrictMode);
    // Anything but a web address (a local file above all) would have the check fetch and open what the
    // address names instead of asking a server.
    if (!url.isValid() || !isWebScheme(url.scheme()) || url.host().isEmpty())
        return {};
    return url;
}

QUrl UpdateSource::withSuffix(const QUrl& base, const QString& suffix)
{
    QUrl url = base;
    url.setPath(base.path() + suffix);
    return url;
}

bool UpdateSource::isRedirectAllowed(const QUrl& from, const QUrl& to)
{
    if (to.scheme() == QLatin1String("https"))
        return true;
    // A plain http target: only on the same host and never leaving https.
    return to.scheme() == QLatin1String("http") && from.scheme() == QLatin1String("http") &&
           from.host().compare(to.host(), Qt::CaseInsensitive) == 0;
}

} // namespace vantor::core
