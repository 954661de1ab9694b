#include "mail/codec/QuotedPrintable.h"

#include "mail/codec/HexDigits.h"


namespace vantor::mail::codec {

namespace {

constexpr std::size_t kMaxLineLength = 72;  // encoded lines, soft break included
constexpr std::size_t kMaxCutPosition = 71; // characters kept before the soft break

bool isHeaderModeEscape(unsigned char c)
{
    switch (c) {
    case ' ':
    case '"':
    case '\'':
    case '(':
    case ')':
    case '<':
    case '>':
    case '?':
    case '_':
        return true;
    default:
        return c >= 9 && c <= 31;
    }
}

void appendEscape(std::string& out, unsigned char c)
{
    out += '=';
    out += kUpperHexDigits[c >> 4];
    out += kUpperHexDigits[c & 0xF];
}

// Whether text[i] must be written as an escape.
bool needsEscape(std::string_view text, std::size_t i, bool headerMode)
{
    const auto c = static_cast<unsigned char>(text[i]);
    if (c > 126 || c == '=') {
        return true; // DEL is a control character too
    }
    if (c == '\r') {
        return headerMode || i + 1 >= text.size() || text[i + 1] != '\n';
    }
    if (c == '\n') {
        return headerMode || i == 0 || text[i - 1] != '\r';
    }
    if (c < 32 && c != '\t') {
        return true;
    }
    return headerMode && isHeaderModeEscape(c);
}

// Escapes and line ends; in body mode blanks right before CR LF become escapes, since mail transports
// strip them there.
std::string escapeText(std::string_view text, bool headerMode)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8 + 16);
    std::size_t blankRun = 0; // literal blanks at the end of out
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (needsEscape(text, i, headerMode)) {
            appendEscape(out, static_cast<unsigned char>(c));
            blankRun = 0;
            continue;
        }
        if (c == '\r' && blankRun > 0) {
            // The literal blanks at the end of out are the bytes right before this CR.
            out.resize(out.size() - blankRun);
            for (std::size_t k = i - blankRun; k < i; ++k) {
                appendEscape(out, static_cast<unsigned char>(text[k]));
            }
        }
        blankRun = (c == ' ' || c == '\t') ? blankRun + 1 : 0;
        out += c;
    }
    return out;
}

// Where a line of 72 or more escaped characters is cut: after character 71, or earlier at the start
// of an escape that would otherwise be split. Every "=" in escaped text starts a three-character
// escape, so stepping back from the end of the line over whole escapes lands on the same position.
std::size_t cutPosition(std::string_view line)
{
    for (std::size_t start = kMaxCutPosition - 2; start < kMaxCutPosition; ++start) {
        if (line[start] == '=') {
            return start;
        }
    }
    return kMaxCutPosition;
}

// Writes one escaped line with soft breaks so that no output line exceeds 72 characters.
void appendCutLine(std::string& out, std::string_view line)
{
    while (line.size() >= kMaxLineLength) {
        const std::size_t position = cutPosition(line);
        out.append(line.substr(0, position));
        out += "=\r\n";
        line.remove_prefix(position);
    }
    out.append(line);
    out += "\r\n";
}

std::string cutLines(std::string_view escaped)
{
    std::string out;
    out.reserve(escaped.size() + escaped.size() / 32 + 4);
    while (!escaped.empty()) {
        const std::size_t end = escaped.find("\r\n");
        appendCutLine(out, escaped.substr(0, end));
        escaped.remove_prefix(end == std::string_view::npos ? escaped.size() : end + 2);
    }
    return out;
}

template <bool UnderscoreIsSpace>
std::string decode(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t next = UnderscoreIsSpace ? text.find_first_of("=_", i) : text.find('=', i);
        const std::size_t runEnd = next == std::string_view::npos ? text.size() : next;
        out.append(text.data() + i, runEnd - i);
        i = runEnd;
        if (i >= text.size()) {
            break;
        }
        if (text[i] == '_') {
            out += ' ';
            ++i;
            continue;
        }
        if (text.size() - i < 3) {
            break; // a cut-off escape ends the text
        }
        const char first = text[i + 1];
        if (first == '\n') {
            i += 2; // soft break of a text whose CR LF became LF
            continue;
        }
        const int high = upperHexValue(first);
        const int low = upperHexValue(text[i + 2]);
        if (high >= 0 && low >= 0) {
            out += static_cast<char>(high * 16 + low);
        }
        i += 3; // "=" CR LF (soft break) and malformed escapes give nothing
    }
    return out;
}

} // namespace

std::string encodeQuotedPrintable(std::string_view text, bool headerMode)
{
    std::string escaped = escapeText(text, headerMode);
    return headerMode ? escaped : cutLines(escaped);
}

std::string decodeQuotedPrintable(std::string_view text)
{
    return decode<false>(text);
}

std::string decodeQEncoding(std::string_view text)
{
    return decode<true>(text);
}

} // namespace vantor::mail::codec
