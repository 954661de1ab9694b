#include "core/program/DisplayText.h"

#include <QStringDecoder>

namespace vantor::core {

QString displayText(std::string_view bytes)
{
    const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(view);
    if (!utf8.hasError())
        return text;
    QStringDecoder windows1252("Windows-1252");
    if (windows1252.isValid())
        return windows1252.decode(view);
    // Without the codec the bytes 0x80-0x9F differ slightly, but every byte still shows as one character.
    return QString::fromLatin1(view);
}

std::string storedText(const QString& text)
{
    return text.toStdString();
}

QString uiText(const storage::TextTable& table, std::string_view section, std::string_view key,
               std::size_t occurrence)
{
    return displayText(table.text(section, key, occurrence));
}

} // namespace vantor::core
