#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantor::mail::net {

// How a connection is protected: plain text, TLS from the first byte, or an upgrade after the greeting.
enum class SecurityMode
{
    None,
    SSL,
    STARTTLS
};

// "None", "SSL" or "STARTTLS", the spelling stored in account files.
inline std::string securityModeText(SecurityMode mode)
{
    switch (mode) {
    case SecurityMode::SSL:
        return "SSL";
    case SecurityMode::STARTTLS:
        return "STARTTLS";
    case SecurityMode::None:
        break;
    }
    return "None";
}

// The mode for a stored text, compared without regard to letter case; nothing for an unknown text.
inline std::optional<SecurityMode> securityModeFromText(std::string_view text)
{
    auto equals = [text](std::string_view name) {
        if (text.size() != name.size())
            return false;
        for (std::size_t i = 0; i < text.size(); ++i) {
            char a = text[i];
            if (a >= 'a' && a <= 'z')
                a = static_cast<char>(a - 'a' + 'A');
            char b = name[i];
            if (b >= 'a' && b <= 'z')
                b = static_cast<char>(b - 'a' + 'A');
            if (a != b)
                return false;
        }
        return true;
    };
    if (equals("None"))
        return SecurityMode::None;
    if (equals("SSL"))
        return SecurityMode::SSL;
    if (equals("STARTTLS"))
        return SecurityMode::STARTTLS;
    return std::nullopt;
}

// The mode an account gets when its file names none: implicit TLS on the well-known TLS ports.
inline SecurityMode defaultSecurityMode(int port, int implicitTlsPort)
{
    return port == implicitTlsPort ? SecurityMode::SSL : SecurityMode::None;
}

} // namespace vantor::mail::net
