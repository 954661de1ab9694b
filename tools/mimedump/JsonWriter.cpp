#include "JsonWriter.h"

#include <cstdio>

namespace vantor::tools {

namespace {

// Length of the valid UTF-8 sequence starting at bytes[i], or 0 when it is not one.
std::size_t utf8Length(std::string_view bytes, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = byte(i);
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

} // namespace

std::string JsonWriter::quote(std::string_view bytes)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < bytes.size();) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20 || c == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else if (c >= 0x80) {
            const std::size_t length = utf8Length(bytes, i);
            if (length == 0) {
                out += "\\ufffd";
                ++i;
                continue;
            }
            out.append(bytes.substr(i, length));
            i += length;
            continue;
        } else {
            out += static_cast<char>(c);
        }
        ++i;
    }
    out += '"';
    return out;
}

void JsonWriter::separate()
{
    if (m_needComma)
        m_text += ',';
    m_needComma = true;
}

void JsonWriter::key(std::string_view name)
{
    separate();
    m_text += quote(name);
    m_text += ':';
}

void JsonWriter::beginObject()
{
    separate();
    m_text += '{';
    m_needComma = false;
}

void JsonWriter::endObject()
{
    m_text += '}';
    m_needComma = true;
}

void JsonWriter::beginArray(std::string_view name)
{
    key(name);
    m_text += '[';
    m_needComma = false;
}

void JsonWriter::endArray()
{
    m_text += ']';
    m_needComma = true;
}

void JsonWriter::field(std::string_view name, std::string_view value)
{
    key(name);
    m_text += quote(value);
}

void JsonWriter::field(std::string_view name, long long value)
{
    key(name);
    m_text += std::to_string(value);
}

} // namespace vantor::tools
