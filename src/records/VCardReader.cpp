#include "records/VCardReader.h"

#include "base/AsciiCase.h"
#include "base/FileReader.h"
#include "mail/codec/Base64.h"
#include "mail/codec/Charsets.h"
#include "mail/codec/HexDigits.h"
#include "mail/codec/QuotedPrintable.h"
#include "mail/codec/TextHelpers.h"
#include "records/VCardLines.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

namespace vantor::records {

namespace {

namespace fs = std::filesystem;
using base::equalsIgnoreCase;
using base::startsWithIgnoreCase;

// Address book exports hold a few hundred cards with photos; anything bigger is not one.
constexpr std::uintmax_t MaxFileSize = 16U * 1024U * 1024U;

// One content line taken apart: "group.NAME;param;param:value".
struct Property
{
    std::string_view name;
    std::string_view value;
    std::string_view charset;
    bool quotedPrintable = false;
    bool base64 = false;
};

std::string_view unquoted(std::string_view text)
{
    text = mail::codec::trimBlanks(text);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

// Both the 2.1 forms ("ENCODING=QUOTED-PRINTABLE", a bare "QUOTED-PRINTABLE") and the 3.0 "ENCODING=b".
void applyParameter(std::string_view parameter, Property& property)
{
    const std::size_t equals = parameter.find('=');
    const std::string_view key = mail::codec::trimBlanks(parameter.substr(0, equals));
    const std::string_view value =
        equals == std::string_view::npos ? key : unquoted(parameter.substr(equals + 1));
    if (equals == std::string_view::npos || equalsIgnoreCase(key, "ENCODING")) {
        if (equalsIgnoreCase(value, "QUOTED-PRINTABLE"))
            property.quotedPrintable = true;
        else if (equalsIgnoreCase(value, "BASE64") ||
                 (equals != std::string_view::npos && equalsIgnoreCase(value, "B")))
            property.base64 = true;
    } else if (equalsIgnoreCase(key, "CHARSET")) {
        property.charset = value;
    }
}

std::optional<Property> parseProperty(std::string_view line)
{
    const std::size_t colon = headerEnd(line);
    if (colon == std::string_view::npos)
        return std::nullopt;
    Property property;
    property.value = line.substr(colon + 1);
    const std::string_view header = line.substr(0, colon);
    std::size_t start = 0;
    bool inQuotes = false;
    for (std::size_t i = 0; i <= header.size(); ++i) {
        if (i < header.size() && header[i] == '"')
            inQuotes = !inQuotes;
        if (i < header.size() && (inQuotes || header[i] != ';'))
            continue;
        const std::string_view piece = header.substr(start, i - start);
        if (start == 0) {
            // A group ("item1.") only ties properties together for the writer's labels.
            const std::string_view name = mail::codec::trimBlanks(piece);
            const std::size_t dot = name.rfind('.');
            property.name = dot == std::string_view::npos ? name : name.substr(dot + 1);
        } else {
            applyParameter(piece, property);
        }
        start = i + 1;
    }
    return property;
}

// The shared decoder drops an "=" that starts no escape and ignores lower-case escapes; writers of address
// books produce both, and a name must not lose letters over it, so such an "=" is kept as itself.
std::string readableQuotedPrintable(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '=') {
            out += text[i];
        } else if (i + 2 < text.size() && mail::codec::anyCaseHexValue(text[i + 1]) >= 0 &&
                   mail::codec::anyCaseHexValue(text[i + 2]) >= 0) {
            out += '=';
            out += base::upperAscii(text[i + 1]);
            out += base::upperAscii(text[i + 2]);
            i += 2;
        } else {
            out += "=3D";
        }
    }
    return out;
}

// The value as UTF-8, escapes still in it: transfer encoding undone, then the charset.
std::string decodedValue(const Property& property)
{
    std::string bytes;
    if (property.base64)
        mail::codec::decodeBase64Line(property.value, bytes);
    else if (property.quotedPrintable)
        bytes = mail::codec::decodeQuotedPrintable(readableQuotedPrintable(property.value));
    else
        bytes.assign(property.value);
    // After the charset, so that a backslash inside a multi-byte character is never read as an escape.
    return mail::codec::decodeCharset(bytes, property.charset);
}

std::string unescaped(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        if (next == 'n' || next == 'N')
            out += '\n';
        else if (next == ',' || next == ';' || next == ':' || next == '\\')
            out += next;
        else
            out.append({'\\', next});
    }
    return out;
}

// Names and addresses end up in list rows and profile files of one line each: line breaks and other
// control characters become blanks.
std::string oneLine(std::string text)
{
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            c = ' ';
    }
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// "Family;Given;Additional;Prefix;Suffix" read as a person says it: "Given Family".
std::string nameFromComponents(std::string_view text)
{
    std::vector<std::string> components;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] == '\\') {
            ++i;
            continue;
        }
        if (i < text.size() && text[i] != ';')
            continue;
        components.push_back(oneLine(unescaped(text.substr(start, i - start))));
        start = i + 1;
    }
    components.resize(std::max<std::size_t>(components.size(), 5));
    auto joined = [&](std::initializer_list<std::size_t> order) {
        std::string name;
        for (const std::size_t index : order) {
            if (components[index].empty())
                continue;
            if (!name.empty())
                name += ' ';
            name += components[index];
        }
        return name;
    };
    const std::string name = joined({1, 0});
    return name.empty() ? joined({3, 2, 4}) : name;
}

