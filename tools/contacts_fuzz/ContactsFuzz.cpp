// Reads arbitrary bytes as a vCard file and as a Thunderbird prefs.js.
// vCard: every name and address is clean UTF-8 on one line, addresses trimmed and not empty; there are no
// more cards than BEGIN markers nor more addresses than EMAIL properties; and when the bytes are plain
// ASCII without escapes or encodings, every address stands in the unfolded input as it came out.
// prefs.js: keys and values are well-formed UTF-8 without NUL; written back as statements they read back
// the same and undamaged; the accounts built from them use only the program's TLS choices.
#include "fuzz_support/Require.h"
#include "mail/codec/Charsets.h"
#include "platform/ThunderbirdAccounts.h"
#include "platform/ThunderbirdPrefs.h"
#include "records/VCardReader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using vantor::fuzz::require;
using vantor::mail::codec::isWellFormedUtf8;

// Finding each address in the input costs time per address; a few dozen say as much as thousands.
constexpr std::size_t AddressesSearched = 64;

char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::size_t countIgnoreCase(std::string_view text, std::string_view word)
{
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), lower);
    std::size_t count = 0;
    for (std::size_t at = lowered.find(word); at != std::string::npos; at = lowered.find(word, at + 1))
        ++count;
    return count;
}

bool isCleanLine(const std::string& text)
{
    return isWellFormedUtf8(text) && std::none_of(text.begin(), text.end(), [](char c) {
               return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
           });
}

// Printable ASCII and line breaks only, and nothing that transforms a value: no escape, no encoding.
bool isVerbatimText(std::string_view bytes)
{
    const bool printable = std::all_of(bytes.begin(), bytes.end(), [](char c) {
        return (c >= 0x20 && c < 0x7F && c != '=' && c != '\\') || c == '\r' || c == '\n';
    });
    return printable && countIgnoreCase(bytes, "base64") == 0;
}

// The input with its folds (a line break and the blank after it) taken out.
std::string unfolded(std::string_view bytes)
{
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::size_t breakLength = bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n'
                                            ? 2
                                            : (bytes[i] == '\r' || bytes[i] == '\n');
        if (breakLength > 0 && i + breakLength < bytes.size() && bytes[i + breakLength] == ' ') {
            i += breakLength;
            continue;
        }
        out += bytes[i];
    }
    return out;
}

void checkVCards(std::string_view bytes)
{
    const std::vector<vantor::records::VCardContact> contacts = vantor::records::parseVCards(bytes);
    require(contacts.size() <= countIgnoreCase(bytes, "begin"));
    const bool verbatim = isVerbatimText(bytes);
    const std::string plain = verbatim ? unfolded(bytes) : std::string();
    std::size_t addresses = 0;
    for (const auto& contact : contacts) {
        require(!contact.displayName.empty() && isCleanLine(contact.displayName));
        for (const std::string& email : contact.emails) {
            require(!email.empty() && isCleanLine(email) && email.front() != ' ' && email.back() != ' ');
            if (verbatim && addresses < AddressesSearched)
                require(plain.find(email) != std::string::npos);
            ++addresses;
        }
    }
    require(addresses <= countIgnoreCase(bytes, "email"));
}

std::string quoted(const std::string& text)
{
    static const char hex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            out += "\\u00";
            out += hex[(c >> 4) & 0xF];
            out += hex[c & 0xF];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

bool isTlsChoice(const std::string& security)
{
    return security.empty() || security == "None" || security == "SSL" || security == "STARTTLS";
}

void checkPrefs(std::string_view bytes)
{
    const vantor::platform::ThunderbirdPrefs prefs(bytes);
    std::string written;
    for (const auto& [key, value] : prefs.values()) {
        require(isWellFormedUtf8(key) && isWellFormedUtf8(value));
        require(value.find('\0') == std::string::npos && key.find('\0') == std::string::npos);
        written += "user_pref(" + quoted(key) + ", " + quoted(value) + ");\n";
    }
    const vantor::platform::ThunderbirdPrefs again(written);
    require(!again.isDamaged());
    require(again.values() == prefs.values());

    std::vector<vantor::platform::MailClientAccount> accounts;
    vantor::platform::ThunderbirdAccounts::appendAccounts(prefs, accounts);
    for (const auto& account : accounts)
        require(isTlsChoice(account.popSecurity) && isTlsChoice(account.smtpSecurity));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkVCards(bytes);
    checkPrefs(bytes);
    return 0;
}
