#pragma once

#include <cstddef>
#include <string_view>

namespace vantor::mail::mime {

class MimePart;

// Parses raw message text into a part tree. Works without recursion: nested multiparts are queued, and
// nesting deeper than kMaxDepth keeps the deepest container's body unparsed.
class MimeParser
{
public:
    static constexpr int kMaxDepth = 100;

    // Parses text (up to its first NUL) into part; does nothing for a part without owner message.
    static void fill(MimePart& part, std::string_view text, bool withHeader);
};

} // namespace vantor::mail::mime
