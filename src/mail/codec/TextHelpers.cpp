#include "mail/codec/TextHelpers.h"

namespace vantor::mail::codec {

namespace {

constexpr std::size_t kMaxFileNameBytes = 254;
constexpr std::string_view kUnsafeFileNameChars = ":\\/*?\"<>|'";

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0U) == 0x80U;
}

// Cut to at most limit bytes without splitting a UTF-8 sequence.
std::string_view cutAtCharacter(std::string_view text, std::size_t limit)
{
    if (text.size() <= limit) {
        return text;
    }
    std::size_t end = limit;
    while (end > 0 && isContinuationByte(text[end])) {
        --end;
    }
    return text.substr(0, end == 0 ? limit : end);
}

} // namespace

std::string_view trimBlanks(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last + 1 - first);
}

std::string safeFileName(std::string_view name)
{
    std::string safe(cutAtCharacter(trimBlanks(name), kMaxFileNameBytes));
    for (char& c : safe) {
        if (static_cast<unsigned char>(c) < 32 || kUnsafeFileNameChars.find(c) != std::string_view::npos) {
            c = '_';
        }
    }
    // "." and ".." would name a directory rather than a file of their own.
    if (safe.find_first_not_of('.') == std::string::npos) {
        safe.assign(safe.size(), '_');
    }
    return safe;
}

std::string extractField(int index, std::string_view text, std::string_view separators,
                         std::string_view closers, std::string_view openers)
{
    std::string field;
    std::string pendingClosers; // innermost last; empty outside brackets
    int current = 0;
    for (const char c : text) {
        if (const std::size_t opener = openers.find(c); opener != std::string_view::npos) {
            // A closer missing for an opener never matches a byte, so its run lasts to the end.
            pendingClosers += opener < closers.size() ? closers[opener] : '\0';
            continue;
        }
        if (!pendingClosers.empty()) {
            if (c == pendingClosers.back() && c != '\0') {
                pendingClosers.pop_back();
            }
            continue;
        }
        if (separators.find(c) != std::string_view::npos) {
            if (++current > index) {
                break;
            }
        } else if (current == index) {
            field += c;
        }
    }
    return field;
}

bool isIPAddress(std::string_view text)
{
    std::size_t pieceLength = 0;
    for (const char c : text) {
        if (c == '.') {
            if (pieceLength == 0) {
                return false;
            }
            pieceLength = 0;
        } else if (c >= '0' && c <= '9') {
            ++pieceLength;
        } else {
            return false;
        }
    }
    return pieceLength > 0;
}

} // namespace vantor::mail::codec
