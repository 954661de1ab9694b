#include "storage/IniText.h"

#include <limits>

namespace vantor::storage::initext {

using base::lowerAscii;

namespace {

int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    const char lower = lowerAscii(c);
    if (lower >= 'a' && lower <= 'f')
        return lower - 'a' + 10;
    return -1;
}

// Digits of one base up to the end of the text, or nothing; the magnitude is capped just above 2^32.
std::optional<std::uint64_t> parseMagnitude(std::string_view digits, int base)
{
    if (digits.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : digits) {
        const int digit = hexDigitValue(c);
        if (digit < 0 || digit >= base)
            return std::nullopt;
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (value > std::numeric_limits<std::uint32_t>::max())
            return std::nullopt;
    }
    return value;
}

} // namespace

std::uint64_t hashNoCase(std::string_view text)
{
    // FNV-1a over the lower-cased bytes.
    std::uint64_t hash = 14695981039346656037ull;
    for (char c : text) {
        hash ^= static_cast<unsigned char>(lowerAscii(c));
        hash *= 1099511628211ull;
    }
    return hash;
}

std::optional<int> parseInteger(std::string_view text)
{
    std::string buffer;
    if (text.size() >= 2 && text[0] == '0' && lowerAscii(text[1]) == 'x') {
        buffer = "$";
        buffer.append(text.substr(2));
        text = buffer;
    }
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return std::nullopt;
    text.remove_prefix(start);
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const bool hex = !text.empty() && text.front() == '$';
    if (hex)
        text.remove_prefix(1);
    const auto magnitude = parseMagnitude(text, hex ? 16 : 10);
    if (!magnitude)
        return std::nullopt;
    std::int64_t value = static_cast<std::int64_t>(*magnitude);
    if (hex)
        value = static_cast<std::int32_t>(static_cast<std::uint32_t>(*magnitude)); // $FFFFFFFF is -1
    if (negative)
        value = -value;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<std::uint32_t> parseHex(std::string_view text)
{
    const auto magnitude = parseMagnitude(text, 16);
    if (!magnitude)
        return std::nullopt;
    return static_cast<std::uint32_t>(*magnitude);
}

std::string formatHex8(std::uint32_t value)
{
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string result(8, '0');
    for (int i = 7; i >= 0; --i) {
        result[static_cast<std::size_t>(i)] = Digits[value & 0xF];
        value >>= 4;
    }
    return result;
}

} // namespace vantor::storage::initext
