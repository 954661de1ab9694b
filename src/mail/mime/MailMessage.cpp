#include "mail/mime/MailMessage.h"

#include "base/TextLines.h"
#include "mail/codec/Charsets.h"
#include "mail/codec/HeaderText.h"
#include "mail/codec/Identifiers.h"
#include "mail/codec/TextHelpers.h"
#include "mail/mime/AddressScanner.h"
#include "mail/mime/MessageBuilder.h"
#include "mail/mime/PartLocator.h"
#include "mail/mime/TextEnds.h"

#include <algorithm>
#include <charconv>

namespace vantor::mail::mime {

namespace {

// A whole decimal integer (optional sign), or the fallback.
int toIntOr(std::string_view text, int fallback)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return fallback;
    return value;
}

} // namespace

MailMessage::MailMessage()
    : MimePart(this)
    , m_toList(*this, "To")
    , m_ccList(*this, "Cc")
    , m_bccList(*this, "Bcc")
{}

MailMessage::~MailMessage()
{
    // Parts are destroyed while the message's lists still exist, since each one signs off from them.
    clearLocated();
    clearSubParts();
}

MailAddress MailMessage::parseAddressHeader(std::string_view name) const
{
    MailAddress result = AddressScanner::scanSingle(trimAll(headerValue(name)));
    result.name = decodedHeaderText(result.name);
    return result;
}

std::string MailMessage::decodedHeaderText(std::string_view value) const
{
    // Many mailers write a header in the body's charset without encoded words: such bytes are read in
    // that charset. Encoded words are ASCII in every charset a header can be written in.
    const bool rawEightBit = std::any_of(value.begin(), value.end(), [](char c) { return (c & 0x80) != 0; });
    if (rawEightBit && !codec::isWellFormedUtf8(value))
        return codec::decodeHeaderText(codec::decodeCharset(value, headerParam("Content-Type", "charset")));
    return codec::decodeHeaderText(value);
}

std::string MailMessage::fromAddress() const
{
    return parseAddressHeader("From").address;
}

void MailMessage::setFrom(std::string_view name, std::string_view address)
{
    setHeaderValue("From", AddressScanner::format(name, address, m_charset));
}

std::string MailMessage::subject() const
{
    return decodedHeaderText(headerValue("Subject"));
}

void MailMessage::setSubject(std::string_view text)
{
    setHeaderValue("Subject", codec::encodeHeaderText(text, m_charset));
}

int MailMessage::priority() const
{
    const std::string first = codec::extractField(0, headerValue("X-Priority"), " ", ")\"", "(\"");
    return toIntOr(first, 3) - 1;
}

void MailMessage::setPriority(int priority)
{
    setHeaderValue("X-Priority", std::to_string(priority + 1));
}

std::optional<codec::LocalTime> MailMessage::messageDate() const
{
    return codec::parseMailDate(codec::trimBlanks(headerValue("Date")));
}

void MailMessage::setMessageDate(codec::LocalTime localTime)
{
    setHeaderValue("Date", codec::formatMailDate(localTime));
}

const std::vector<MimePart*>& MailMessage::attachments()
{
    findParts();
    return m_attachments;
}

const std::vector<std::string>& MailMessage::textPlain()
{
    findParts();
    return m_textPlain;
}

const std::vector<std::string>& MailMessage::textHtml()
{
    findParts();
    return m_textHtml;
}

MimePart* MailMessage::textPlainPart()
{
    findParts();
    return m_textPlainPart;
}

MimePart* MailMessage::textHtmlPart()
{
    findParts();
    return m_textHtmlPart;
}

MimePart* MailMessage::mixedPart()
{
    findParts();
    return m_mixedPart;
}

MimePart* MailMessage::relatedPart()
{
    findParts();
    return m_relatedPart;
}

MimePart* MailMessage::alternativePart()
{
    findParts();
    return m_alternativePart;
}

MimePart* MailMessage::textContainer()
{
    findParts();
    return m_textContainer;
}

void MailMessage::findParts()
{
    if (m_partsStale)
        PartLocator(*this).run();
}

void MailMessage::reset()
{
    clearLocated();
    clearPart();
    m_bodyStale = false;
    m_structureStale = false;
    m_partsStale = false;
    m_attachCounter = 0;
}

void MailMessage::loadRawHeader(std::string_view text)
{
    reset();
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find("\r\n", pos);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(pos));
            break;
        }
        lines.emplace_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    setHeaderLines(std::move(lines));
}

void MailMessage::rebuildReceived()
{
    findParts();
    // The body is assembled from the tree as received, before the rebuild gives the message new containers.
    MessageBuilder builder(*this);
    builder.assembleBody();
    std::string assembled = m_encodedBody;
    builder.restructureWhenStale();
    // The rebuild of a multipart message hands its own body to its parts; the message keeps the text as it
    // was assembled, which is what the backup of a deleted message saves. The body stays stale, so the next
    // assembly writes it afresh from the new containers.
    if (m_encodedBody.empty() && !subParts().empty())
        m_encodedBody = std::move(assembled);
}

MimePart* MailMessage::setTextPart(std::string_view text, MimePart* part, std::string_view mimeType)
{
    return MessageBuilder(*this).setTextPart(text, part, mimeType);
}

void MailMessage::setTextPlain(std::string_view text)
{
    m_textPlainPart = setTextPart(text, m_textPlainPart, "text/plain");
    m_textPlain = base::splitLines(text);
}

void MailMessage::setTextHtml(std::string_view text)
{
    m_textHtmlPart = setTextPart(text, m_textHtmlPart, "text/html");
    m_textHtml = base::splitLines(text);
}

void MailMessage::attachFile(const std::filesystem::path& fileName, std::string_view mimeType, bool embedded)
{
    MessageBuilder(*this).attachFile(fileName, mimeType, embedded);
}

void MailMessage::attachStream(std::string_view bytes, std::string_view fileName, bool embedded,
                               std::string_view mimeType)
{
    MessageBuilder(*this).attachStream(bytes, fileName, embedded, mimeType);
}

void MailMessage::detachFile(int index)
{
    MessageBuilder(*this).detachFile(index);
}

void MailMessage::assembleBody()
{
    MessageBuilder(*this).assembleBody();
}

void MailMessage::setMessageId(std::string_view host, codec::LocalTime now)
{
    setHeaderValue("Message-ID", codec::newMessageId(now, host));
}

void MailMessage::markStale()
{
    m_bodyStale = true;
    m_structureStale = true;
    m_partsStale = true;
}

void MailMessage::forgetPart(const MimePart* part)
{
    std::erase(m_attachments, part);
    for (MimePart** ref : {&m_textPlainPart, &m_textHtmlPart, &m_mixedPart, &m_relatedPart,
                           &m_alternativePart, &m_textContainer}) {
        if (*ref == part)
            *ref = nullptr;
    }
}

void MailMessage::clearLocated()
{
    m_attachments.clear();
    m_textPlain.clear();
    m_textHtml.clear();
    m_textPlainPart = nullptr;
    m_textHtmlPart = nullptr;
    m_mixedPart = nullptr;
    m_relatedPart = nullptr;
    m_alternativePart = nullptr;
    m_textContainer = nullptr;
}

} // namespace vantor::mail::mime
