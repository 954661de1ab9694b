#include "base/TextLines.h"

namespace vantor::base {

std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
    return lines;
}

std::string joinLinesCrLf(const std::vector<std::string>& lines)
{
    std::size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::string normaliseLineBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace vantor::base
