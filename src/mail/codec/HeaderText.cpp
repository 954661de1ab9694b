#include "mail/codec/HeaderText.h"

#include "mail/codec/Base64.h"
#include "mail/codec/Charsets.h"
#include "mail/codec/QuotedPrintable.h"
#include "mail/codec/TextHelpers.h"
#include "mail/codec/UuDecode.h"

#include <algorithm>

namespace vantor::mail::codec {

namespace {

void cutAtNul(std::string& text)
{
    if (const std::size_t nul = text.find('\0'); nul != std::string::npos) {
        text.resize(nul);
    }
}

// Bytes of the text of an encoded word for its encoding letter.
std::string decodeWordText(char letter, std::string_view text)
{
    std::string bytes;
    if (letter == 'B' || letter == 'b') {
        decodeBase64Line(text, bytes);
    } else if (letter == 'U') {
        decodeUuLine(text, bytes);
    } else {
        bytes = decodeQEncoding(text);
    }
    return bytes;
}

// The word's text in UTF-8, up to its first NUL; cut after the conversion so that UTF-16 words,
// whose bytes are full of NULs, survive.
std::string wordToUtf8(char letter, std::string_view charset, std::string_view text)
{
    std::string bytes = decodeWordText(letter, text);
    std::string result = convertToUtf8(bytes, charset).value_or(std::move(bytes));
    cutAtNul(result);
    return result;
}

} // namespace

std::string encodeHeaderText(std::string_view text, std::string_view charset)
{
    std::string encoded = encodeQuotedPrintable(text, true);
    if (encoded == text) {
        return encoded;
    }
    std::string word;
    word.reserve(encoded.size() + charset.size() + 7);
    word.append("=?").append(charset).append("?Q?").append(encoded).append("?=");
    return word;
}

std::string decodeHeaderText(std::string_view text)
{
    text = trimBlanks(text);
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    // One pass from left to right: decoded text is never read as encoded words again.
    while (pos < text.size()) {
        const std::size_t start = text.find("=?", pos);
        if (start == std::string_view::npos) {
            break;
        }
        const std::size_t charsetEnd = text.find('?', start + 2);
        if (charsetEnd == std::string_view::npos) {
            break;
        }
        if (charsetEnd + 2 >= text.size() || text[charsetEnd + 2] != '?') {
            out.append(text.substr(pos, start + 2 - pos)); // not an encoded word after all
            pos = start + 2;
            continue;
        }
        const std::size_t textStart = charsetEnd + 3;
        const std::size_t textEnd = text.find("?=", textStart);
        if (textEnd == std::string_view::npos) {
            break;
        }
        out.append(text.substr(pos, start - pos));
        const std::string_view charset = text.substr(start + 2, charsetEnd - start - 2);
        out.append(wordToUtf8(text[charsetEnd + 1], charset, text.substr(textStart, textEnd - textStart)));
        pos = textEnd + 2;
    }
    out.append(text.substr(std::min(pos, text.size())));
    return out;
}

} // namespace vantor::mail::codec
