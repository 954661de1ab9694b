#include "mail/codec/MimeTypes.h"

#include <QMimeDatabase>
#include <QMimeType>
#include <QString>

namespace vantor::mail::codec {

namespace {

constexpr std::string_view kDefaultType = "application/octet-stream";

QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toStdString(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

// The extension with its dot, taken from the name after any directory part; empty when there is none.
std::string_view extensionOf(std::string_view fileName)
{
    const std::size_t nameStart = fileName.find_last_of("/\\:");
    if (nameStart != std::string_view::npos) {
        fileName.remove_prefix(nameStart + 1);
    }
    const std::size_t dot = fileName.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : fileName.substr(dot);
}

} // namespace

std::string mimeTypeForFile(std::string_view fileName)
{
    const std::string_view extension = extensionOf(fileName);
    if (extension.size() < 2) {
        return std::string(kDefaultType);
    }
    // Only the extension decides, never a whole-name pattern such as "Makefile" or the file's content.
    const QMimeDatabase database;
    const QMimeType type =
        database.mimeTypeForFile(QStringLiteral("x") + toQString(extension), QMimeDatabase::MatchExtension);
    return type.isValid() ? toStdString(type.name()) : std::string(kDefaultType);
}

std::string extensionForMimeType(std::string_view mimeType)
{
    const QMimeDatabase database;
    const QMimeType type = database.mimeTypeForName(toQString(mimeType).trimmed().toLower());
    if (!type.isValid() || type.preferredSuffix().isEmpty()) {
        return {};
    }
    return "." + toStdString(type.preferredSuffix());
}

} // namespace vantor::mail::codec
