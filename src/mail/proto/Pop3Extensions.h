#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::mail::proto {

// The answers of the POP3 extensions this program uses for speed: CAPA (RFC 2449) and UIDL (RFC 1939).

// True when a whole positive CAPA answer (status line, capability lines, "." line) lists the capability
// (case-insensitive, as the first word of one of its lines).
[[nodiscard]] bool hasCapability(std::string_view capaReply, std::string_view capability);

// The unique ids of a whole positive UIDL answer, by message number (entry 0 and numbers the answer leaves
// out are empty). Nothing when a line does not read "number id", a number is 0 or above messageCount or
// comes twice, an id is not 1 to 70 printable characters, or one id belongs to two messages: such a
// listing cannot tell messages apart.
[[nodiscard]] std::optional<std::vector<std::string>> parseUniqueIds(std::string_view uidlReply,
                                                                     int messageCount);

} // namespace vantor::mail::proto
