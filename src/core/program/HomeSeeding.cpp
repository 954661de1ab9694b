#include "core/program/HomeSeeding.h"

#include "base/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vantor::core {

namespace {

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

// Copies the shipped file to the home's relative name when the home lacks it or holds an older copy.
bool seedFile(const QString& shippedPath, const HomeDirectory& home, const QString& relative)
{
    const QFileInfo from(shippedPath);
    const QFileInfo to(home.filePath(relative));
    if (from.canonicalFilePath() == to.canonicalFilePath() || !isNewer(from, to))
        return false;
    return copyFile(from.filePath(), to.filePath());
}

} // namespace

int seedHome(const HomeDirectory& home, const SharedFiles& shipped)
{
    int copied = 0;
    if (const QString languages = shipped.find(QStringLiteral("Language")); !languages.isEmpty()) {
        const QDir dir(languages);
        for (const QString& file : dir.entryList({QStringLiteral("*.lng")}, QDir::Files, QDir::Name))
            copied += seedFile(dir.filePath(file), home, QStringLiteral("Language/") + file);
    }
    if (const QString sound = shipped.find(QStringLiteral("notify.wav")); !sound.isEmpty())
        copied += seedFile(sound, home, QStringLiteral("notify.wav"));
    return copied;
}

} // namespace vantor::core
