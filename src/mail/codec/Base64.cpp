#include "mail/codec/Base64.h"

#include "base/TextLines.h"
#include "mail/codec/ReserveMore.h"
#include "mail/codec/TextHelpers.h"

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

// Writes the base64 characters of up to 57 bytes at out; returns the end of what was written.
char* encodeChunk(const unsigned char* bytes, std::size_t count, char* out)
{
    std::size_t i = 0;
    for (; i + 3 <= count; i += 3) {
        const std::uint32_t triple =
            (std::uint32_t{bytes[i]} << 16) | (std::uint32_t{bytes[i + 1]} << 8) | bytes[i + 2];
        *out++ = kAlphabet[triple >> 18];
        *out++ = kAlphabet[(triple >> 12) & 0x3F];
        *out++ = kAlphabet[(triple >> 6) & 0x3F];
        *out++ = kAlphabet[triple & 0x3F];
    }
    if (i < count) {
        const bool two = count - i == 2;
        const std::uint32_t pair =
            (std::uint32_t{bytes[i]} << 16) | (two ? std::uint32_t{bytes[i + 1]} << 8 : 0U);
        *out++ = kAlphabet[pair >> 18];
        *out++ = kAlphabet[(pair >> 12) & 0x3F];
        *out++ = two ? kAlphabet[(pair >> 6) & 0x3F] : '=';
        *out++ = '=';
    }
    return out;
}

std::size_t encodedLength(std::size_t count)
{
    return (count + 2) / 3 * 4;
}

// Bytes of one complete group of four symbols, "=" padding honoured; returns the end of what was written.
char* decodeGroup(const std::int8_t (&group)[4], char* out)
{
    if (group[0] == kPad || group[1] == kPad) {
        return out;
    }
    const std::uint32_t bits = (static_cast<std::uint32_t>(group[0]) << 18) |
                               (static_cast<std::uint32_t>(group[1]) << 12) |
                               (group[2] == kPad ? 0U : static_cast<std::uint32_t>(group[2]) << 6) |
                               (group[3] < 0 ? 0U : static_cast<std::uint32_t>(group[3]));
    *out++ = static_cast<char>(bits >> 16);
    if (group[2] == kPad) {
        return out;
    }
    *out++ = static_cast<char>((bits >> 8) & 0xFF);
    if (group[3] == kPad) {
        return out;
    }
    *out++ = static_cast<char>(bits & 0xFF);
    return out;
}

// Line breaks made CR LF, one final line break dropped.
std::string withCrLfBreaks(std::string_view text)
{
    std::string out = base::normaliseLineBreaks(text);
    if (out.ends_with("\r\n"))
        out.resize(out.size() - 2);
    return out;
}

} // namespace

std::string encodeBase64Stream(std::string_view source)
{
    const std::size_t lines = (source.size() + kBytesPerLine - 1) / kBytesPerLine;
    std::string out(encodedLength(source.size()) + lines * 2, '\0');
    const auto* bytes = reinterpret_cast<const unsigned char*>(source.data());
    char* cursor = out.data();
    for (std::size_t offset = 0; offset < source.size(); offset += kBytesPerLine) {
        cursor = encodeChunk(bytes + offset, std::min(kBytesPerLine, source.size() - offset), cursor);
        *cursor++ = '\r';
        *cursor++ = '\n';
    }
    return out;
}

std::string encodeBase64Text(std::string_view text)
{
    const std::string normalized = withCrLfBreaks(text);
    const std::size_t count = std::min(kBytesPerLine, normalized.size());
    std::string out(encodedLength(count), '\0');
    encodeChunk(reinterpret_cast<const unsigned char*>(normalized.data()), count, out.data());
    return out;
}

std::size_t decodeBase64Line(std::string_view line, std::string& out)
{
    const std::size_t before = out.size();
    reserveMore(out, line.size() / 4 * 3 + 3);
    out.resize(before + line.size() / 4 * 3 + 3);
    char* cursor = out.data() + before;
    const char* p = line.data();
    const char* const end = p + line.size();
    std::int8_t group[4];
    int filled = 0;
    while (p != end) {
        // Fast path: four alphabet characters at a group start, the common case of well-formed lines.
        if (filled == 0 && end - p >= 4) {
            const std::int8_t a = symbolOf(p[0]), b = symbolOf(p[1]), c = symbolOf(p[2]), d = symbolOf(p[3]);
            if ((a | b | c | d) >= 0) {
                const std::uint32_t triple =
                    (static_cast<std::uint32_t>(a) << 18) | (static_cast<std::uint32_t>(b) << 12) |
                    (static_cast<std::uint32_t>(c) << 6) | static_cast<std::uint32_t>(d);
                cursor[0] = static_cast<char>(triple >> 16);
                cursor[1] = static_cast<char>((triple >> 8) & 0xFF);
                cursor[2] = static_cast<char>(triple & 0xFF);
                cursor += 3;
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
            cursor = decodeGroup(group, cursor);
            filled = 0;
        }
    }
    out.resize(static_cast<std::size_t>(cursor - out.data()));
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
