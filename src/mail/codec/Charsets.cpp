#include "mail/codec/Charsets.h"

#include "base/AsciiCase.h"
#include "mail/codec/TextHelpers.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

#include <algorithm>
#include <optional>

namespace vantor::mail::codec {

namespace {

// Longest byte sequence of one character in the multi-byte charsets read piece by piece (GB18030: 4).
constexpr std::size_t kLongestCharacter = 4;

std::string lowerName(std::string_view charset)
{
    // "utf-8*en" names a language after the charset (RFC 2231); the decoder wants the charset alone.
    return base::toLowerAscii(trimBlanks(charset.substr(0, charset.find('*'))));
}

bool isAnyOf(std::string_view name, std::initializer_list<std::string_view> names)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The charset that mail programs actually write under a narrower label, so that the characters of
// the superset are read instead of being taken for errors.
std::string_view decoderNameFor(std::string_view name)
{
    if (isAnyOf(name, {"gb2312", "gbk", "x-gbk", "cp936", "ms936", "windows-936", "euc-cn", "x-euc-cn",
                       "csgb2312", "gb_2312-80", "chinese"}))
        return "GB18030";
    if (isAnyOf(name, {"euc-kr", "ks_c_5601-1987", "ks_c_5601", "ksc5601", "korean", "cseuckr"}))
        return "windows-949";
    if (isAnyOf(name, {"shift_jis", "shift-jis", "sjis", "x-sjis", "ms_kanji", "csshiftjis", "ms932"}))
        return "windows-31j";
    if (isAnyOf(name, {"big5", "x-big5", "csbig5", "cn-big5"}))
        return "Big5-HKSCS";
    return name;
}

bool isLatin1(std::string_view name)
{
    return isAnyOf(name, {"iso-8859-1", "iso8859-1", "iso_8859-1", "latin1", "l1", "cp819"});
}

// No charset, US-ASCII and the labels meaning "unknown" carry UTF-8 more often than anything else in
// real mail, and UTF-8 is recognisable: it is kept where it is well-formed.
bool readsAsUtf8(std::string_view name)
{
    return isAnyOf(name, {"utf-8", "utf8", "", "us-ascii", "ascii", "ansi_x3.4-1968", "unknown-8bit",
                          "x-unknown", "unknown", "8bit"});
}

// Charsets whose bytes depend on what came before (a byte order mark, a shift sequence): they cannot
// be read one character at a time, and plain ASCII bytes are not necessarily ASCII in them.
bool isStateful(std::string_view name)
{
    for (const std::string_view family :
         {"utf-16", "utf16", "utf-32", "utf32", "ucs", "utf-7", "2022", "hz"}) {
        if (name.find(family) != std::string_view::npos)
            return true;
    }
    return false;
}

void appendLatin1(std::string& out, unsigned char c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string latin1ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char c : bytes)
        appendLatin1(out, static_cast<unsigned char>(c));
    return out;
}

// Well-formed UTF-8 sequences as they are, every other byte as Latin-1.
std::string lenientUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = utf8SequenceLength(bytes, i);
        if (length == 0) {
            appendLatin1(out, static_cast<unsigned char>(bytes[i]));
            ++i;
        } else {
            out.append(bytes.substr(i, length));
            i += length;
        }
    }
    return out;
}

bool isAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

void appendUtf8(std::string& out, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    out.append(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

QByteArrayView viewOf(std::string_view bytes)
{
    return {bytes.data(), static_cast<qsizetype>(bytes.size())};
}

// Decodes `bytes` with a fresh decoder; nullopt when the decoder finds an error or gives nothing.
std::optional<QString> decodedWithoutError(std::string_view bytes, const QByteArray& decoderName)
{
    QStringDecoder decoder(decoderName.constData(), QStringConverter::Flag::Stateless);
    QString text = decoder.decode(viewOf(bytes));
    if (decoder.hasError() || text.isEmpty())
        return std::nullopt;
    return text;
}

// The character that `bytes` begin with: the shortest run of bytes that decodes without error.
struct Character
{
    QString text;
    std::size_t length = 0;
};

std::optional<Character> characterAt(std::string_view bytes, const QByteArray& decoderName)
{
    for (std::size_t length = 1; length <= std::min(kLongestCharacter, bytes.size()); ++length) {
        if (auto text = decodedWithoutError(bytes.substr(0, length), decoderName))
            return Character{std::move(*text), length};
    }
    return std::nullopt;
}

// Character by character; a byte that starts no character is taken as Latin-1. ASCII bytes are
// themselves in every charset read here.
void appendPiecewise(std::string& out, std::string_view bytes, const QByteArray& decoderName)
{
    for (std::size_t i = 0; i < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        const auto character = byte < 0x80 ? std::nullopt : characterAt(bytes.substr(i), decoderName);
        if (character) {
            appendUtf8(out, character->text);
            i += character->length;
        } else {
            appendLatin1(out, byte);
            ++i;
        }
    }
}

// For a text the decoder found broken: line by line, so that a broken byte costs the careful reading
// of its own line only. A line feed is never part of a character in these charsets.
std::string decodeBrokenText(std::string_view bytes, const QByteArray& decoderName)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size() - 1) + 1;
        const std::string_view line = bytes.substr(start, end - start);
        if (const auto text = decodedWithoutError(line, decoderName))
            appendUtf8(out, *text);
        else
            appendPiecewise(out, line, decoderName);
        start = end;
    }
    return out;
}

} // namespace

std::size_t utf8SequenceLength(std::string_view bytes, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned int minimum = 0;
    unsigned int code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, minimum = 0x80, code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, minimum = 0x800, code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, minimum = 0x10000, code = lead & 0x07u;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0u) != 0x80u)
            return 0;
        code = (code << 6) | (byte(i + k) & 0x3Fu);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < minimum || code > 0x10FFFF || surrogate ? 0 : length;
}

bool isWellFormedUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8SequenceLength(text, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

std::string decodeCharset(std::string_view bytes, std::string_view charset)
{
    const std::string name = lowerName(charset);
    if (readsAsUtf8(name))
        return lenientUtf8(bytes);
    if (isLatin1(name))
        return latin1ToUtf8(bytes);
    const bool stateful = isStateful(name);
    if (!stateful && isAscii(bytes))
        return std::string(bytes);
    const std::string_view decoding = decoderNameFor(name);
    const QByteArray decoderName(decoding.data(), static_cast<qsizetype>(decoding.size()));
    QStringDecoder decoder(decoderName.constData(), QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        return lenientUtf8(bytes);
    const QString text = decoder.decode(viewOf(bytes));
    if (decoder.hasError() && !stateful)
        return decodeBrokenText(bytes, decoderName);
    // A broken stateful text keeps the decoder's replacement characters: its bytes have no meaning
    // of their own to fall back on.
    std::string out;
    appendUtf8(out, text);
    return out;
}

} // namespace vantor::mail::codec
