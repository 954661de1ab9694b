#include "mail/proto/Pop3Extensions.h"

#include "base/AsciiCase.h"

#include <charconv>
#include <unordered_set>

namespace vantor::mail::proto {

namespace {

// The lines between the status line and the final "." line, without their CR LF.
std::vector<std::string_view> bodyLines(std::string_view reply)
{
    std::vector<std::string_view> lines;
    std::size_t pos = reply.find("\r\n");
    if (pos == std::string_view::npos)
        return lines;
    pos += 2;
    while (pos < reply.size()) {
        const std::size_t end = reply.find("\r\n", pos);
        if (end == std::string_view::npos)
            break;
        const std::string_view line = reply.substr(pos, end - pos);
        if (line == ".")
            break;
        lines.push_back(line);
        pos = end + 2;
    }
    return lines;
}

bool isIdCharacter(char c)
{
    return c >= 0x21 && c <= 0x7e;
}

} // namespace

bool hasCapability(std::string_view capaReply, std::string_view capability)
{
    if (!capaReply.starts_with("+OK"))
        return false;
    for (const std::string_view line : bodyLines(capaReply)) {
        const std::string_view word = line.substr(0, line.find(' '));
        if (base::equalsIgnoreCase(word, capability))
            return true;
    }
    return false;
}

std::optional<std::vector<std::string>> parseUniqueIds(std::string_view uidlReply, int messageCount)
{
    if (!uidlReply.starts_with("+OK") || messageCount < 0)
        return std::nullopt;
    std::vector<std::string> ids(static_cast<std::size_t>(messageCount) + 1);
    std::unordered_set<std::string_view> seen;
    for (const std::string_view line : bodyLines(uidlReply)) {
        const std::size_t space = line.find(' ');
        if (space == std::string_view::npos)
            return std::nullopt;
        int number = 0;
        const auto [end, error] = std::from_chars(line.data(), line.data() + space, number);
        if (error != std::errc() || end != line.data() + space || number < 1 || number > messageCount)
            return std::nullopt;
        const std::string_view id = line.substr(space + 1);
        if (id.empty() || id.size() > 70)
            return std::nullopt;
        for (const char c : id)
            if (!isIdCharacter(c))
                return std::nullopt;
        std::string& slot = ids[static_cast<std::size_t>(number)];
        if (!slot.empty() || !seen.insert(id).second)
            return std::nullopt;
        slot = id;
    }
    return ids;
}

} // namespace vantor::mail::proto
