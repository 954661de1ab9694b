#pragma once

#include "mail/codec/MailDate.h"
#include "mail/mime/MimePart.h"
#include "mail/mime/RecipientList.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::mail::mime {

// How embedded parts are referenced from the HTML body (values as stored: 0, 1).
enum EmbedMethod
{
    emContentID = 0,
    emContentLocation = 1
};

// Display name and address of an address field.
struct MailAddress
{
    std::string name;
    std::string address;
};

// Progress of a parse: (sender, total bytes, current offset). The handler may pump the event loop.
using ProgressHandler = std::function<void(MimePart& sender, std::size_t total, std::size_t current)>;

// One mail message: the top MIME part plus the located bodies, attachments, recipient lists and the
// building operations that put a message together for sending or saving.
class MailMessage : public MimePart
{
public:
    MailMessage();
    ~MailMessage() override;

    // --- Located parts ----------------------------------------------------------------------------
    // The text bodies, containers and attachments of the tree. After a parse they are looked for when
    // first asked; the building operations keep them up to date as they go.
    const std::vector<MimePart*>& attachments();
    const std::vector<std::string>& textPlain();
    const std::vector<std::string>& textHtml();
    MimePart* textPlainPart();
    MimePart* textHtmlPart();
    MimePart* mixedPart();
    MimePart* relatedPart();
    MimePart* alternativePart();
    // The container that receives text parts while building.
    MimePart* textContainer();

    // --- Settings --------------------------------------------------------------------------------
    // Charset named in encoded words and text parts built ("utf-8" by default).
    const std::string& charset() const { return m_charset; }
    void setCharset(std::string charset) { m_charset = std::move(charset); }
    const ProgressHandler& onProgress() const { return m_onProgress; }
    void setOnProgress(ProgressHandler handler) { m_onProgress = std::move(handler); }
    int attachCounter() const { return m_attachCounter; }
    EncodingType textEncoding() const { return m_textEncoding; }
    void setTextEncoding(EncodingType type) { m_textEncoding = type; }
    EncodingType attachEncoding() const { return m_attachEncoding; }
    void setAttachEncoding(EncodingType type) { m_attachEncoding = type; }
    EmbedMethod embedMethod() const { return m_embedMethod; }
    void setEmbedMethod(EmbedMethod method) { m_embedMethod = method; }
    // Prefix of Content-Location values of embedded parts; ends with "/".
    const std::string& contentLocationBase() const { return m_contentLocationBase; }
    void setContentLocationBase(std::string base) { m_contentLocationBase = std::move(base); }
    // Version text written after "EMail Vantor " in X-Mailer.
    const std::string& versionText() const { return m_versionText; }
    void setVersionText(std::string version) { m_versionText = std::move(version); }
    // The component name used in error texts ("MailMessage" by default).
    const std::string& name() const { return m_name; }
    void setName(std::string name) { m_name = std::move(name); }

    // --- State flags -----------------------------------------------------------------------------
    // The multipart body text must be assembled again before sending.
    bool bodyStale() const { return m_bodyStale; }
    // The part structure must be rebuilt before a change.
    bool structureStale() const { return m_structureStale; }
    // The located parts must be looked for again (the next accessor of them does it).
    bool partsStale() const { return m_partsStale; }

    // --- Header accessors ------------------------------------------------------------------------
    // (display name, address) of an address field.
    MailAddress parseAddressHeader(std::string_view name) const;
    // The address of the From field; empty when missing.
    std::string fromAddress() const;
    // Writes From as "\"name\" <address>" (name encoded), "<address>", or removes it without address.
    void setFrom(std::string_view name, std::string_view address);
    // The decoded Subject in UTF-8 (raw 8-bit bytes read in the charset of the message's Content-Type).
    std::string subject() const;
    void setSubject(std::string_view text);
    // 0 (highest) .. 4 (lowest) from X-Priority, unchecked; 2 when absent or unreadable.
    int priority() const;
    // Writes X-Priority as p + 1.
    void setPriority(int priority);
    // The Date field as local time; nullopt when missing or unreadable (shown as codec::kZeroDate).
    std::optional<codec::LocalTime> messageDate() const;
    // Writes the Date field for a local time.
    void setMessageDate(codec::LocalTime localTime);
    RecipientList& toList() { return m_toList; }
    const RecipientList& toList() const { return m_toList; }
    RecipientList& ccList() { return m_ccList; }
    const RecipientList& ccList() const { return m_ccList; }
    RecipientList& bccList() { return m_bccList; }
    const RecipientList& bccList() const { return m_bccList; }

