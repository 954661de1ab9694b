#pragma once

#include <string>
#include <string_view>

namespace vantor::mail::proto {

// Judgement of SMTP replies (RFC 5321). A reply is one or more lines "ddd-text" ended by a final line.

// True when a reply line (without CR LF) ends the reply: anything but a "ddd-" continuation line,
// so the code alone, "ddd text", and lines that carry no code at all.
[[nodiscard]] bool isSmtpFinalLine(std::string_view line);

// True when the reply's first three bytes are the expected code ("250", "354", ...).
[[nodiscard]] bool smtpReplyHasCode(std::string_view reply, std::string_view code);

// True for a piece that starts a reply with a permanent failure: its first three bytes read as a number
// above 499 and it ends with CR LF. Such a reply is refused at once, without waiting for more lines.
[[nodiscard]] bool isSmtpRefusalPiece(std::string_view piece);

// The message text made ready for DATA: a "." is doubled at the start of every line (after any LF, so a
// bare LF cannot end the data early), then the end-of-data line follows; a text that already ends with
// CR LF gets only ".\r\n", so no empty line is added to the message.
[[nodiscard]] std::string smtpDataBlock(std::string_view text);

} // namespace vantor::mail::proto
