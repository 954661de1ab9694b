#pragma once

#include "mail/mime/MailMessage.h"

#include <initializer_list>
#include <memory>
#include <string>

namespace vantor::filter::test {

// A message object filled the way a header fetch (TOP n 0) fills it: the raw header lines and the empty
// line that ends the header.
inline std::unique_ptr<mail::mime::MailMessage> headerMessage(std::initializer_list<std::string> lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    text += "\r\n";
    auto message = std::make_unique<mail::mime::MailMessage>();
    message->loadRawHeader(text);
    return message;
}

} // namespace vantor::filter::test
