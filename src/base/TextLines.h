#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::base {

// Calls line(view) for every line of text, without copying; a line ends with CR LF, a lone CR or a lone
// LF, and a last line without a line break counts too. Each kind of line end is searched for once over
// the text, so long replies go at memchr speed.
template <typename Visitor> void forEachLine(std::string_view text, Visitor&& line)
{
    std::size_t start = 0;
    std::size_t nextCr = text.find('\r');
    std::size_t nextLf = text.find('\n');
    while (start < text.size()) {
        if (nextCr < start)
            nextCr = text.find('\r', start);
        if (nextLf < start)
            nextLf = text.find('\n', start);
        const std::size_t end = std::min(nextCr, nextLf);
        if (end == std::string_view::npos) {
            line(text.substr(start));
            return;
        }
        line(text.substr(start, end - start));
        start = end + ((end == nextCr && nextLf == end + 1) ? 2 : 1);
    }
}

// Lines of text broken at CR LF, a lone CR or a lone LF; a line break at the very end adds no empty line,
// so "" gives no line and "a\r\n" one.
[[nodiscard]] std::vector<std::string> splitLines(std::string_view text);

// The lines, each followed by CR LF.
[[nodiscard]] std::string joinLinesCrLf(const std::vector<std::string>& lines);

// Text with every line break (CR LF, a lone CR or a lone LF) made CR LF; nothing else changes, so text
// without a final line break gets none.
[[nodiscard]] std::string normaliseLineBreaks(std::string_view text);

} // namespace vantor::base
