#include "filter/MessageFields.h"

#include "mail/mime/MailMessage.h"

namespace vantor::filter {

MessageFields MessageFields::fromMessage(const mail::mime::MailMessage& message)
{
    MessageFields fields;
    fields.senderAddress = message.fromAddress();
    fields.senderDomain = domainOf(fields.senderAddress);
    fields.subject = message.subject();
    fields.receiver = message.toList().allAddresses();
    std::size_t headerSize = 0;
    for (const std::string& line : message.headerLines())
        headerSize += line.size();
    fields.headerText.reserve(headerSize);
    for (const std::string& line : message.headerLines())
        fields.headerText += line;
    fields.priorityLevel = message.priority();
    fields.priorityMark = message.headerValue("X-Priority").substr(0, 1);
    return fields;
}

std::string MessageFields::domainOf(std::string_view address)
{
    const std::size_t at = address.find('@');
    return std::string(at == std::string_view::npos ? address : address.substr(at + 1));
}

std::string_view MessageFields::field(FieldKind kind) const
{
    switch (kind) {
    case FieldKind::SenderAddress:
        return senderAddress;
    case FieldKind::SenderDomain:
        return senderDomain;
    case FieldKind::Subject:
        return subject;
    case FieldKind::HeaderText:
        break;
    }
    return headerText;
}

} // namespace vantor::filter
