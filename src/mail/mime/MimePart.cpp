#include "mail/mime/MimePart.h"

#include "base/AsciiCase.h"
#include "base/AtomicFile.h"
#include "base/FileReader.h"
#include "base/TextLines.h"
#include "mail/codec/Base64.h"
#include "mail/codec/Charsets.h"
#include "mail/codec/HeaderFolding.h"
#include "mail/codec/HeaderText.h"
#include "mail/codec/MimeTypes.h"
#include "mail/codec/QuotedPrintable.h"
#include "mail/codec/TextHelpers.h"
#include "mail/codec/UuDecode.h"
#include "mail/mime/Base64Body.h"
#include "mail/mime/HeaderLine.h"
#include "mail/mime/HeaderList.h"
#include "mail/mime/MailMessage.h"
#include "mail/mime/MimeParser.h"
#include "mail/mime/TextEnds.h"

namespace vantor::mail::mime {

MimePart::MimePart(MailMessage* owner, MimePart* parent)
    : m_ownerMessage(owner)
    , m_parentPart(parent)
{}

MimePart::~MimePart()
{
    clearSubParts();
    if (m_ownerMessage != nullptr && static_cast<MimePart*>(m_ownerMessage) != this)
        m_ownerMessage->forgetPart(this);
}

void MimePart::setHeaderLines(std::vector<std::string> lines)
{
    m_headerLines = std::move(lines);
}

void MimePart::setEncodedBody(std::string body)
{
    m_encodedBody = std::move(body);
    m_isDecoded = false;
}

void MimePart::setDecodedBody(std::string body)
{
    m_decodedBody = std::move(body);
    m_isDecoded = true;
}

void MimePart::setParentBoundary(std::string boundary)
{
    m_parentBoundary = std::move(boundary);
}

std::string MimePart::headerValue(std::string_view name, int ordinal) const
{
    const std::size_t index = HeaderList::find(m_headerLines, name, ordinal);
    if (index == HeaderList::npos)
        return {};
    return headerLineValue(HeaderList::joined(m_headerLines, index));
}

std::string MimePart::headerParam(std::string_view name, std::string_view param) const
{
    const std::size_t index = HeaderList::find(m_headerLines, name);
    if (index == HeaderList::npos)
        return {};
    return headerLineParam(HeaderList::joined(m_headerLines, index), param);
}

void MimePart::setHeaderValue(std::string_view name, std::string_view value)
{
    std::size_t index = HeaderList::find(m_headerLines, name);
    if (trimAll(value).empty()) {
        if (index != HeaderList::npos)
            HeaderList::erase(m_headerLines, index);
        return;
    }
    if (index == HeaderList::npos) {
        m_headerLines.push_back(std::string(name) + ": ");
        index = m_headerLines.size() - 1;
    }
    HeaderList::collapse(m_headerLines, index);
    m_headerLines[index] = withHeaderLineValue(m_headerLines[index], value);
}

void MimePart::setHeaderParam(std::string_view name, std::string_view param, std::string_view value)
{
    std::size_t index = HeaderList::find(m_headerLines, name);
    if (index == HeaderList::npos) {
        m_headerLines.push_back(std::string(name) + ": ");
        index = m_headerLines.size() - 1;
    }
    HeaderList::collapse(m_headerLines, index);
    m_headerLines[index] = withHeaderLineParam(m_headerLines[index], param, value);
}

bool MimePart::hasHeader(std::string_view name) const
{
    return HeaderList::find(m_headerLines, name) != HeaderList::npos;
}

bool MimePart::hasHeaderParam(std::string_view name, std::string_view param) const
{
    return !headerParam(name, param).empty();
}

void MimePart::removeHeader(std::string_view name)
{
    HeaderList::eraseAll(m_headerLines, name);
}

void MimePart::fill(std::string_view text, bool withHeader)
{
    MimeParser::fill(*this, text, withHeader);
}

void MimePart::loadFromFile(const std::filesystem::path& path)
{
    fill(base::joinLinesCrLf(base::splitLines(base::readFile(path))), true);
}

void MimePart::saveToFile(const std::filesystem::path& path) const
{
    if (const std::error_code error =
            base::AtomicFile::write(path, base::joinLinesCrLf(base::splitLines(getSource()))))
        throw std::filesystem::filesystem_error("cannot write the file", path, error);
}

std::string MimePart::getSource() const
{
    std::string source = codec::foldHeaderLines(m_headerLines);
    source += "\r\n";
    source += m_encodedBody;
    return source;
}

std::string MimePart::fileName() const
{
    std::string name = headerValue("X-Vantor-Attachment");
    if (name.empty())
        name = headerParam("Content-Type", "name");
    if (name.empty())
        name = headerParam("Content-Disposition", "filename");
    if (name.empty())
        name = headerValue("Content-ID");
    if (name.empty())
        name = headerValue("Content-Location");
    const std::string type = contentType();
    if (name.empty() && !type.empty())
        name = type + codec::extensionForMimeType(type);
    if (name.empty())
        name = "unknown";
    name = codec::decodeHeaderText(name);
    if (name.find('.') == std::string::npos && hasHeader("Content-Type"))
        name += codec::extensionForMimeType(type);
    return codec::safeFileName(name);
}

std::string MimePart::contentType() const
{
    return base::toLowerAscii(headerValue("Content-Type"));
}

std::string MimePart::boundary() const
{
    return headerParam("Content-Type", "boundary");
}

std::string MimePart::decodedText()
{
    decode();
    return codec::decodeCharset(m_decodedBody, headerParam("Content-Type", "charset"));
}

bool MimePart::decode()
{
    if (m_isDecoded || m_encodedBody.empty())
        return true;
    const std::string encoding = base::toLowerAscii(headerValue("Content-Transfer-Encoding"));
    if (encoding == "quoted-printable") {
        m_decodedBody = codec::decodeQuotedPrintable(untilNul(m_encodedBody));
    } else if (encoding == "base64") {
        m_decodedBody = decodeBase64Body(m_encodedBody);
    } else if (encoding == "uucode" || encoding == "x-uuencode") {
        m_decodedBody = codec::decodeUuText(m_encodedBody);
        m_encodedBody = codec::encodeBase64Stream(m_decodedBody);
        setHeaderValue("Content-Transfer-Encoding", "base64");
    } else {
        m_decodedBody = m_encodedBody;
    }
    m_isDecoded = true;
    return true;
}

void MimePart::encode(EncodingType type)
{
    switch (type) {
    case etBase64:
        m_encodedBody = codec::encodeBase64Stream(m_decodedBody);
        setHeaderValue("Content-Transfer-Encoding", "base64");
        break;
    case etQuotedPrintable:
        m_encodedBody =
            m_decodedBody.empty() ? std::string() : codec::encodeQuotedPrintable(m_decodedBody, false);
        setHeaderValue("Content-Transfer-Encoding", "quoted-printable");
        break;
    case etNoEncoding:
        m_encodedBody = m_decodedBody;
        removeHeader("Content-Transfer-Encoding");
        break;
    }
}

std::unique_ptr<MimePart> MimePart::detach()
{
    if (m_parentPart == nullptr)
        return nullptr;
    auto& siblings = m_parentPart->m_subParts;
    for (auto it = siblings.begin(); it != siblings.end(); ++it) {
        if (it->get() == this) {
            std::unique_ptr<MimePart> self = std::move(*it);
            siblings.erase(it);
            m_parentPart = nullptr;
            return self;
        }
    }
    m_parentPart = nullptr;
    return nullptr;
}

MimePart* MimePart::addSubPart(std::unique_ptr<MimePart> part, std::size_t index)
{
    MimePart* raw = part.get();
    raw->m_parentPart = this;
    if (index >= m_subParts.size())
        m_subParts.push_back(std::move(part));
    else
        m_subParts.insert(m_subParts.begin() + static_cast<std::ptrdiff_t>(index), std::move(part));
    return raw;
}

void MimePart::clearSubParts()
{
    // Flattened so that a deeply nested tree never recurses through the destructors.
    std::vector<std::unique_ptr<MimePart>> pending = std::move(m_subParts);
    m_subParts.clear();
    while (!pending.empty()) {
        std::unique_ptr<MimePart> part = std::move(pending.back());
        pending.pop_back();
        for (auto& child : part->m_subParts)
            pending.push_back(std::move(child));
        part->m_subParts.clear();
    }
}

void MimePart::clearPart()
{
    clearSubParts();
    m_headerLines.clear();
    m_encodedBody.clear();
    m_decodedBody.clear();
    m_isDecoded = false;
    m_isEmbedded = false;
}

} // namespace vantor::mail::mime
