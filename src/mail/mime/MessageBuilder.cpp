#include "mail/mime/MessageBuilder.h"

#include "base/AsciiCase.h"
#include "base/FileReader.h"
#include "base/TextLines.h"
#include "mail/codec/HeaderText.h"
#include "mail/codec/Identifiers.h"
#include "mail/codec/MimeTypes.h"
#include "mail/mime/HeaderList.h"
#include "mail/mime/MailMessage.h"
#include "mail/mime/TextEnds.h"

#include <algorithm>
#include <stdexcept>

namespace vantor::mail::mime {

namespace {

constexpr std::string_view kPreamble = "This is a multipart message in mime format.\r\n";
constexpr std::string_view kAttachmentField = "X-Vantor-Attachment";

std::string baseName(std::string_view path)
{
    const std::size_t slash = path.find_last_of("/\\");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

void setContentLength(MimePart& part)
{
    part.setHeaderValue("Content-Length", std::to_string(part.encodedBody().size()));
}

// Header lines of part whose name begins with one of the prefixes, each read whole.
std::vector<std::string> fieldsStartingWith(const MimePart& part,
                                            std::initializer_list<std::string_view> prefixes)
{
    std::vector<std::string> fields;
    const auto& lines = part.headerLines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool wanted = std::any_of(prefixes.begin(), prefixes.end(), [&](std::string_view p) {
            return base::startsWithIgnoreCase(lines[i], p);
        });
        if (wanted)
            fields.push_back(HeaderList::joined(lines, i));
    }
    return fields;
}

void removeContentFields(MimePart& part)
{
    for (std::string_view name : {"Content-Type", "Content-Transfer-Encoding", "Content-Disposition",
                                  "Content-ID", "Content-Location", "Content-Length", "X-Vantor-Attachment"})
        part.removeHeader(name);
}

} // namespace

void MessageBuilder::restructureWhenStale()
{
    if (m_message.m_structureStale)
        restructure();
}

void MessageBuilder::restructure(Coming coming)
{
    MailMessage& m = m_message;
    m.findParts();
    m.m_bodyStale = true;
    m.m_structureStale = false;
    m.m_attachCounter = 0;

    const auto embeddedCount = std::count_if(m.m_attachments.begin(), m.m_attachments.end(),
                                             [](const MimePart* p) { return p->isEmbedded(); });
    const int texts =
        (m.m_textPlainPart ? 1 : 0) + (m.m_textHtmlPart ? 1 : 0) + (coming == Coming::TextPart ? 1 : 0);
    const int embedded = static_cast<int>(embeddedCount) + (coming == Coming::EmbeddedPart ? 1 : 0);
    const int attachments =
        static_cast<int>(m.m_attachments.size() - embeddedCount) + (coming == Coming::Attachment ? 1 : 0);

    moveOwnBody();
    holdPlacedParts();
    MimePart* plain = m.m_textPlainPart;
    MimePart* html = m.m_textHtmlPart;
    const std::vector<MimePart*> previous = m.m_attachments;
    // Old containers and anything else left in the tree go; the parts in hand are placed afresh.
    m.clearSubParts();
    resetMessageFields();

    const Containers containers = makeContainers(texts, attachments, embedded);
    plain = placeText(plain, "text/plain");
    html = placeText(html, "text/html");
    std::vector<MimePart*> placed;
    for (MimePart* part : previous) {
        if (MimePart* done = placeAttachment(part, containers))
            placed.push_back(done);
    }
    m_held.clear();

    m.m_textPlainPart = plain;
    m.m_textHtmlPart = html;
    m.m_attachments = std::move(placed);
    m.m_mixedPart = containers.mixed;
    m.m_relatedPart = containers.related;
    m.m_alternativePart = containers.alternative;
}

void MessageBuilder::moveOwnBody()
{
    MailMessage& m = m_message;
    const auto asAttachment = std::find(m.m_attachments.begin(), m.m_attachments.end(), &m);
    const bool isText = m.m_textPlainPart == &m || m.m_textHtmlPart == &m;
    if (m.m_encodedBody.empty() && !isText && asAttachment == m.m_attachments.end())
        return;
    auto moved = std::make_unique<MimePart>(&m);
    moved->m_encodedBody = std::move(m.m_encodedBody);
    moved->m_decodedBody = std::move(m.m_decodedBody);
    moved->m_isDecoded = m.m_isDecoded;
    moved->m_headerLines = fieldsStartingWith(m, {"Content-"});
    m.m_encodedBody.clear();
    m.m_decodedBody.clear();
    m.m_isDecoded = false;

    MimePart* raw = moved.get();
    MimePart** roles[] = {&m.m_textPlainPart, &m.m_textHtmlPart, &m.m_mixedPart, &m.m_relatedPart,
                          &m.m_alternativePart};
    const auto role =
        std::find_if(std::begin(roles), std::end(roles), [&](MimePart** r) { return *r == &m; });
    if (role != std::end(roles))
        **role = raw;
    else if (asAttachment != m.m_attachments.end())
        *asAttachment = raw;
    else if (!m.m_subParts.empty())
        return; // a multipart preamble: not kept
    else
        m.m_attachments.push_back(raw);
    std::erase(m.m_attachments, static_cast<MimePart*>(&m));
    m_held.push_back(std::move(moved));
}

void MessageBuilder::holdPlacedParts()
{
    MailMessage& m = m_message;
    std::vector<MimePart*> parts = m.m_attachments;
    parts.push_back(m.m_textPlainPart);
    parts.push_back(m.m_textHtmlPart);
    for (MimePart* part : parts) {
        if (part != nullptr && part->parentPart() != nullptr)
            m_held.push_back(part->detach());
    }
}

std::unique_ptr<MimePart> MessageBuilder::take(MimePart* part)
{
    const auto it =
        std::find_if(m_held.begin(), m_held.end(), [&](const auto& held) { return held.get() == part; });
    if (it == m_held.end())
        return nullptr;
    std::unique_ptr<MimePart> owned = std::move(*it);
    m_held.erase(it);
    return owned;
}

void MessageBuilder::resetMessageFields()
{
    removeContentFields(m_message);
    m_message.setHeaderValue("Mime-Version", "1.0");
    std::string mailer = "EMail Vantor";
    if (!m_message.m_versionText.empty())
        mailer += " " + m_message.m_versionText;
    m_message.setHeaderValue("X-Mailer", mailer);
}

MessageBuilder::Containers MessageBuilder::makeContainers(int texts, int attachments, int embedded)
{
    MailMessage& m = m_message;
    Containers c;
    MimePart* textContainer = nullptr;
    if (attachments > 1 || (attachments > 0 && (texts > 0 || embedded > 0))) {
        c.mixed = newContainer(nullptr, "multipart/mixed", "_mixed");
        textContainer = c.mixed;
    }
    if (embedded > 0) {
        c.related = newContainer(c.mixed, "multipart/related", "_related");
        textContainer = c.related;
    }
    if (texts > 1) {
        c.alternative = newContainer(textContainer, "multipart/alternative", "_alternative");
        textContainer = c.alternative;
    }
    m.m_textContainer = textContainer;
    return c;
}

MimePart* MessageBuilder::newContainer(MimePart* outer, std::string_view type, std::string_view suffix)
{
    MimePart* container = outer == nullptr ? &m_message : newChild(*outer);
    container->setHeaderValue("Content-Type", type);
    container->setHeaderParam("Content-Type", "boundary",
                              doubleQuoted(codec::newBoundary() + std::string(suffix)));
    return container;
}

MimePart* MessageBuilder::newChild(MimePart& container, std::size_t index)
{
    auto child = std::make_unique<MimePart>(&m_message);
    child->setParentBoundary(container.boundary());
    return container.addSubPart(std::move(child), index);
}

MimePart* MessageBuilder::placeText(MimePart* part, std::string_view type)
{
    if (part == nullptr)
        return nullptr;
    std::unique_ptr<MimePart> owned = take(part);
    if (owned == nullptr)
        return nullptr;
    part->setHeaderValue("Content-Type", type);
    part->setHeaderValue("Content-Disposition", "inline");
    part->decode();
    part->encode(m_message.m_textEncoding);
    setContentLength(*part);
    part->clearSubParts();
    MimePart* container = m_message.m_textContainer;
    if (container != nullptr) {
        part->setParentBoundary(container->boundary());
        container->addSubPart(std::move(owned));
        return part;
    }
    // No container: the message itself carries the text, its Content-Type parameters included.
    MailMessage& m = m_message;
    for (const auto& field : fieldsStartingWith(*part, {"Content-Type:"}))
        m.m_headerLines.push_back(field);
    m.setHeaderValue("Content-Disposition", "inline");
    m.setDecodedBody(part->decodedBody());
    m.encode(m.m_textEncoding);
    setContentLength(m);
    return &m;
}

MimePart* MessageBuilder::placeAttachment(MimePart* part, const Containers& containers)
{
    MailMessage& m = m_message;
    std::unique_ptr<MimePart> owned = take(part);
    if (owned == nullptr)
        return nullptr;
    if (!part->hasHeader("Content-Type"))
        part->setHeaderValue("Content-Type", "application/octet-stream");
    std::string name = part->fileName();
    if (name.empty())
        name =
            "file_" + std::to_string(m.m_attachCounter++) + codec::extensionForMimeType(part->contentType());
    const std::string encodedName = doubleQuoted(codec::encodeHeaderText(name, m.m_charset));
    part->setHeaderValue(kAttachmentField, encodedName);
    if (part->isEmbedded() && containers.related != nullptr) {
        part->setHeaderParam(kAttachmentField, "embedded", "yes");
        if (m.m_embedMethod == emContentID && !part->hasHeader("Content-ID"))
            part->setHeaderValue("Content-ID", "<" + name + ">");
        else if (m.m_embedMethod == emContentLocation)
            part->setHeaderValue("Content-Location", m.m_contentLocationBase + name);
        part->setHeaderValue("Content-Disposition", "inline");
        part->setParentBoundary(containers.related->boundary());
        containers.related->addSubPart(std::move(owned));
        return part;
    }
    part->setEmbedded(false);
    part->setHeaderParam(kAttachmentField, "embedded", "no");
    if (!part->hasHeaderParam("Content-Type", "name"))
        part->setHeaderParam("Content-Type", "name", encodedName);
    if (!part->hasHeaderParam("Content-Disposition", "filename"))
        part->setHeaderParam("Content-Disposition", "filename", encodedName);
    if (containers.mixed != nullptr || part->headerValue("Content-Disposition").empty())
        part->setHeaderValue("Content-Disposition", "attachment");
    if (containers.mixed != nullptr) {
        part->setParentBoundary(containers.mixed->boundary());
        containers.mixed->addSubPart(std::move(owned));
        return part;
    }
    makeMessageTheAttachment(*part);
    return &m;
}

void MessageBuilder::makeMessageTheAttachment(MimePart& part)
{
    MailMessage& m = m_message;
    for (const auto& field : fieldsStartingWith(part, {"Content-", "X-Vantor-"}))
        m.m_headerLines.push_back(field);
    part.decode();
    m.setDecodedBody(part.decodedBody());
    m.encode(etBase64);
}

MimePart* MessageBuilder::setTextPart(std::string_view text, MimePart* part, std::string_view mimeType)
{
    MailMessage& m = m_message;
    // The message's own parts may move while the structure is rebuilt; follow the role, not the pointer.
    MimePart** slot = nullptr;
    if (part != nullptr && part == m.m_textPlainPart)
        slot = &m.m_textPlainPart;
    else if (part != nullptr && part == m.m_textHtmlPart)
        slot = &m.m_textHtmlPart;
    else if (part == nullptr && mimeType == "text/plain" && m.m_textPlainPart == nullptr)
        slot = &m.m_textPlainPart;
    else if (part == nullptr && mimeType == "text/html" && m.m_textHtmlPart == nullptr)
        slot = &m.m_textHtmlPart;
    if (part != nullptr)
        restructureWhenStale();
    else
        restructure(Coming::TextPart);
    if (part != nullptr && slot != nullptr)
        part = *slot;
    if (part == nullptr) {
        MimePart* container = m.m_textContainer;
        if (container == nullptr) {
            part = &m;
        } else if (mimeType == "text/plain") {
            part = newChild(*container, 0);
        } else if (mimeType == "text/html") {
            const auto& first = container->subParts();
            const bool afterPlain = !first.empty() && first.front()->contentType() == "text/plain";
            part = newChild(*container, afterPlain ? 1 : 0);
        } else {
            part = newChild(*container);
        }
    }
    part->setDecodedBody(base::normaliseLineBreaks(text));
    part->encode(m.m_textEncoding);
    part->setHeaderValue("Content-Type", mimeType);
    part->setHeaderParam("Content-Type", "charset", doubleQuoted(m.m_charset));
    part->setHeaderValue("Content-Disposition", "inline");
    setContentLength(*part);
    if (slot != nullptr)
        *slot = part;
    m.m_bodyStale = true;
    return part;
}

void MessageBuilder::attachFile(const std::filesystem::path& fileName, std::string_view mimeType,
                                bool embedded)
{
    attachStream(base::readFile(fileName), fileName.string(), embedded, mimeType);
}

void MessageBuilder::attachStream(std::string_view bytes, std::string_view fileName, bool embedded,
                                  std::string_view mimeType)
{
    MailMessage& m = m_message;
    restructure(embedded ? Coming::EmbeddedPart : Coming::Attachment);
    MimePart* container = embedded ? m.m_relatedPart : m.m_mixedPart;
    MimePart* part = container != nullptr ? newChild(*container) : &m;
    part->setDecodedBody(std::string(bytes));
    part->encode(m.m_attachEncoding);
    part->setHeaderValue("Content-Type",
                         mimeType.empty() ? codec::mimeTypeForFile(fileName) : std::string(mimeType));
    const std::string name = baseName(fileName);
    const std::string encodedName = doubleQuoted(codec::encodeHeaderText(name, m.m_charset));
    part->setHeaderValue(kAttachmentField, encodedName);
    setContentLength(*part);
    part->setEmbedded(embedded);
    if (embedded) {
        part->setHeaderValue("Content-Disposition", "inline");
        part->setHeaderParam(kAttachmentField, "embedded", "yes");
        if (m.m_embedMethod == emContentID)
            part->setHeaderValue("Content-ID", "<" + name + ">");
        else
            part->setHeaderValue("Content-Location", m.m_contentLocationBase + name);
    } else {
        part->setHeaderValue("Content-Disposition", "attachment");
        part->setHeaderParam("Content-Type", "name", encodedName);
        part->setHeaderParam("Content-Disposition", "filename", encodedName);
        part->setHeaderParam(kAttachmentField, "embedded", "no");
    }
    m.m_attachments.push_back(part);
    m.m_bodyStale = true;
}

void MessageBuilder::detachFile(int index)
{
    MailMessage& m = m_message;
    restructureWhenStale();
    if (index < 0 || static_cast<std::size_t>(index) >= m.m_attachments.size())
        throw std::out_of_range(m.m_name + ": Attachment index not found");
    MimePart* part = m.m_attachments[static_cast<std::size_t>(index)];
    m.m_attachments.erase(m.m_attachments.begin() + index);
    if (part == &m) {
        removeContentFields(m);
        m.m_encodedBody.clear();
        m.m_decodedBody.clear();
        m.m_isDecoded = false;
    } else {
        part->detach();
    }
    m.m_bodyStale = true;
    restructure();
}

void MessageBuilder::assembleBody()
{
    MailMessage& m = m_message;
    if (!m.m_bodyStale)
        return;
    if (!m.m_subParts.empty()) {
        std::string body(kPreamble);
        struct Frame
        {
            const MimePart* part;
            std::size_t next;
        };
        // Written without recursion, as deep as the tree goes.
        std::vector<Frame> stack{Frame{&m, 0}};
        while (!stack.empty()) {
            Frame& frame = stack.back();
            const auto& children = frame.part->subParts();
            if (frame.next == children.size()) {
                body += "\r\n--" + children.front()->parentBoundary() + "--\r\n";
                stack.pop_back();
                continue;
            }
            const MimePart& sub = *children[frame.next++];
            body += "\r\n--" + sub.parentBoundary() + "\r\n";
            for (const auto& line : sub.headerLines()) {
                if (!line.empty())
                    body += line + "\r\n";
            }
            body += "\r\n";
            if (sub.subParts().empty())
                body += sub.encodedBody();
            else
                stack.push_back(Frame{&sub, 0});
        }
        m.setEncodedBody(std::move(body));
    }
    setContentLength(m);
    m.m_bodyStale = false;
}

} // namespace vantor::mail::mime
