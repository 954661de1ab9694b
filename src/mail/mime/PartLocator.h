#pragma once

#include <string_view>

namespace vantor::mail::mime {

class MailMessage;
class MimePart;

// Finds a message's text bodies, multipart containers and attachments in one depth-first walk.
class PartLocator
{
public:
    explicit PartLocator(MailMessage& message)
        : m_message(message)
    {}

    // Clears the located lists and fills them again; clears the parts-stale flag.
    void run();

private:
    // True when the part became a container role and needs no further look.
    bool takeContainerRole(MimePart& part, std::string_view type);
    // True when the part became the plain or the HTML body.
    bool takeAsText(MimePart& part, std::string_view type);
    bool tryAsText(MimePart& part, std::string_view type);
    void visit(MimePart& part);

    MailMessage& m_message;
};

} // namespace vantor::mail::mime
