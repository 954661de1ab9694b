#include "base/ErrorCodes.h"

namespace vantor::base {

std::string errorEntry(std::string_view code, std::string_view text)
{
    std::string entry;
    entry.reserve(code.size() + text.size() + 4);
    entry += ' ';
    entry += code;
    entry += " - ";
    entry += text;
    return entry;
}

} // namespace vantor::base
