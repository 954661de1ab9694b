#include "JsonWriter.h"

#include "mail/codec/Charsets.h"

#include <cstdio>

namespace vantor::tools {

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
            const std::size_t length = mail::codec::utf8SequenceLength(bytes, i);
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
