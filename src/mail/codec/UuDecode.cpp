#include "mail/codec/UuDecode.h"

#include "mail/codec/ReserveMore.h"

namespace vantor::mail::codec {

namespace {

constexpr std::size_t kMaxBytesPerLine = 45;
constexpr std::size_t kMaxDataChars = 60;

// 6-bit value of a uuencode character: space to "_" give 0 to 63, "`" also 0; -1 for anything else.
int uuValue(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if (u == '`') {
        return 0;
    }
    return (u >= ' ' && u <= '_') ? u - ' ' : -1;
}

} // namespace

std::size_t decodeUuLine(std::string_view line, std::string& out)
{
    if (line.empty()) {
        return 0;
    }
    const int count = uuValue(line[0]);
    if (count <= 0 || static_cast<std::size_t>(count) > kMaxBytesPerLine) {
        return 0;
    }
    std::string_view data = line.substr(1);
    if (static_cast<std::size_t>(count) == kMaxBytesPerLine) {
        data = data.substr(0, kMaxDataChars); // a full line may carry padding after its 60 characters
    } else if (data.size() > kMaxDataChars) {
        return 0;
    }
    // Data that falls short of the count reads as zero bits, as in a cleared 45-byte buffer.
    unsigned char bytes[kMaxBytesPerLine] = {};
    std::size_t filled = 0;
    unsigned int bits = 0;
    int bitCount = 0;
    for (const char c : data) {
        const int value = uuValue(c);
        if (value < 0) {
            return 0;
        }
        bits = (bits << 6) | static_cast<unsigned int>(value);
        bitCount += 6;
        if (bitCount >= 8) {
            bitCount -= 8;
            bytes[filled++] = static_cast<unsigned char>(bits >> bitCount);
            bits &= (1U << bitCount) - 1U;
        }
    }
    reserveMore(out, static_cast<std::size_t>(count));
    out.append(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(count));
    return static_cast<std::size_t>(count);
}

std::string decodeUuText(std::string_view text)
{
    std::string out;
    out.reserve(text.size() / 4 * 3);
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        decodeUuLine(line, out);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return out;
}

} // namespace vantor::mail::codec
