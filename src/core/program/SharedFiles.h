#pragma once

#include <QString>

namespace vantor::core {

// The files the program ships with it (the user manual, the language files, the sound), read-only and apart from the home directory: beside
// the executable for a portable copy or the build tree, else in <executable dir>/../share/emailvantor for a
// program installed under a prefix.
class SharedFiles
{
public:
    explicit SharedFiles(const QString& executableDir);

    // The absolute path of the file or folder relative ("manual/index.html", "Language"), or an empty text
    // when neither place holds it.
    QString find(const QString& relative) const;

private:
    QString m_executableDir;
};

} // namespace vantor::core
