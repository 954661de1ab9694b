#include "core/program/LanguageChoices.h"

#include <QDir>

#include <algorithm>

namespace vantor::core {

QStringList languageChoices(const HomeDirectory& home)
{
    // QDir::Files without QDir::Hidden also leaves out every name starting with ".".
    const QDir folder(home.filePath(QStringLiteral("Language")));
    QStringList choices;
    for (const QString& name : folder.entryList(QDir::Files | QDir::System, QDir::Name))
        choices.append(name.left(std::max<qsizetype>(0, name.size() - 4)));
    return choices;
}

} // namespace vantor::core
