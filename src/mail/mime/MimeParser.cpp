#include "mail/mime/MimeParser.h"

#include "base/AsciiCase.h"
#include "mail/codec/Base64.h"
#include "mail/codec/HeaderText.h"
#include "mail/codec/Identifiers.h"
#include "mail/codec/MimeTypes.h"
#include "mail/codec/QuotedPrintable.h"
#include "mail/codec/UuDecode.h"
#include "mail/mime/HeaderLine.h"
#include "mail/mime/HeaderList.h"
#include "mail/mime/MailMessage.h"
#include "mail/mime/TextEnds.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace vantor::mail::mime {

namespace {

constexpr std::string_view kUuBegin = "begin 6";
constexpr std::string_view kUuEnd = "end";
// "begin 644 " is ten characters; the file name follows.
constexpr std::size_t kUuNameOffset = 10;

// Lines separated by CR LF only; a lone CR or LF is part of the line.
class LineCursor
{
public:
    explicit LineCursor(std::string_view text)
        : m_text(text)
    {}

    bool atEnd() const { return m_pos >= m_text.size(); }
    // Offset where the next line starts (the text size once all lines are read).
    std::size_t pos() const { return m_pos; }
    // Offset of the line returned last.
    std::size_t lineStart() const { return m_lineStart; }

    std::string_view next()
    {
        m_lineStart = m_pos;
        std::size_t search = m_pos;
        while (search < m_text.size()) {
            const void* cr = std::memchr(m_text.data() + search, '\r', m_text.size() - search);
            if (cr == nullptr)
                break;
            const auto at = static_cast<std::size_t>(static_cast<const char*>(cr) - m_text.data());
            if (at + 1 < m_text.size() && m_text[at + 1] == '\n') {
                m_pos = at + 2;
                return m_text.substr(m_lineStart, at - m_lineStart);
            }
            search = at + 1;
        }
        m_pos = m_text.size();
        return m_text.substr(m_lineStart);
    }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
    std::size_t m_lineStart = 0;
};

// Progress of the top-level parse of a message; silent for sub-parts and parts without handler.
class Progress
{
public:
    Progress(const ProgressHandler* handler, MimePart& sender, std::size_t total)
        : m_handler(handler)
        , m_sender(sender)
        , m_total(total)
    {}

    bool active() const { return m_handler != nullptr; }
    void report(std::size_t current) const
    {
        if (m_handler != nullptr)
            (*m_handler)(m_sender, m_total, current);
    }
    void lineRead(const LineCursor& cursor) const { report(cursor.lineStart() + 1); }

private:
    const ProgressHandler* m_handler;
    MimePart& m_sender;
    std::size_t m_total;
};

struct Job
{
    MimePart* part;
    std::string_view text;
    bool withHeader;
    int depth;
};

class PartParser
{
public:
    PartParser(const Job& job, const Progress& progress, std::vector<Job>& children)
        : m_part(*job.part)
        , m_owner(*job.part->ownerMessage())
        , m_job(job)
        , m_cursor(job.text)
        , m_progress(progress)
        , m_children(children)
    {}

    void run();

private:
    std::string_view nextLine()
    {
        const std::string_view line = m_cursor.next();
        m_progress.lineRead(m_cursor);
        return line;
    }

    void readHeader();
    void readSinglePart();
    void readMultipart(std::string_view boundary);
    void readPlain();
    std::string makeMixed(std::string_view text);
    void addUuFile(std::string_view beginLine, std::string_view data, const std::string& boundary);
    void addChild(std::string_view text, const std::string& boundary);

