#include "mail/codec/Charsets.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

namespace vantor::mail::codec {

std::optional<std::string> convertToUtf8(std::string_view bytes, std::string_view charset)
{
    // "utf-8*en" names a language after the charset (RFC 2231); the decoder wants the charset alone.
    const std::string_view name = charset.substr(0, charset.find('*'));
    if (name.empty()) {
        return std::nullopt;
    }
    const QByteArray nameBytes(name.data(), static_cast<qsizetype>(name.size()));
    QStringDecoder decoder(nameBytes.constData(), QStringConverter::Flag::Stateless);
    if (!decoder.isValid()) {
        return std::nullopt;
    }
    const QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

} // namespace vantor::mail::codec
