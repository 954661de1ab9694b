#include "mail/mime/PartLocator.h"

#include "base/TextLines.h"
#include "mail/mime/MailMessage.h"
#include "mail/mime/TextEnds.h"

#include <vector>

namespace vantor::mail::mime {

void PartLocator::run()
{
    m_message.clearLocated();
    m_message.m_partsStale = false;
    // Explicit stack: a hostile nesting depth cannot exhaust the call stack.
    std::vector<MimePart*> pending{&m_message};
    while (!pending.empty()) {
        MimePart* part = pending.back();
        pending.pop_back();
        visit(*part);
        const auto& children = part->subParts();
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            pending.push_back(it->get());
    }
}

void PartLocator::visit(MimePart& part)
{
    const std::string type = part.contentType();
    if (takeContainerRole(part, type))
        return;
    const bool isMessage = &part == &m_message;
    const bool leaf = part.subParts().empty();
    if (isMessage && leaf && (type.starts_with("text/") || type == "text") && takeAsText(part, type))
        return;
    if (tryAsText(part, type))
        return;
    if (leaf) {
        part.setEmbedded(part.parentPart() != nullptr && part.parentPart() == m_message.m_relatedPart);
        m_message.m_attachments.push_back(&part);
    }
}

bool PartLocator::takeContainerRole(MimePart& part, std::string_view type)
{
    MimePart** role = nullptr;
    if (type == "multipart/mixed" && m_message.m_mixedPart == nullptr)
        role = &m_message.m_mixedPart;
    else if (type == "multipart/related" && m_message.m_relatedPart == nullptr)
        role = &m_message.m_relatedPart;
    else if (type == "multipart/alternative" && m_message.m_alternativePart == nullptr)
        role = &m_message.m_alternativePart;
    if (role == nullptr)
        return false;
    *role = &part;
    return true;
}

bool PartLocator::tryAsText(MimePart& part, std::string_view type)
{
    const MimePart* parent = part.parentPart();
    if (&part == &m_message && !part.hasHeader("Content-Type") && part.subParts().empty())
        return takeAsText(part, "text/plain");
    if (parent == nullptr)
        return false;
    if (parent == m_message.m_mixedPart && m_message.m_alternativePart == nullptr && takeAsText(part, type))
        return true;
    if (parent == m_message.m_relatedPart && takeAsText(part, type))
        return true;
    return parent == m_message.m_alternativePart && takeAsText(part, type);
}

bool PartLocator::takeAsText(MimePart& part, std::string_view type)
{
    MimePart** slot = nullptr;
    std::vector<std::string>* lines = nullptr;
    if (m_message.m_textPlainPart == nullptr && (type == "text/plain" || type == "text")) {
        slot = &m_message.m_textPlainPart;
        lines = &m_message.m_textPlain;
    } else if (m_message.m_textHtmlPart == nullptr && type == "text/html") {
        slot = &m_message.m_textHtmlPart;
        lines = &m_message.m_textHtml;
    } else {
        return false;
    }
    part.decode();
    if (part.decodedBody().empty())
        return false;
    *slot = &part;
    *lines = base::splitLines(untilNul(part.decodedBody()));
    return true;
}

} // namespace vantor::mail::mime