    MimePart& m_part;
    MailMessage& m_owner;
    const Job& m_job;
    LineCursor m_cursor;
    const Progress& m_progress;
    std::vector<Job>& m_children;
};

void PartParser::run()
{
    if (m_job.withHeader)
        readHeader();
    const std::string type = m_part.contentType();
    if (base::startsWithIgnoreCase(type, "multipart/") && m_job.depth < MimeParser::kMaxDepth)
        readMultipart(m_part.boundary());
    else if (m_part.hasHeader("Content-Type"))
        readSinglePart();
    else
        readPlain();
}

void PartParser::readHeader()
{
    std::vector<std::string> entries;
    while (!m_cursor.atEnd()) {
        const std::string_view line = nextLine();
        if (line.empty())
            break;
        if ((line[0] == ' ' || line[0] == '\t') && !entries.empty())
            HeaderList::appendContinuation(entries.back(), line);
        else
            entries.emplace_back(line);
    }
    for (auto& entry : entries)
        entry = normaliseHeaderLine(entry);
    m_part.setHeaderLines(std::move(entries));
}

void PartParser::readSinglePart()
{
    const std::size_t bodyStart = m_cursor.pos();
    if (m_progress.active()) {
        while (!m_cursor.atEnd())
            nextLine();
    }
    m_part.setEncodedBody(std::string(m_job.text.substr(bodyStart)));
}

void PartParser::readMultipart(std::string_view boundary)
{
    const std::string start = "--" + std::string(boundary);
    const std::string end = start + "--";
    const std::size_t bodyStart = m_cursor.pos();
    bool delimiterSeen = false;
    std::size_t partStart = 0;
    while (!m_cursor.atEnd()) {
        const std::string_view line = nextLine();
        if (line.substr(0, start.size()) != start)
            continue;
        const std::size_t lineStart = m_cursor.lineStart();
        if (!delimiterSeen) {
            m_part.setEncodedBody(std::string(m_job.text.substr(bodyStart, lineStart - bodyStart)));
        } else {
            // The line break before a delimiter belongs to the delimiter, so bodies keep their bytes.
            const std::size_t partEnd = lineStart >= partStart + 2 ? lineStart - 2 : partStart;
            addChild(m_job.text.substr(partStart, partEnd - partStart), std::string(boundary));
        }
        delimiterSeen = true;
        if (line.substr(0, end.size()) == end)
            return;
        partStart = m_cursor.pos();
    }
    if (!delimiterSeen)
        m_part.setEncodedBody(std::string(m_job.text.substr(bodyStart)));
}

void PartParser::addChild(std::string_view text, const std::string& boundary)
{
    auto child = std::make_unique<MimePart>(&m_owner, &m_part);
    child->setParentBoundary(boundary);
    MimePart* raw = m_part.addSubPart(std::move(child));
    m_children.push_back(Job{raw, text, true, m_job.depth + 1});
}

void PartParser::readPlain()
{
    const std::size_t bodyStart = m_cursor.pos();
    std::string_view line;
    bool found = false;
    while (!m_cursor.atEnd() && !found) {
        line = nextLine();
        found = line.substr(0, kUuBegin.size()) == kUuBegin;
    }
    if (!found) {
        m_part.setEncodedBody(std::string(m_job.text.substr(bodyStart)));
        return;
    }
    const std::string_view collected = m_job.text.substr(bodyStart, m_cursor.lineStart() - bodyStart);
    m_part.setEncodedBody(std::string(collected));
    const std::string boundary = makeMixed(collected);
    while (found) {
        const std::string_view beginLine = line;
        const std::size_t dataStart = m_cursor.pos();
        std::size_t dataEnd = m_job.text.size();
        while (!m_cursor.atEnd()) {
            if (nextLine().substr(0, kUuEnd.size()) == kUuEnd) {
                dataEnd = m_cursor.lineStart();
                break;
            }
        }
        addUuFile(beginLine, m_job.text.substr(dataStart, dataEnd - dataStart), boundary);
        // Text between an "end" line and the next "begin" line is not kept.
        found = false;
        while (!m_cursor.atEnd() && !found) {
            line = nextLine();
            found = line.substr(0, kUuBegin.size()) == kUuBegin;
        }
    }
}

std::string PartParser::makeMixed(std::string_view text)
{
    std::string boundary = codec::newBoundary();
    auto textPart = std::make_unique<MimePart>(&m_owner, &m_part);
    textPart->setEncodedBody(codec::encodeQuotedPrintable(text, false));
    textPart->setHeaderValue("Content-Type", "text/plain");
    textPart->setHeaderParam("Content-Type", "charset", doubleQuoted(m_owner.charset()));
    textPart->setHeaderValue("Content-Transfer-Encoding", "quoted-printable");
    textPart->setParentBoundary(boundary);
    m_part.addSubPart(std::move(textPart));
    m_part.setHeaderValue("Content-Type", "multipart/mixed");
    m_part.setHeaderParam("Content-Type", "boundary", doubleQuoted(boundary));
    return boundary;
}

void PartParser::addUuFile(std::string_view beginLine, std::string_view data, const std::string& boundary)
{
    const std::string name(trimAll(beginLine.substr(std::min(kUuNameOffset, beginLine.size()))));
    const std::string encodedName = doubleQuoted(codec::encodeHeaderText(name, m_owner.charset()));
    auto file = std::make_unique<MimePart>(&m_owner, &m_part);
    std::string bytes = codec::decodeUuText(data);
    file->setEncodedBody(codec::encodeBase64Stream(bytes));
    file->setDecodedBody(std::move(bytes));
    file->setHeaderValue("Content-Type", codec::mimeTypeForFile(name));
    file->setHeaderParam("Content-Type", "name", encodedName);
    file->setHeaderValue("Content-Transfer-Encoding", "base64");
    file->setHeaderValue("Content-Disposition", "attachment");
    file->setHeaderParam("Content-Disposition", "filename", encodedName);
    file->setHeaderValue("X-Vantor-Attachment", encodedName);
    file->setHeaderParam("X-Vantor-Attachment", "embedded", "no");
    file->setParentBoundary(boundary);
    m_part.addSubPart(std::move(file));
}

} // namespace

void MimeParser::fill(MimePart& part, std::string_view text, bool withHeader)
{
    MailMessage* owner = part.ownerMessage();
    if (owner == nullptr)
        return;
    text = untilNul(text);
    const bool isMessage = static_cast<MimePart*>(owner) == &part;
    const ProgressHandler* handler = isMessage && owner->onProgress() ? &owner->onProgress() : nullptr;
    const Progress topProgress(handler, part, text.size());
    const Progress silent(nullptr, part, 0);
    topProgress.report(0);

    std::vector<Job> pending{Job{&part, text, withHeader, 0}};
    std::vector<Job> children;
    while (!pending.empty()) {
        const Job job = pending.back();
        pending.pop_back();
        if (job.part == &part && isMessage)
            owner->clearLocated();
        job.part->clearPart();
        owner->markStale();
        children.clear();
        PartParser(job, job.depth == 0 ? topProgress : silent, children).run();
        // Queued in reverse so that parts are parsed in document order.
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
    topProgress.report(text.size());
}

} // namespace vantor::mail::mime
