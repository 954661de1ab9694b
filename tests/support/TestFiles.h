#pragma once

#include <QByteArray>
#include <QString>

namespace vantor::test {

// Whole-file helpers for tests that set up or inspect the program's files byte for byte.
class TestFiles
{
public:
    // Writes bytes to path, creating missing directories; false when it cannot.
    static bool write(const QString& path, const QByteArray& bytes);
    // The file's bytes; empty when it cannot be read.
    static QByteArray read(const QString& path);
    // The key lines of one INI section of the file, in order (blank lines and other sections left out).
    static QList<QByteArray> sectionLines(const QString& path, const QByteArray& section);
};

} // namespace vantor::test
