#include "platform/ThunderbirdPrefs.h"

#include <QString>

#include <cctype>
#include <cstdint>
#include <optional>

namespace vantor::platform {

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void appendUtf8(std::string& out, std::uint32_t codePoint)
{
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

// The file is UTF-8; a byte that is not (a hand-edited file in a legacy charset) must not make the
// value unusable downstream, so only such bytes are replaced.
std::string wellFormed(std::string bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())).toStdString();
    }
    return bytes;
}

// A cursor over the text: each read either consumes a token and returns it, or leaves the position where
// the statement went wrong.
class Parser
{
public:
    explicit Parser(std::string_view text)
        : m_text(text)
    {
        if (m_text.substr(0, 3) == "\xEF\xBB\xBF")
            m_pos = 3;
    }

    // Reads every statement into values; returns whether all of them could be read.
    bool readAll(std::map<std::string, std::string, std::less<>>& values)
    {
        bool complete = true;
        while (skipBlanksAndComments() && m_pos < m_text.size()) {
            m_tokenEnd = m_pos;
            std::string key;
            std::string value;
            if (statement(key, value)) {
                values.insert_or_assign(std::move(key), std::move(value));
                continue;
            }
            complete = false;
            // Start again after the statement's end, or at the next line if it has none before that. A
            // statement that only lacks its ";" ends on its own line: the next line is read again, unless
            // a comment lies between, whose lines must not be read as statements.
            const std::size_t gap = m_text.find_first_not_of(" \t\r\n\f\v", m_tokenEnd);
            const std::size_t origin = gap >= m_pos ? m_tokenEnd : m_pos;
            const std::size_t next = m_text.find_first_of(";\n", origin);
            m_pos = next == std::string_view::npos ? m_text.size() : next + 1;
        }
        return complete && m_commentsClosed;
    }

private:
    // Skips blanks and comments; false only when the text ends inside a /* comment.
    bool skipBlanksAndComments()
    {
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v') {
                ++m_pos;
            } else if (c == '#' || m_text.substr(m_pos, 2) == "//") {
                const std::size_t end = m_text.find('\n', m_pos);
                m_pos = end == std::string_view::npos ? m_text.size() : end + 1;
            } else if (m_text.substr(m_pos, 2) == "/*") {
                const std::size_t end = m_text.find("*/", m_pos + 2);
                if (end == std::string_view::npos) {
                    m_pos = m_text.size();
                    m_commentsClosed = false;
                    return false;
                }
                m_pos = end + 2;
            } else {
                break;
            }
        }
        return true;
    }

    bool accept(char c)
    {
        skipBlanksAndComments();
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            m_tokenEnd = ++m_pos;
            return true;
        }
        return false;
    }

    std::string_view identifier()
    {
        skipBlanksAndComments();
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() &&
               (std::isalnum(static_cast<unsigned char>(m_text[m_pos])) != 0 || m_text[m_pos] == '_'))
            ++m_pos;
        if (m_pos > start)
            m_tokenEnd = m_pos;
        return m_text.substr(start, m_pos - start);
    }

    // Four hex digits of a \u escape.
    std::optional<std::uint32_t> hexDigits(int count)
    {
        if (m_text.size() - m_pos < static_cast<std::size_t>(count))
            return std::nullopt;
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i) {
            const int digit = hexValue(m_text[m_pos + static_cast<std::size_t>(i)]);
            if (digit < 0)
                return std::nullopt;
            value = value * 16 + static_cast<std::uint32_t>(digit);
        }
        m_pos += static_cast<std::size_t>(count);
        return value;
    }

    // The code point of a \u escape, a surrogate pair joined; none for a lone surrogate.
    std::optional<std::uint32_t> unicodeEscape()
    {
        const std::optional<std::uint32_t> unit = hexDigits(4);
        if (!unit || (*unit >= 0xDC00 && *unit <= 0xDFFF))
            return std::nullopt;
        if (*unit < 0xD800 || *unit > 0xDBFF)
            return unit;
        if (m_text.substr(m_pos, 2) != "\\u")
            return std::nullopt;
        m_pos += 2;
        const std::optional<std::uint32_t> low = hexDigits(4);
        if (!low || *low < 0xDC00 || *low > 0xDFFF)
            return std::nullopt;
        return 0x10000 + ((*unit - 0xD800) << 10) + (*low - 0xDC00);
    }

    // A string in double or single quotes on one line.
    std::optional<std::string> string()
    {
        skipBlanksAndComments();
        if (m_pos >= m_text.size() || (m_text[m_pos] != '"' && m_text[m_pos] != '\''))
            return std::nullopt;
        const char quote = m_text[m_pos++];
        std::string out;
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            if (c == quote) {
                m_tokenEnd = ++m_pos;
                return wellFormed(std::move(out));
            }
            // A control character (a line break above all) means the closing quote is missing.
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
                return std::nullopt;
            ++m_pos;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (m_pos >= m_text.size())
                return std::nullopt;
            const char escaped = m_text[m_pos++];
            std::optional<std::uint32_t> codePoint;
            switch (escaped) {
            case '"':
            case '\'':
            case '\\':
                out += escaped;
                continue;
            case 'n':
                out += '\n';
                continue;
            case 'r':
                out += '\r';
                continue;
            case 't':
                out += '\t';
                continue;
            case 'x':
                codePoint = hexDigits(2);
                break;
            case 'u':
                codePoint = unicodeEscape();
                break;
            default:
                return std::nullopt;
            }
            // A NUL would cut the value short wherever it goes next.
            if (!codePoint || *codePoint == 0)
                return std::nullopt;
            appendUtf8(out, *codePoint);
        }
        return std::nullopt;
    }

    std::optional<std::string> value()
    {
        skipBlanksAndComments();
        if (m_pos < m_text.size() && (m_text[m_pos] == '"' || m_text[m_pos] == '\''))
            return string();
        if (m_pos < m_text.size() && (m_text[m_pos] == '-' || m_text[m_pos] == '+')) {
            const bool negative = m_text[m_pos++] == '-';
            const std::string_view digits = identifier();
            if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
                return std::nullopt;
            return (negative ? "-" : "") + std::string(digits);
        }
        const std::string_view word = identifier();
        if (word == "true" || word == "false")
            return std::string(word);
        if (word.empty() || word.find_first_not_of("0123456789") != std::string_view::npos)
            return std::nullopt;
        return std::string(word);
    }

    // user_pref("key", value[, locked|sticky...]);
    bool statement(std::string& key, std::string& result)
    {
        const std::string_view kind = identifier();
        if (kind != "user_pref" && kind != "pref" && kind != "sticky_pref")
            return false;
        if (!accept('('))
            return false;
        std::optional<std::string> name = string();
        if (!name || !accept(','))
            return false;
        std::optional<std::string> read = value();
        if (!read)
            return false;
        while (accept(',')) {
            const std::string_view attribute = identifier();
            if (attribute != "locked" && attribute != "sticky")
                return false;
        }
        if (!accept(')') || !accept(';'))
            return false;
        key = std::move(*name);
        result = std::move(*read);
        return true;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
    // Just after the last token read, where a statement without its ";" would have ended.
    std::size_t m_tokenEnd = 0;
    bool m_commentsClosed = true;
};

} // namespace

ThunderbirdPrefs::ThunderbirdPrefs(std::string_view text)
{
    m_damaged = !Parser(text).readAll(m_values);
}

std::string ThunderbirdPrefs::value(std::string_view key) const
{
    const auto found = m_values.find(key);
    return found == m_values.end() ? std::string() : found->second;
}

bool ThunderbirdPrefs::contains(std::string_view key) const
{
    return m_values.find(key) != m_values.end();
}

} // namespace vantor::platform
