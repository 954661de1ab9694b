#include "mail/proto/Commands.h"

#include "mail/codec/Base64.h"

namespace vantor::mail::proto {

bool isSafeArgument(std::string_view text)
{
    return text.find_first_of("\r\n") == std::string_view::npos;
}

std::optional<std::string> commandLine(std::string_view verb, std::string_view argument)
{
    if (!isSafeArgument(verb) || !isSafeArgument(argument))
        return std::nullopt;
    std::string line(verb);
    if (!argument.empty()) {
        line += ' ';
        line += argument;
    }
    line += "\r\n";
    return line;
}

std::optional<std::string> pathCommand(std::string_view verb, std::string_view address)
{
    if (!isSafeArgument(address))
        return std::nullopt;
    return commandLine(verb, "<" + std::string(address) + ">");
}

std::optional<std::string> authLoginLine(std::string_view value)
{
    if (!isSafeArgument(value))
        return std::nullopt;
    // The stream form breaks lines every 76 characters; the server wants the whole value on one line.
    std::string encoded = codec::encodeBase64Stream(value);
    std::erase(encoded, '\r');
    std::erase(encoded, '\n');
    return encoded + "\r\n";
}

} // namespace vantor::mail::proto
