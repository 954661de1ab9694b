#include "mail/mime/TextEnds.h"

#include <cstring>

namespace vantor::mail::mime {

std::string_view untilNul(std::string_view text)
{
    const void* nul = text.empty() ? nullptr : std::memchr(text.data(), '\0', text.size());
    if (nul == nullptr)
        return text;
    return text.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));
}

std::string_view trimAll(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ')
        --end;
    return text.substr(begin, end - begin);
}

std::string doubleQuoted(std::string_view text)
{
    std::string out = "\"";
    out += text;
    out += '"';
    return out;
}

} // namespace vantor::mail::mime
