#include "core/store/DbxMessageText.h"

#include "core/program/DisplayText.h"
#include "mail/codec/Charsets.h"
#include "mail/mime/MailMessage.h"

namespace vantor::core {

QString dbxMessageDisplayText(const std::string& bytes)
{
    if (mail::codec::isWellFormedUtf8(bytes))
        return QString::fromStdString(bytes);
    const std::size_t headerEnd = bytes.find("\r\n\r\n");
    mail::mime::MailMessage message;
    message.loadRawHeader(std::string_view(bytes).substr(0, headerEnd == std::string::npos ? bytes.size() : headerEnd + 4));
    const std::string charset = message.headerParam("Content-Type", "charset");
    if (charset.empty())
        return displayText(bytes);
    return QString::fromStdString(mail::codec::decodeCharset(bytes, charset));
}

} // namespace vantor::core
