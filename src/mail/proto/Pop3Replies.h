#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::mail::proto {

// Judgement and parsing of POP3 replies (RFC 1939).

// True when the reply is accepted: its first three bytes are "+OK" (exact case).
[[nodiscard]] bool isPop3Positive(std::string_view reply);

// True when a reply's complete status line refuses the command ("-ERR ..."). The reply then has no
// further lines, even for a multi-line command, so the wait can end at once.
[[nodiscard]] bool isPop3Refusal(std::string_view statusLine);

// What a LIST answer says about the mailbox.
struct MessageListing
{
    int messageCount = 0;            // number of the last listed message; 0 for an empty mailbox
    std::vector<std::int32_t> sizes; // size by message number, entry 0 is 0; empty for an empty mailbox
};

// Message numbers above this are refused: the size table has one entry per number up to the highest.
inline constexpr int MaxMessageNumber = 10'000'000;

// Parses a whole LIST answer (status line, listing lines, "." line; lines end with CR LF, CR or LF).
// The last listing line gives the count; numbers missing in between have size 0. A size that is not a
// plain number reads as 0. Nothing when a listing line does not begin with a message number (or one
// above MaxMessageNumber).
[[nodiscard]] std::optional<MessageListing> parseListing(std::string_view reply);

// The text of a whole multi-line answer (RETR, TOP): the status line and the final "." line removed,
// every line ended with CR LF (bare CR and LF line ends included), the leading "." of dot-stuffed lines
// ("..") removed. The text is cut at its first NUL byte; the line before it is kept as far as it goes.
[[nodiscard]] std::string multiLineText(std::string_view reply);

} // namespace vantor::mail::proto
