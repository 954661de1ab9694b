#include "mail/codec/HeaderText.h"

#include "base/AsciiCase.h"
#include "mail/codec/Base64.h"
#include "mail/codec/Charsets.h"
#include "mail/codec/QuotedPrintable.h"
#include "mail/codec/TextHelpers.h"
#include "mail/codec/UuDecode.h"

#include <algorithm>
#include <iterator>
#include <optional>

namespace vantor::mail::codec {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool allBlank(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), isBlank);
}

// One "=?charset?X?text?=" found in a header value.
struct EncodedWord
{
    std::size_t start = std::string_view::npos;
    std::size_t end = std::string_view::npos; // one past "?="
    std::string_view charset;
    std::string bytes; // the text decoded by its letter, not yet by its charset
};

// Bytes of the text of an encoded word for its encoding letter. Blanks are dropped first: they are
// never part of an encoded text, and a word folded in its middle gets one from the unfolding.
std::string decodeWordText(char letter, std::string_view text)
{
    std::string compact;
    compact.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(compact), [](char c) { return !isBlank(c); });
    std::string bytes;
    if (letter == 'B' || letter == 'b') {
        decodeBase64Line(compact, bytes);
    } else if (letter == 'U') {
        decodeUuLine(compact, bytes);
    } else {
        bytes = decodeQEncoding(compact);
    }
    return bytes;
}

// The first encoded word at or after `from`. A charset holding a blank is prose that happens to
// contain "=?", not a word.
std::optional<EncodedWord> findEncodedWord(std::string_view text, std::size_t from)
{
    for (std::size_t start = text.find("=?", from); start != std::string_view::npos;
         start = text.find("=?", start + 2)) {
        const std::size_t charsetEnd = text.find('?', start + 2);
        if (charsetEnd == std::string_view::npos)
            return std::nullopt;
        const std::string_view charset = text.substr(start + 2, charsetEnd - start - 2);
        if (charset.empty() || std::any_of(charset.begin(), charset.end(), isBlank) ||
            charsetEnd + 2 >= text.size() || text[charsetEnd + 2] != '?')
            continue;
        const std::size_t textStart = charsetEnd + 3;
        const std::size_t textEnd = text.find("?=", textStart);
        if (textEnd == std::string_view::npos)
            return std::nullopt;
        EncodedWord word;
        word.start = start;
        word.end = textEnd + 2;
        word.charset = charset;
        word.bytes = decodeWordText(text[charsetEnd + 1], text.substr(textStart, textEnd - textStart));
        return word;
    }
    return std::nullopt;
}

// Text up to its first NUL; cut after the charset conversion so that UTF-16 words, whose bytes are
// full of NULs, survive.
void appendUpToNul(std::string& out, std::string_view text)
{
    out.append(text.substr(0, text.find('\0')));
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
    // Adjacent words of one charset are converted together: a sender may split a character's bytes
    // over two words, and the blanks between adjacent words are not part of the text (RFC 2047 6.2).
    std::string pendingBytes;
    std::string_view pendingCharset;
    const auto flushPending = [&] {
        if (!pendingCharset.empty())
            appendUpToNul(out, decodeCharset(pendingBytes, pendingCharset));
        pendingBytes.clear();
        pendingCharset = {};
    };
    std::size_t pos = 0;
    // One pass from left to right: decoded text is never read as encoded words again.
    while (auto word = findEncodedWord(text, pos)) {
        const std::string_view between = text.substr(pos, word->start - pos);
        const bool adjacent = !pendingCharset.empty() && allBlank(between);
        if (!adjacent || !base::equalsIgnoreCase(word->charset, pendingCharset)) {
            flushPending();
            if (!adjacent)
                out.append(between);
            pendingCharset = word->charset;
        }
        pendingBytes += word->bytes;
        pos = word->end;
    }
    flushPending();
    out.append(text.substr(pos));
    return out;
}

} // namespace vantor::mail::codec
