#include "mail/mime/Base64Body.h"

#include "mail/codec/Base64.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace vantor::mail::mime {

namespace {

constexpr std::array<std::int16_t, 256> makeTable()
{
    std::array<std::int16_t, 256> table{};
    for (auto& entry : table)
        entry = -1;
    constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (int i = 0; i < 64; ++i)
        table[static_cast<unsigned char>(alphabet[i])] = static_cast<std::int16_t>(i);
    return table;
}

constexpr std::array<std::int16_t, 256> kSymbols = makeTable();

// Decodes whole groups of four alphabet characters from the line's start; returns the characters used.
// Stops at the first group holding anything else ("=", blanks, CR, stray bytes).
std::size_t decodeCleanGroups(const unsigned char* in, std::size_t length, char*& out)
{
    std::size_t i = 0;
    for (; i + 4 <= length; i += 4) {
        const std::int32_t a = kSymbols[in[i]];
        const std::int32_t b = kSymbols[in[i + 1]];
        const std::int32_t c = kSymbols[in[i + 2]];
        const std::int32_t d = kSymbols[in[i + 3]];
        if ((a | b | c | d) < 0)
            break;
        const std::uint32_t triple = (static_cast<std::uint32_t>(a) << 18) |
                                     (static_cast<std::uint32_t>(b) << 12) |
                                     (static_cast<std::uint32_t>(c) << 6) | static_cast<std::uint32_t>(d);
        out[0] = static_cast<char>(triple >> 16);
        out[1] = static_cast<char>((triple >> 8) & 0xFFu);
        out[2] = static_cast<char>(triple & 0xFFu);
        out += 3;
    }
    return i;
}

} // namespace

std::string decodeBase64Body(std::string_view text)
{
    std::string out(text.size() / 4 * 3 + 3, '\0');
    char* write = out.data();
    std::string tail;
    while (!text.empty()) {
        const void* lf = std::memchr(text.data(), '\n', text.size());
        const std::size_t end = lf == nullptr
                                    ? text.size()
                                    : static_cast<std::size_t>(static_cast<const char*>(lf) - text.data());
        const std::string_view line = text.substr(0, end);
        const std::size_t used =
            decodeCleanGroups(reinterpret_cast<const unsigned char*>(line.data()), line.size(), write);
        // The rest of the line starts at a group boundary, so decoding it alone gives the same bytes.
        const std::string_view rest = line.substr(used);
        if (!rest.empty() && !(rest.size() == 1 && rest[0] == '\r')) {
            tail.clear();
            codec::decodeBase64Line(rest, tail);
            std::memcpy(write, tail.data(), tail.size());
            write += tail.size();
        }
        text.remove_prefix(lf == nullptr ? text.size() : end + 1);
    }
    out.resize(static_cast<std::size_t>(write - out.data()));
    return out;
}

} // namespace vantor::mail::mime
