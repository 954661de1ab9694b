#pragma once

#include <string>

namespace vantor::mail::mime {
class MailMessage;
}

namespace vantor::records {

// The open mailbox a deleted message is fetched again from (on the check's POP3 connection).
class MessageSource
{
public:
    virtual ~MessageSource() = default;

    // The header of message n (TOP n 0) into message, as raw header lines; false on failure.
    virtual bool retrieveHeader(int messageNumber, mail::mime::MailMessage& message) = 0;
    // The whole message n (RETR n) parsed into message; false on failure.
    virtual bool retrieveMessage(int messageNumber, mail::mime::MailMessage& message) = 0;
    // The server's host name, for the error log.
    virtual std::string host() const = 0;
};

} // namespace vantor::records
