#pragma once

#include <string>
#include <string_view>

namespace vantor::tools {

// Builds one JSON object on a line. Strings are bytes: valid UTF-8 is copied, control bytes become
// \u00XX escapes, and every byte that is not part of a valid UTF-8 sequence becomes \ufffd.
class JsonWriter
{
public:
    void beginObject();
    void endObject();
    void beginArray(std::string_view key);
    void endArray();
    void field(std::string_view key, std::string_view value);
    void field(std::string_view key, long long value);
    const std::string& text() const { return m_text; }

    // The JSON string literal of bytes, quotes included.
    [[nodiscard]] static std::string quote(std::string_view bytes);

private:
    void separate();
    void key(std::string_view name);

    std::string m_text;
    bool m_needComma = false;
};

} // namespace vantor::tools
