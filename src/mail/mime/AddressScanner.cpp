#include "mail/mime/AddressScanner.h"

#include "mail/codec/HeaderText.h"
#include "mail/mime/TextEnds.h"

#include <algorithm>

namespace vantor::mail::mime {

namespace {

// The parts of one mailbox as written: "phrase <address>", "address (comment)", "\"name\" address".
struct MailboxParts
{
    std::string phrase;     // words and quoted strings before the angle brackets, quotes removed
    std::string plain;      // the words alone, outside quoted strings and comments
    std::string angle;      // the text inside the first angle brackets, blanks dropped
    std::string afterAngle; // words after the closing angle bracket
    std::string quoted;     // the first quoted string
    std::string comment;    // the first comment, without its parentheses
    bool hasAngle = false;
};

// Index of the character closing the quoted string or (nested) comment opened at `open`, or the end.
// A backslash escapes the character after it.
std::size_t closingOf(std::string_view text, std::size_t open)
{
    const char opener = text[open];
    int depth = 0;
    for (std::size_t i = open; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' && i > open) {
            ++i;
        } else if (opener == '"' && c == '"' && i > open) {
            return i;
        } else if (opener == '(' && c == '(') {
            ++depth;
        } else if (opener == '(' && c == ')' && --depth == 0) {
            return i;
        }
    }
    return text.size();
}

// The inside of a quoted string or comment with its escapes resolved.
std::string unescaped(std::string_view inside)
{
    std::string out;
    out.reserve(inside.size());
    for (std::size_t i = 0; i < inside.size(); ++i) {
        if (inside[i] == '\\' && i + 1 < inside.size())
            ++i;
        out += inside[i];
    }
    return out;
}

MailboxParts splitMailbox(std::string_view text)
{
    MailboxParts parts;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"' || c == '(') {
            const std::size_t close = closingOf(text, i);
            const std::string inside = unescaped(text.substr(i + 1, close - std::min(close, i + 1)));
            if (c == '(') {
                if (parts.comment.empty())
                    parts.comment = inside;
            } else {
                (parts.hasAngle ? parts.afterAngle : parts.phrase) += inside;
                if (parts.quoted.empty())
                    parts.quoted = inside;
            }
            i = close;
        } else if (c == '<' && !parts.hasAngle) {
            const std::size_t close = std::min(text.find('>', i), text.size());
            // Blanks inside the brackets come from folding; an address has none.
            for (const char inside : text.substr(i + 1, close - i - 1)) {
                if (inside != ' ' && inside != '\t')
                    parts.angle += inside;
            }
            parts.hasAngle = true;
            i = close;
        } else if (c == ':' && !parts.hasAngle) {
            // "Friends: a@b" and "undisclosed-recipients:": a group's name is nobody's address.
            parts.phrase.clear();
            parts.plain.clear();
            parts.quoted.clear();
        } else if (parts.hasAngle) {
            parts.afterAngle += c;
        } else {
            parts.phrase += c;
            parts.plain += c;
        }
    }
    return parts;
}

// Splits a list value at every "," and ";" outside quoted strings, comments and angle brackets.
std::vector<std::string_view> listItems(std::string_view value)
{
    std::vector<std::string_view> items;
    std::size_t itemStart = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '"' || c == '(') {
            i = closingOf(value, i);
        } else if (c == '<') {
            i = std::min(value.find('>', i), value.size());
        } else if (c == ',' || c == ';') {
            items.push_back(value.substr(itemStart, i - itemStart));
            itemStart = i + 1;
        }
    }
    items.push_back(value.substr(std::min(itemStart, value.size())));
    return items;
}

} // namespace

MailAddress AddressScanner::scanSingle(std::string_view value)
{
    const MailboxParts parts = splitMailbox(value);
    MailAddress result;
    if (parts.hasAngle) {
        result.address = trimAll(parts.angle);
        result.name = trimAll(parts.phrase);
        if (result.name.empty())
            result.name = trimAll(parts.afterAngle);
    } else {
        // "a@b (Name)" and "\"Name\" a@b": the address is the text outside quotes and comments.
        result.address = trimAll(parts.plain);
        result.name = trimAll(parts.quoted);
    }
    if (result.name.empty())
        result.name = trimAll(parts.comment);
    // A sender that is no address at all ("=?UTF-16?B?...?= test") is shown as the text it stands for.
    if (result.address.find('@') == std::string::npos)
        result.address = codec::decodeHeaderText(result.address);
    return result;
}

std::vector<MailAddress> AddressScanner::scanList(std::string_view value)
{
    std::vector<MailAddress> out;
    for (const std::string_view item : listItems(value)) {
        MailAddress recipient = scanSingle(item);
        // Empty entries ("a@b,,c@d", a trailing comma, an empty group) name nobody and are skipped.
        if (recipient.address.empty())
            continue;
        recipient.name = codec::decodeHeaderText(recipient.name);
        out.push_back(std::move(recipient));
    }
    return out;
}

std::string AddressScanner::format(std::string_view name, std::string_view address, std::string_view charset)
{
    if (address.empty())
        return {};
    std::string out;
    if (!name.empty()) {
        out += '"';
        out += codec::encodeHeaderText(name, charset);
        out += "\" ";
    }
    out += '<';
    out += address;
    out += '>';
    return out;
}

std::string AddressScanner::quoteAddress(std::string_view address)
{
    bool needsQuotes = false;
    for (const char c : address)
        needsQuotes =
            needsQuotes || static_cast<unsigned char>(c) <= ' ' || c == '\x7f' || c == ',' || c == '"';
    if (!needsQuotes)
        return std::string(address);
    std::string out = "\"";
    for (const char c : address) {
        out += c;
        if (c == '"')
            out += '"';
    }
    out += '"';
    return out;
}

} // namespace vantor::mail::mime
