#include "mail/codec/QuotedPrintable.h"

#include "mail/codec/HexDigits.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace vantor::mail::codec {

namespace {

constexpr std::size_t kMaxLineLength = 72;  // encoded lines, soft break included
constexpr std::size_t kMaxCutPosition = 71; // characters kept before the soft break

enum ByteClass : std::uint8_t
{
    Literal,
    Escape,
    CarriageReturn,
    LineFeed
};

constexpr std::array<ByteClass, 256> makeClassTable(bool headerMode)
{
    std::array<ByteClass, 256> table{};
    for (int c = 0; c < 256; ++c) {
        const bool control = c < 32 && c != '\t' && c != '\r' && c != '\n';
        table[c] = (c > 126 || c == '=' || control) ? Escape : Literal; // DEL is a control character too
    }
    table['\r'] = CarriageReturn;
    table['\n'] = LineFeed;
    if (headerMode) {
        for (const char c : std::string_view("\t\r\n \"'()<>?_")) {
            table[static_cast<unsigned char>(c)] = Escape;
        }
    }
    return table;
}

constexpr std::array<ByteClass, 256> kBodyClasses = makeClassTable(false);
constexpr std::array<ByteClass, 256> kHeaderClasses = makeClassTable(true);

char* writeEscape(char* out, unsigned char c)
{
    out[0] = '=';
    out[1] = kUpperHexDigits[c >> 4];
    out[2] = kUpperHexDigits[c & 0xF];
    return out + 3;
}

// Escapes and line ends; in body mode blanks right before CR LF become escapes, since mail transports
// strip them there. Only CR LF pairs stay literal.
std::string escapeText(std::string_view text, bool headerMode)
{
    const std::array<ByteClass, 256>& classes = headerMode ? kHeaderClasses : kBodyClasses;
    std::string out(text.size() * 3, '\0');
    char* cursor = out.data();
    std::size_t blankRun = 0; // literal blanks just written
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        ByteClass kind = classes[c];
        if (kind == CarriageReturn) {
            kind = (i + 1 < text.size() && text[i + 1] == '\n') ? Literal : Escape;
            if (kind == Literal && blankRun > 0) {
                cursor -= blankRun; // the blanks are the bytes right before this CR
                for (std::size_t k = i - blankRun; k < i; ++k) {
                    cursor = writeEscape(cursor, static_cast<unsigned char>(text[k]));
                }
            }
        } else if (kind == LineFeed) {
            kind = (i > 0 && text[i - 1] == '\r') ? Literal : Escape;
        }
        if (kind == Escape) {
            cursor = writeEscape(cursor, c);
            blankRun = 0;
            continue;
        }
        blankRun = (c == ' ' || c == '\t') ? blankRun + 1 : 0;
        *cursor++ = static_cast<char>(c);
    }
    out.resize(static_cast<std::size_t>(cursor - out.data()));
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

// Writes one escaped line with soft breaks so that no output line exceeds 72 characters, then CR LF.
char* writeCutLine(std::string_view line, char* out)
{
    while (line.size() >= kMaxLineLength) {
        const std::size_t position = cutPosition(line);
        out = std::copy_n(line.data(), position, out);
        out = std::copy_n("=\r\n", 3, out);
        line.remove_prefix(position);
    }
    out = std::copy_n(line.data(), line.size(), out);
    return std::copy_n("\r\n", 2, out);
}

std::string cutLines(std::string_view escaped)
{
    // Every soft break (3 bytes) follows at least 69 characters; the last line gains a CR LF.
    std::string out(escaped.size() + escaped.size() / 23 + 8, '\0');
    char* cursor = out.data();
    while (!escaped.empty()) {
        const std::size_t end = escaped.find("\r\n");
        cursor = writeCutLine(escaped.substr(0, end), cursor);
        escaped.remove_prefix(end == std::string_view::npos ? escaped.size() : end + 2);
    }
    out.resize(static_cast<std::size_t>(cursor - out.data()));
    return out;
}

// The Q encoding of encoded words reads "_" as a space and takes lower-case escapes as well.
template <bool QEncoding> std::string decode(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t next = QEncoding ? text.find_first_of("=_", i) : text.find('=', i);
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
        const auto hexValue = QEncoding ? anyCaseHexValue : upperHexValue;
        const int high = hexValue(first);
        const int low = hexValue(text[i + 2]);
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
