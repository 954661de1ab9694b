#pragma once

#include <string>
#include <string_view>

namespace vantor::mail::mime {
class MailMessage;
}

namespace vantor::filter {

// The texts a rule can look at.
enum class FieldKind
{
    SenderAddress,
    SenderDomain,
    Subject,
    HeaderText
};

// Everything the filter looks at in one message, taken from the message object once per evaluation.
struct MessageFields
{
    // FromAddress.
    std::string senderAddress;
    // After the address's first "@"; the whole address without "@"; empty for an empty address.
    std::string senderDomain;
    // The decoded Subject.
    std::string subject;
    // ToList.AllAddresses: the To addresses joined by ",".
    std::string receiver;
    // All header lines in order, joined with no separator.
    std::string headerText;
    // 0 "Highest" .. 4 "Lowest" (other numbers as the message gives them); 2 without X-Priority.
    int priorityLevel = 2;
    // The first character of the X-Priority value; empty without one.
    std::string priorityMark;

    static MessageFields fromMessage(const mail::mime::MailMessage& message);
    static std::string domainOf(std::string_view address);

    std::string_view field(FieldKind kind) const;
};

} // namespace vantor::filter
