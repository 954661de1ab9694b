#include "core/program/HomeSeeding.h"

#include "base/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vantor::core {

namespace {

// Names relative to the shipped directory and the home alike.
QStringList shippedNames(const QDir& shipped)
{
    QStringList names;
    const QDir languages(shipped.filePath(QStringLiteral("Language")));
    for (const QString& file : languages.entryList({QStringLiteral("*.lng")}, QDir::Files, QDir::Name))
        names.append(QStringLiteral("Language/") + file);
    if (shipped.exists(QStringLiteral("notify.wav")))
        names.append(QStringLiteral("notify.wav"));
    return names;
}

bool isNewer(const QFileInfo& shipped, const QFileInfo& present)
{
    return !present.exists() || shipped.lastModified() > present.lastModified();
}

bool copyFile(const QString& from, const QString& to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = source.readAll();
    if (!QDir().mkpath(QFileInfo(to).absolutePath()))
        return false;
    const std::string_view content(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return !base::AtomicFile::write(QFile::encodeName(to).toStdString(), content);
}

} // namespace

int seedHome(const HomeDirectory& home, const QString& shippedDir)
{
    const QDir shipped(shippedDir);
    if (!shipped.exists() ||
        QFileInfo(shippedDir).canonicalFilePath() == QFileInfo(home.dir()).canonicalFilePath())
        return 0;
    int copied = 0;
    for (const QString& name : shippedNames(shipped)) {
        const QFileInfo from(shipped.filePath(name));
        if (isNewer(from, QFileInfo(home.filePath(name))) && copyFile(from.filePath(), home.filePath(name)))
            ++copied;
    }
    return copied;
}

} // namespace vantor::core
