// Feeds arbitrary server bytes to the POP3 and SMTP reply readers. The first input byte picks the reader;
// the rest is the reply. Besides surviving any bytes, each reader must agree with a plain restatement of
// what it promises: a listing's size table matches its count, a reply scanned in pieces completes exactly
// when the whole reply does, and a text sent as SMTP data comes back unchanged as a POP3 multi-line answer.
#include "fuzz_support/Require.h"
#include "mail/proto/Pop3Replies.h"
#include "mail/proto/ReplyScanner.h"
#include "mail/proto/SmtpReplies.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using namespace vantor::mail::proto;
using vantor::fuzz::require;

void checkListing(std::string_view reply)
{
    const auto listing = parseListing(reply);
    if (!listing)
        return;
    require(listing->messageCount >= 0 && listing->messageCount <= MaxMessageNumber);
    if (!listing->sizes.empty()) {
        require(listing->sizes.size() == static_cast<std::size_t>(listing->messageCount) + 1);
        require(listing->sizes[0] == 0);
        require(
            std::all_of(listing->sizes.begin(), listing->sizes.end(), [](auto size) { return size >= 0; }));
    }
}

void checkMultiLineText(std::string_view reply)
{
    const std::string text = multiLineText(reply);
    require(text.empty() || text.ends_with("\r\n"));
    require(text.find('\0') == std::string::npos);
    // Every line end grows to at most two bytes; the status line and the "." line go.
    require(text.size() <= 2 * reply.size());
}

// The reply line a scanner must judge: the last one, when the buffer ends with CR LF.
bool endsWithFinalSmtpLine(std::string_view buffer)
{
    if (!buffer.ends_with("\r\n"))
        return false;
    const std::string_view body = buffer.substr(0, buffer.size() - 2);
    const std::size_t previousEnd = body.rfind("\r\n");
    return isSmtpFinalLine(previousEnd == std::string_view::npos ? body : body.substr(previousEnd + 2));
}

std::string_view firstLine(std::string_view buffer)
{
    const std::size_t end = buffer.find("\r\n");
    return end == std::string_view::npos ? std::string_view() : buffer.substr(0, end + 2);
}

// The reply arrives in pieces of pseudo-random length drawn from seed, as a socket delivers it.
void checkReplyScanner(unsigned seed, std::string_view reply)
{
    const auto rule = static_cast<ReplyScanner::Rule>(seed % 3);
    const std::string suffix = (seed / 3) % 2 ? "\r\n.\r\n" : "\r\n";
    ReplyScanner scanner;
    scanner.restart(rule, rule == ReplyScanner::Rule::Suffix ? suffix : std::string());
    std::string buffer;
    std::uint32_t state = seed * 2654435761u + 1;
    for (std::size_t pos = 0; pos < reply.size();) {
        state = state * 1664525u + 1013904223u;
        const std::size_t length = std::min<std::size_t>(1 + (state >> 24) % 64, reply.size() - pos);
        buffer.append(reply.substr(pos, length));
        pos += length;
        scanner.scan(buffer);
        require(scanner.statusLine(buffer) == firstLine(buffer));
        const bool complete = scanner.isComplete(buffer);
        switch (rule) {
        case ReplyScanner::Rule::FirstPiece:
            require(complete);
            break;
        case ReplyScanner::Rule::Suffix:
            require(complete == buffer.ends_with(suffix));
            break;
        case ReplyScanner::Rule::SmtpFinalLine:
            // Cheap enough per piece: the backward search stops at the last line.
            require(complete == endsWithFinalSmtpLine(buffer));
            break;
        }
    }
    scanner.clearRule();
    require(scanner.isComplete(buffer));
}

// What the POP3 side makes of a text sent as SMTP data: the line ends of both sides are CR LF, so bare
// CR and NUL (which a POP3 reply cannot carry) are left out of the text.
void checkSmtp(std::string_view reply)
{
    (void)isSmtpFinalLine(reply);
    (void)isSmtpRefusalPiece(reply);
    require(smtpReplyHasCode(reply, reply.substr(0, 3)) == (reply.size() >= 3));

    std::string text;
    for (char c : reply) {
        if (c == '\n')
            text += "\r\n";
        else if (c != '\r' && c != '\0')
            text += c;
    }
    const std::string block = smtpDataBlock(text);
    // The data ends at its own end-of-data line and nowhere before.
    require(block.ends_with("\r\n.\r\n") && block.find("\r\n.\r\n") == block.size() - 5);
    require(!block.starts_with(".\r\n"));
    const std::string expected = text.empty() || !text.ends_with("\r\n") ? text + "\r\n" : text;
    require(multiLineText("+OK\r\n" + block) == expected);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view reply(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 4) {
    case 0:
        checkListing(reply);
        break;
    case 1:
        checkMultiLineText(reply);
        break;
    case 2:
        checkReplyScanner(data[0] / 4, reply);
        break;
    default:
        checkSmtp(reply);
        break;
    }
    return 0;
}
