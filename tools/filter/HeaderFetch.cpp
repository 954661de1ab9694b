#include "HeaderFetch.h"

namespace vantor::tools {

std::string headerFetchText(std::string_view fileBytes)
{
    std::string text;
    std::size_t start = 0;
    while (start < fileBytes.size()) {
        const std::size_t end = std::min(fileBytes.find_first_of("\r\n", start), fileBytes.size());
        const std::string_view line = fileBytes.substr(start, end - start);
        // The server stuffs a leading "." on the wire and the client keeps it (no un-stuffing).
        if (line.starts_with('.'))
            text += '.';
        text.append(line).append("\r\n");
        if (line.empty())
            break;
        start =
            end +
            ((end + 1 < fileBytes.size() && fileBytes[end] == '\r' && fileBytes[end + 1] == '\n') ? 2 : 1);
    }
    return text;
}

} // namespace vantor::tools
