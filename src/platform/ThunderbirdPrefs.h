#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace vantor::platform {

// The preferences of a Mozilla prefs.js: statements user_pref("key", value); (pref and sticky_pref too),
// values being JavaScript strings, integers or true/false, with //, /* */ and # comments between them.
// A statement that cannot be read is skipped and marks the preferences damaged; any bytes are safe.
class ThunderbirdPrefs
{
public:
    ThunderbirdPrefs() = default;
    explicit ThunderbirdPrefs(std::string_view text);

    // The value the last statement for key gave: strings as UTF-8 with their escapes undone, integers in
    // decimal, booleans "true" or "false"; empty when no statement names the key.
    [[nodiscard]] std::string value(std::string_view key) const;
    [[nodiscard]] bool contains(std::string_view key) const;
    // Whether a statement was skipped because it could not be read.
    [[nodiscard]] bool isDamaged() const { return m_damaged; }
    [[nodiscard]] const std::map<std::string, std::string, std::less<>>& values() const { return m_values; }

private:
    std::map<std::string, std::string, std::less<>> m_values;
    bool m_damaged = false;
};

} // namespace vantor::platform