bool containsIgnoreCase(std::string_view text, std::string_view word)
{
    for (std::size_t i = 0; i + word.size() <= text.size(); ++i) {
        if (startsWithIgnoreCase(text.substr(i), word))
            return true;
    }
    return false;
}

// Reads the content lines in order and builds one contact per card. Properties of an embedded AGENT card
// belong to the agent, not to the card that names it.
class CardReader
{
public:
    void line(std::string_view text)
    {
        const std::optional<Property> property = parseProperty(text);
        if (!property)
            return;
        const bool agentFollows = std::exchange(m_agentFollows, false);
        if (isMarker(*property, "BEGIN")) {
            m_sawCard = true;
            if (m_card && agentFollows) {
                ++m_agentDepth;
                return;
            }
            // A card that begins inside another means the other was never ended.
            finishCard();
            m_card.emplace();
            return;
        }
        if (isMarker(*property, "END")) {
            if (m_agentDepth > 0)
                --m_agentDepth;
            else
                finishCard();
            return;
        }
        if (m_card && equalsIgnoreCase(property->name, "AGENT"))
            agent(property->value);
        if (!m_card || m_agentDepth > 0)
            return;
        if (equalsIgnoreCase(property->name, "FN") && m_card->formattedName.empty())
            m_card->formattedName = oneLine(unescaped(decodedValue(*property)));
        else if (equalsIgnoreCase(property->name, "N") && m_card->structuredName.empty())
            m_card->structuredName = nameFromComponents(decodedValue(*property));
        else if (equalsIgnoreCase(property->name, "EMAIL"))
            addAddress(oneLine(unescaped(decodedValue(*property))));
    }

    std::vector<VCardContact> finish()
    {
        finishCard();
        return std::move(m_contacts);
    }

    bool sawCard() const { return m_sawCard; }

private:
    struct Card
    {
        std::string formattedName;
        std::string structuredName;
        std::vector<std::string> emails;
    };

    static bool isMarker(const Property& property, std::string_view name)
    {
        return equalsIgnoreCase(property.name, name) &&
               equalsIgnoreCase(mail::codec::trimBlanks(property.value), "VCARD");
    }

    // 2.1 writes the agent's card on the lines after an empty AGENT value (or starts it on the same line);
    // 3.0 puts it whole into the escaped value, where it ends on the same line.
    void agent(std::string_view value)
    {
        value = mail::codec::trimBlanks(value);
        if (value.empty())
            m_agentFollows = true;
        else if (startsWithIgnoreCase(value, "BEGIN:VCARD") && !containsIgnoreCase(value, "END:VCARD"))
            ++m_agentDepth;
    }

    void addAddress(std::string address)
    {
        if (!address.empty())
            m_card->emails.push_back(std::move(address));
    }

    void finishCard()
    {
        if (!m_card)
            return;
        Card card = std::move(*m_card);
        m_card.reset();
        m_agentDepth = 0;
        VCardContact contact;
        contact.displayName = !card.formattedName.empty()    ? std::move(card.formattedName)
                              : !card.structuredName.empty() ? std::move(card.structuredName)
                              : !card.emails.empty()         ? card.emails.front()
                                                             : std::string();
        contact.emails = std::move(card.emails);
        // A card without a name or an address gives nothing a person could pick.
        if (!contact.displayName.empty())
            m_contacts.push_back(std::move(contact));
    }

    std::vector<VCardContact> m_contacts;
    std::optional<Card> m_card;
    int m_agentDepth = 0;
    bool m_agentFollows = false;
    bool m_sawCard = false;
};

std::vector<VCardContact> parse(std::string_view bytes, bool& sawCard)
{
    CardReader reader;
    forEachContentLine(bytes, [&](std::string_view line) { reader.line(line); });
    sawCard = reader.sawCard();
    return reader.finish();
}

} // namespace

std::vector<VCardContact> parseVCards(std::string_view bytes)
{
    bool sawCard = false;
    return parse(bytes, sawCard);
}

VCardFile readVCardFile(const std::string& path)
{
    VCardFile file;
    const fs::path location(std::u8string(path.begin(), path.end()));
    std::error_code error;
    // file_size fails for directories and devices too, so they never reach the reader.
    const std::uintmax_t size = fs::file_size(location, error);
    if (error) {
        file.problem = VCardFile::Problem::Unreadable;
        return file;
    }
    if (size > MaxFileSize) {
        file.problem = VCardFile::Problem::TooLarge;
        return file;
    }
    std::string bytes;
    if (base::readFile(location, bytes)) {
        file.problem = VCardFile::Problem::Unreadable;
        return file;
    }
    bool sawCard = false;
    file.contacts = parse(bytes, sawCard);
    if (!sawCard)
        file.problem = VCardFile::Problem::NoCards;
    return file;
}

} // namespace vantor::records
