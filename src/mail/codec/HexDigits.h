#pragma once

#include <cstdint>
#include <string>

namespace vantor::mail::codec {

inline constexpr char kUpperHexDigits[] = "0123456789ABCDEF";

// Value of an upper-case hexadecimal digit, or -1 (lower case is not a digit for mail escapes).
[[nodiscard]] constexpr int upperHexValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Value of a hexadecimal digit of either case, or -1 (mail programs write "=e8" in encoded words too).
[[nodiscard]] constexpr int anyCaseHexValue(char c)
{
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : upperHexValue(c);
}

// Appends value in upper-case hexadecimal, at least minDigits digits (0: no leading zeros).
inline void appendUpperHex(std::string& out, std::uint32_t value, int minDigits)
{
    char digits[8];
    int count = 0;
    do {
        digits[count++] = kUpperHexDigits[value & 0xFU];
        value >>= 4;
    } while (value != 0);
    for (int i = count; i < minDigits; ++i) {
        out += '0';
    }
    while (count > 0) {
        out += digits[--count];
    }
}

} // namespace vantor::mail::codec
