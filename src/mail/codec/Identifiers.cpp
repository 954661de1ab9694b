#include "mail/codec/Identifiers.h"

#include "mail/codec/HexDigits.h"

#include <random>

namespace vantor::mail::codec {

std::uint32_t randomWord()
{
    thread_local std::mt19937 generator{std::random_device{}()};
    return static_cast<std::uint32_t>(generator());
}

std::string newBoundary()
{
    std::string boundary = "boundary";
    appendUpperHex(boundary, randomWord(), 8);
    return boundary;
}

std::string newMessageId(LocalTime now, std::string_view host)
{
    std::string id = "<" + formatCompactDateTime(now) + ".";
    appendUpperHex(id, randomWord(), 0);
    id += '.';
    appendUpperHex(id, randomWord(), 0);
    id.append("@").append(host).append(">");
    return id;
}

} // namespace vantor::mail::codec
