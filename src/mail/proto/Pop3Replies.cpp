#include "mail/proto/Pop3Replies.h"

#include "base/TextLines.h"
#include "mail/codec/TextHelpers.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace vantor::mail::proto {

namespace {

std::string_view cutAtNul(std::string_view text)
{
    return text.substr(0, text.find('\0'));
}

// Whitespace and control bytes at both ends, as a listing line is trimmed.
std::string_view trimAll(std::string_view text)
{
    std::size_t first = 0;
    while (first < text.size() && static_cast<unsigned char>(text[first]) <= ' ')
        ++first;
    std::size_t last = text.size();
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ')
        --last;
    return text.substr(first, last - first);
}

std::string_view firstWord(std::string_view text)
{
    return text.substr(0, text.find(' '));
}

// A non-negative decimal number of digits only, that fits the limit.
std::optional<std::int64_t> plainNumber(std::string_view text, std::int64_t limit)
{
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || text[0] < '0' || text[0] > '9' || error != std::errc() ||
        end != text.data() + text.size() || value > limit)
        return std::nullopt;
    return value;
}

} // namespace

bool isPop3Positive(std::string_view reply)
{
    return reply.starts_with("+OK");
}

bool isPop3Refusal(std::string_view statusLine)
{
    return statusLine.starts_with("-ERR") && statusLine.ends_with("\r\n");
}

std::optional<MessageListing> parseListing(std::string_view reply)
{
    std::vector<std::string_view> lines;
    base::forEachLine(cutAtNul(reply), [&lines](std::string_view line) { lines.push_back(line); });
    MessageListing listing;
    if (lines.size() < 3)
        return listing;
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
        const std::string_view line = trimAll(lines[i]);
        const auto number = plainNumber(firstWord(line), MaxMessageNumber);
        if (!number)
            return std::nullopt;
        // Numbers are expected in ascending order; the table always ends at the number just read.
        listing.sizes.resize(static_cast<std::size_t>(*number) + 1);
        const std::size_t space = line.find(' ');
        if (*number > 0 && space != std::string_view::npos) {
            const auto size =
                plainNumber(trimAll(line.substr(space + 1)), std::numeric_limits<std::int32_t>::max());
            listing.sizes[static_cast<std::size_t>(*number)] = static_cast<std::int32_t>(size.value_or(0));
        }
        listing.messageCount = static_cast<int>(*number);
    }
    listing.sizes[0] = 0;
    return listing;
}

std::string multiLineText(std::string_view reply)
{
    const std::string_view text = cutAtNul(reply);
    std::string result;
    result.reserve(text.size());
    // Each line is written once the next one has been seen, so that the last one can be held back.
    auto write = [&result](std::string_view line) {
        result.append(line.starts_with("..") ? line.substr(1) : line);
        result.append("\r\n");
    };
    std::optional<std::string_view> pending;
    bool statusLine = true;
    base::forEachLine(text, [&](std::string_view line) {
        if (statusLine) {
            statusLine = false;
            return;
        }
        if (pending)
            write(*pending);
        pending = line;
    });
    // Only a reply that arrived whole ends with its "." line; one cut at a NUL keeps its last line.
    const bool terminated = text.size() == reply.size() && pending == std::string_view(".");
    if (pending && !terminated)
        write(*pending);
    return result;
}

} // namespace vantor::mail::proto
