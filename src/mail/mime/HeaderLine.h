#pragma once

#include <string>
#include <string_view>

namespace vantor::mail::mime {

// One header field line "Name: value; param=value": reading and rewriting its parts. Double quotes
// protect ':', ';' and '=' everywhere on the line.

// The line with its name capitalised ("Message-ID", "Mime-Version") and blank runs ending in a space
// outside quotes made one space: trimmed name, one space, trimmed value.
[[nodiscard]] std::string normaliseHeaderLine(std::string_view line);

// Main value: after the first unquoted ':' up to the next unquoted ';', trimmed, enclosing quotes removed.
// Free-text fields (Subject, Comments, Keywords) have no parameters: their value runs to the end.
[[nodiscard]] std::string headerLineValue(std::string_view line);

// Value of parameter `param` (case-insensitive), trimmed and unquoted; empty when missing.
[[nodiscard]] std::string headerLineParam(std::string_view line, std::string_view param);

// The line with its main value replaced by " " + trimmed value, parameters kept (a free-text field has
// none: its whole value is replaced).
[[nodiscard]] std::string withHeaderLineValue(std::string_view line, std::string_view value);

// The line with parameter `param` set to the trimmed value (added when missing); no trailing ';'.
[[nodiscard]] std::string withHeaderLineParam(std::string_view line, std::string_view param,
                                              std::string_view value);

// Removes one pair of enclosing double quotes, then (on a text longer than 2) one pair of enclosing
// quotes or apostrophes, trimming blanks before each step.
[[nodiscard]] std::string_view unquoteHeaderText(std::string_view text);

} // namespace vantor::mail::mime
