#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantor::mail::proto {

// Command lines for POP3 and SMTP. An argument that holds a CR or LF would let one value smuggle a
// second command onto the wire, so such a command is never built.

// True when text can travel as (part of) one command line: it holds neither CR nor LF.
[[nodiscard]] bool isSafeArgument(std::string_view text);

// "VERB\r\n", or "VERB argument\r\n" for a non-empty argument; nothing when the argument is unsafe.
[[nodiscard]] std::optional<std::string> commandLine(std::string_view verb, std::string_view argument = {});

// An SMTP path command: verb + " <" + address + ">\r\n" ("MAIL FROM:", "RCPT TO:"); nothing when the
// address is unsafe.
[[nodiscard]] std::optional<std::string> pathCommand(std::string_view verb, std::string_view address);

// One AUTH LOGIN answer: the base64 of the whole value on one line, then CR LF (an empty value gives an
// empty line); nothing when the value is unsafe.
[[nodiscard]] std::optional<std::string> authLoginLine(std::string_view value);

} // namespace vantor::mail::proto
