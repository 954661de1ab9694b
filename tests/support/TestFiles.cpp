#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vantor::test {

bool TestFiles::write(const QString& path, const QByteArray& bytes)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray TestFiles::read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<QByteArray> TestFiles::sectionLines(const QString& path, const QByteArray& section)
{
    QList<QByteArray> lines;
    bool isInside = false;
    const QByteArray header = '[' + section + ']';
    const QList<QByteArray> all = read(path).split('\n');
    for (QByteArray line : all) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.startsWith('['))
            isInside = line == header;
        else if (isInside && !line.isEmpty())
            lines.append(line);
    }
    return lines;
}

} // namespace vantor::test
