#include "mail/codec/Base64.h"

#include "mail/codec/TextHelpers.h"

#include "mail/codec/ReserveMore.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace vantor::mail::codec {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::size_t kBytesPerLine = 57; // 76 characters of output
constexpr std::int8_t kSkip = -1;
constexpr std::int8_t kPad = -2;

constexpr std::array<std::int8_t, 256> makeDecodeTable()
{
    std::array<std::int8_t, 256> table{};
    for (auto& entry : table) {
        entry = kSkip;
    }
    for (int i = 0; i < 64; ++i) {
        table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::int8_t>(i);
    }
    table['='] = kPad;
    return table;
}

constexpr std::array<std::int8_t, 256> kDecodeTable = makeDecodeTable();

std::int8_t symbolOf(char c)
{
    return kDecodeTable[static_cast<unsigned char>(c)];
}

void appendGroup(std::string& out, const unsigned char* bytes, std::size_t count)
{
    const std::uint32_t b0 = bytes[0];
    const std::uint32_t b1 = count > 1 ? bytes[1] : 0;
    const std::uint32_t b2 = count > 2 ? bytes[2] : 0;
    const std::uint32_t triple = (b0 << 16) | (b1 << 8) | b2;
    out += kAlphabet[(triple >> 18) & 0x3F];
    out += kAlphabet[(triple >> 12) & 0x3F];
    out += count > 1 ? kAlphabet[(triple >> 6) & 0x3F] : '=';
    out += count > 2 ? kAlphabet[triple & 0x3F] : '=';
}

void appendEncodedLine(std::string& out, std::string_view chunk)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(chunk.data());
    for (std::size_t i = 0; i < chunk.size(); i += 3) {
        appendGroup(out, bytes + i, std::min<std::size_t>(3, chunk.size() - i));
    }
}

// Bytes of one complete group of four symbols, "=" padding honoured.
void appendDecodedGroup(std::string& out, const std::int8_t (&group)[4])
{
    if (group[0] == kPad || group[1] == kPad) {
        return;
    }
    const std::uint32_t high = (static_cast<std::uint32_t>(group[0]) << 18) |
                               (static_cast<std::uint32_t>(group[1]) << 12);
    out += static_cast<char>(high >> 16);
    if (group[2] == kPad) {
        return;
    }
    const std::uint32_t middle = high | (static_cast<std::uint32_t>(group[2]) << 6);
    out += static_cast<char>((middle >> 8) & 0xFF);
    if (group[3] == kPad) {
        return;
    }
    out += static_cast<char>((middle | static_cast<std::uint32_t>(group[3])) & 0xFF);
}

// Line breaks made CR LF, one final line break dropped.
std::string withCrLfBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            out += c;
        }
    }
    if (out.ends_with("\r\n")) {
        out.resize(out.size() - 2);
    }
    return out;
}

} // namespace

std::string encodeBase64Stream(std::string_view source)
{
    const std::size_t lines = (source.size() + kBytesPerLine - 1) / kBytesPerLine;
    std::string out;
    out.reserve((source.size() + 2) / 3 * 4 + lines * 2);
    while (!source.empty()) {
        const std::string_view chunk = source.substr(0, kBytesPerLine);
        appendEncodedLine(out, chunk);
        out += "\r\n";
        source.remove_prefix(chunk.size());
    }
    return out;
}

std::string encodeBase64Text(std::string_view text)
{
    const std::string normalized = withCrLfBreaks(text);
    std::string out;
    appendEncodedLine(out, std::string_view(normalized).substr(0, kBytesPerLine));
    return out;
}

std::size_t decodeBase64Line(std::string_view line, std::string& out)
{
    const std::size_t before = out.size();
    reserveMore(out, line.size() / 4 * 3 + 3);
    const char* p = line.data();
    const char* const end = p + line.size();
    std::int8_t group[4];
    int filled = 0;
    while (p != end) {
        // Fast path: four alphabet characters at a group start, the common case of well-formed lines.
        if (filled == 0 && end - p >= 4) {
            const std::int8_t a = symbolOf(p[0]), b = symbolOf(p[1]), c = symbolOf(p[2]), d = symbolOf(p[3]);
            if ((a | b | c | d) >= 0) {
                const std::uint32_t triple = (static_cast<std::uint32_t>(a) << 18) |
                                             (static_cast<std::uint32_t>(b) << 12) |
                                             (static_cast<std::uint32_t>(c) << 6) | static_cast<std::uint32_t>(d);
                out += static_cast<char>(triple >> 16);
                out += static_cast<char>((triple >> 8) & 0xFF);
                out += static_cast<char>(triple & 0xFF);
                p += 4;
                continue;
            }
        }
        const std::int8_t symbol = symbolOf(*p++);
        if (symbol == kSkip) {
            continue;
        }
        group[filled++] = symbol;
        if (filled == 4) {
            appendDecodedGroup(out, group);
            filled = 0;
        }
    }
    return out.size() - before;
}

std::string decodeBase64Lines(std::string_view text)
{
    std::string out;
    out.reserve(text.size() / 4 * 3 + 3);
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        decodeBase64Line(trimBlanks(text.substr(0, end)), out);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return out;
}

} // namespace vantor::mail::codec
