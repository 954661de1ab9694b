#include "records/VCardLines.h"

#include "base/AsciiCase.h"
#include "base/TextLines.h"

#include <optional>
#include <string>

namespace vantor::records {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Whether the parameters name the quoted-printable encoding, in the 2.1 forms "ENCODING=QUOTED-PRINTABLE"
// and a bare "QUOTED-PRINTABLE" (any case, blanks around the pieces allowed).
bool declaresQuotedPrintable(std::string_view header)
{
    const std::string lower = base::toLowerAscii(header);
    std::size_t start = 0;
    while (start <= lower.size()) {
        std::size_t end = lower.find(';', start);
        if (end == std::string::npos)
            end = lower.size();
        std::string_view piece = std::string_view(lower).substr(start, end - start);
        const std::size_t equals = piece.find('=');
        if (equals != std::string_view::npos)
            piece.remove_prefix(equals + 1);
        while (!piece.empty() && isBlank(piece.front()))
            piece.remove_prefix(1);
        while (!piece.empty() && isBlank(piece.back()))
            piece.remove_suffix(1);
        if (piece == "quoted-printable")
            return true;
        start = end + 1;
    }
    return false;
}

} // namespace

std::size_t headerEnd(std::string_view line)
{
    bool inQuotes = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            inQuotes = !inQuotes;
        else if (line[i] == ':' && !inQuotes)
            return i;
    }
    return std::string_view::npos;
}

void forEachContentLine(std::string_view bytes, const std::function<void(std::string_view)>& line)
{
    std::string current;
    bool open = false;
    // Worked out once per content line: its header is complete before any soft break can be met.
    std::optional<bool> quotedPrintable;
    auto isQuotedPrintable = [&] {
        if (!quotedPrintable) {
            const std::size_t colon = headerEnd(current);
            quotedPrintable = colon != std::string_view::npos &&
                              declaresQuotedPrintable(std::string_view(current).substr(0, colon));
        }
        return *quotedPrintable;
    };
    base::forEachLine(bytes, [&](std::string_view physical) {
        if (open && !current.empty() && current.back() == '=' && isQuotedPrintable()) {
            current.pop_back();
            current.append(physical);
            return;
        }
        if (open && !physical.empty() && isBlank(physical.front())) {
            current.append(physical.substr(1));
            return;
        }
        if (open)
            line(current);
        current.assign(physical);
        quotedPrintable.reset();
        open = true;
    });
    if (open)
        line(current);
}

} // namespace vantor::records