    // --- Loading ---------------------------------------------------------------------------------
    // Empties the message: parts, header, bodies, lists, references, flags, attach counter.
    void reset();
    // Header-only load as a TOP n 0 fetch gives it: reset, then one raw entry per CR LF line
    // (continuations kept as own entries, the empty separator line kept as the last entry).
    void loadRawHeader(std::string_view text);
    // Rebuilds a received message into the shape the building operations give one, as the mail check
    // and the backup of a deleted message do: locates its parts, writes its multipart body text, then
    // makes fresh containers with new boundaries, re-encodes its text parts and names its attachments.
    // Only what is stale is redone: a header-only message is left as it is, and one built or rebuilt
    // already only gets its body text written. encodedBody() stays the text as assembled before the rebuild
    // until the body is assembled again.
    void rebuildReceived();

    // --- Building --------------------------------------------------------------------------------
    // Puts a text body into `part` (created in the text container when null); returns the part holding it.
    MimePart* setTextPart(std::string_view text, MimePart* part, std::string_view mimeType);
    // The plain-text body; textPlain() becomes its lines.
    void setTextPlain(std::string_view text);
    // The HTML body; textHtml() becomes its lines.
    void setTextHtml(std::string_view text);
    // Reads the file and attaches it; throws std::filesystem::filesystem_error when it cannot be read.
    void attachFile(const std::filesystem::path& fileName, std::string_view mimeType = {},
                    bool embedded = false);
    // Adds an attachment (or an embedded part) holding `bytes`; type from the file name when empty.
    void attachStream(std::string_view bytes, std::string_view fileName, bool embedded = false,
                      std::string_view mimeType = {});
    // Removes attachment `index`; throws std::out_of_range "<name>: Attachment index not found".
    void detachFile(int index);
    // Writes the multipart body text when bodyStale().
    void assembleBody();
    // Sets Message-ID to "<yyyymmddhhnnss.HEX.HEX@host>" with now as the date part.
    void setMessageId(std::string_view host, codec::LocalTime now);

private:
    friend class MimePart;
    friend class MimeParser;
    friend class MessageBuilder;
    friend class PartLocator;

    // A header value's text in UTF-8: encoded words decoded, raw 8-bit bytes read in the message's charset.
    std::string decodedHeaderText(std::string_view value) const;
    // Marks body, structure and parts stale (every fill of a part of this message does so).
    void markStale();
    // Looks for the text bodies, the containers and the attachments; only when partsStale().
    void findParts();
    // Drops every reference to a part that is being destroyed.
    void forgetPart(const MimePart* part);
    // Empties the located lists and references.
    void clearLocated();

    std::vector<MimePart*> m_attachments;
    std::vector<std::string> m_textPlain;
    std::vector<std::string> m_textHtml;
    MimePart* m_textPlainPart = nullptr;
    MimePart* m_textHtmlPart = nullptr;
    MimePart* m_mixedPart = nullptr;
    MimePart* m_relatedPart = nullptr;
    MimePart* m_alternativePart = nullptr;
    MimePart* m_textContainer = nullptr;
    std::string m_charset = "utf-8";
    ProgressHandler m_onProgress;
    int m_attachCounter = 0;
    RecipientList m_toList;
    RecipientList m_ccList;
    RecipientList m_bccList;
    EncodingType m_textEncoding = etQuotedPrintable;
    EncodingType m_attachEncoding = etBase64;
    EmbedMethod m_embedMethod = emContentLocation;
    std::string m_contentLocationBase = "http://localhost/";
    std::string m_versionText = "2.5";
    std::string m_name = "MailMessage";
    bool m_bodyStale = false;
    bool m_structureStale = false;
    bool m_partsStale = false;
};

} // namespace vantor::mail::mime
