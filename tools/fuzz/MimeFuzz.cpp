// Feeds arbitrary bytes to the message parser and to everything a check or a backup asks of a message.
#include "mail/mime/MailMessage.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using vantor::mail::mime::MailMessage;
using vantor::mail::mime::MimePart;

namespace {

void askHeaderQuestions(const MailMessage& m)
{
    (void)m.subject();
    (void)m.fromAddress();
    (void)m.parseAddressHeader("Reply-To");
    (void)m.priority();
    (void)m.messageDate();
    (void)m.toList().allAddresses();
    (void)m.ccList().count();
    (void)m.bccList().recipientNames();
    (void)m.headerParam("Content-Type", "boundary");
    (void)m.headerValue("Received", 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    MailMessage full;
    full.fill(text, true);
    askHeaderQuestions(full);
    for (MimePart* part : full.attachments()) {
        part->decode();
        (void)part->fileName();
    }
    // What the backup of a deleted message does with a retrieved one.
    full.rebuildReceived();
    full.assembleBody();
    MailMessage again;
    again.fill(full.getSource(), true);
    (void)again.attachments();

    MailMessage header;
    header.loadRawHeader(text);
    askHeaderQuestions(header);
    header.setHeaderValue("Subject", "x");
    header.setHeaderParam("Content-Type", "charset", "\"utf-8\"");
    return 0;
}
