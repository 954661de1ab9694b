#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::mail::mime {

class MailMessage;

// Transfer encodings a part can be written with (values as stored: 0, 1, 2).
enum EncodingType
{
    etBase64 = 0,
    etQuotedPrintable = 1,
    etNoEncoding = 2
};

// One MIME part: header lines, encoded and decoded body, and the sub-parts it owns.
// Field names are matched case-insensitively; a field created is written with the name as given.
class MimePart
{
public:
    // A part belonging to the message `owner` (may be null: such a part ignores fill()).
    explicit MimePart(MailMessage* owner, MimePart* parent = nullptr);
    virtual ~MimePart();
    MimePart(const MimePart&) = delete;
    MimePart& operator=(const MimePart&) = delete;

    // One header field per entry; raw lines (continuations as own entries) after a header-only load.
    const std::vector<std::string>& headerLines() const { return m_headerLines; }
    // Replaces the header lines as they are (no unfolding, no normalising).
    void setHeaderLines(std::vector<std::string> lines);
    // The body as transmitted; for a multipart part the text before the first boundary.
    const std::string& encodedBody() const { return m_encodedBody; }
    void setEncodedBody(std::string body);
    // The body after transfer decoding (filled by decode()).
    const std::string& decodedBody() const { return m_decodedBody; }
    void setDecodedBody(std::string body);
    // Boundary of the enclosing multipart part, used when the part is written out.
    const std::string& parentBoundary() const { return m_parentBoundary; }
    void setParentBoundary(std::string boundary);
    MailMessage* ownerMessage() const { return m_ownerMessage; }
    // The enclosing part; null for the message and for detached parts.
    MimePart* parentPart() const { return m_parentPart; }
    // Child parts of a multipart part, in order.
    const std::vector<std::unique_ptr<MimePart>>& subParts() const { return m_subParts; }
    // decodedBody() has been produced since the last fill().
    bool isDecoded() const { return m_isDecoded; }
    // The part is an inline object of an HTML body (inside multipart/related).
    bool isEmbedded() const { return m_isEmbedded; }
    void setEmbedded(bool embedded) { m_isEmbedded = embedded; }

    // Main value of the first field `name` (ordinal 0) or of a later one, cut at the first unquoted ';'.
    std::string headerValue(std::string_view name, int ordinal = 0) const;
    // Value of parameter `param` of the first field `name`; empty when missing.
    std::string headerParam(std::string_view name, std::string_view param) const;
    // Sets or replaces the main value keeping parameters; an empty value removes the first such field.
    void setHeaderValue(std::string_view name, std::string_view value);
    // Sets or replaces a parameter; the value is written as given (callers add double quotes).
    void setHeaderParam(std::string_view name, std::string_view param, std::string_view value);
    bool hasHeader(std::string_view name) const;
    // The parameter exists with a non-empty value.
    bool hasHeaderParam(std::string_view name, std::string_view param) const;
    // Removes every field of that name (continuation entries included).
    void removeHeader(std::string_view name);

    // Parses `text` (up to its first NUL byte) into this part and its sub-parts; never fails.
    void fill(std::string_view text, bool withHeader);
    // Reads a text file and fills the part with it, header included; throws
    // std::filesystem::filesystem_error.
    void loadFromFile(const std::filesystem::path& path);
    // Writes getSource() as a CR LF text file; throws std::filesystem::filesystem_error.
    void saveToFile(const std::filesystem::path& path) const;
    // Folded header lines, an empty line, then the encoded body.
    std::string getSource() const;

    // A safe file name for the part (attachments); "unknown" when nothing names it.
    std::string fileName() const;
    // The Content-Type main value in lower case.
    std::string contentType() const;
    // The "boundary" parameter of Content-Type.
    std::string boundary() const;
    // Fills decodedBody() from encodedBody() per Content-Transfer-Encoding (once per fill); returns true.
    bool decode();
    // The body decoded (transfer encoding, then the Content-Type charset) into UTF-8, for a person to
    // read; decodedBody() keeps the bytes as sent.
    std::string decodedText();
    // Fills encodedBody() from decodedBody() and sets Content-Transfer-Encoding to match.
    void encode(EncodingType type);

    // Removes this part from its parent's sub-parts and hands over ownership (null when it has no parent).
    std::unique_ptr<MimePart> detach();
    // Appends (or inserts at `index`) a part as a child; sets its parent. Returns the raw pointer.
    MimePart* addSubPart(std::unique_ptr<MimePart> part, std::size_t index = static_cast<std::size_t>(-1));
    // Destroys every sub-part.
    void clearSubParts();

protected:
    // Empties header, bodies, sub-parts and the decoded/embedded flags.
    void clearPart();

private:
    friend class MimeParser;
    friend class MailMessage;
    friend class MessageBuilder;

    std::vector<std::string> m_headerLines;
    std::string m_encodedBody;
    std::string m_decodedBody;
    std::string m_parentBoundary;
    MailMessage* m_ownerMessage;
    std::vector<std::unique_ptr<MimePart>> m_subParts;
    MimePart* m_parentPart;
    bool m_isDecoded = false;
    bool m_isEmbedded = false;
};

} // namespace vantor::mail::mime
