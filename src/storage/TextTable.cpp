#include "storage/TextTable.h"

#include "base/AsciiCase.h"
#include "storage/BuiltInTexts.h"
#include "storage/IniFile.h"
#include "storage/IniText.h"

#include <algorithm>
#include <filesystem>
#include <tuple>

namespace vantor::storage {

namespace {

// Positions of the built-in texts ordered by section, key and list position, for binary search.
const std::vector<std::size_t>& lookupOrder()
{
    static const std::vector<std::size_t> order = [] {
        const auto texts = builtInTexts();
        std::vector<std::size_t> positions(texts.size());
        for (std::size_t i = 0; i < positions.size(); ++i)
            positions[i] = i;
        std::sort(positions.begin(), positions.end(), [texts](std::size_t a, std::size_t b) {
            return std::tie(texts[a].section, texts[a].key, a) < std::tie(texts[b].section, texts[b].key, b);
        });
        return positions;
    }();
    return order;
}

const std::string& emptyText()
{
    static const std::string empty;
    return empty;
}

} // namespace

TextTable::TextTable()
{
    reset();
}

void TextTable::reset()
{
    const auto texts = builtInTexts();
    m_texts.assign(texts.size(), std::string());
    for (std::size_t i = 0; i < texts.size(); ++i)
        m_texts[i] = texts[i].text;
}

const std::string& TextTable::text(std::string_view section, std::string_view key) const
{
    return text(section, key, 0);
}

const std::string& TextTable::text(std::string_view section, std::string_view key,
                                   std::size_t occurrence) const
{
    const auto texts = builtInTexts();
    const auto& order = lookupOrder();
    const auto [first, last] = std::equal_range(
        order.begin(), order.end(), std::pair{section, key}, [texts](const auto& left, const auto& right) {
            using Id = std::pair<std::string_view, std::string_view>;
            const auto idOf = [texts](const auto& item) -> Id {
                if constexpr (std::is_same_v<std::decay_t<decltype(item)>, std::size_t>)
                    return {texts[item].section, texts[item].key};
                else
                    return item;
            };
            return idOf(left) < idOf(right);
        });
    if (occurrence >= static_cast<std::size_t>(last - first))
        return emptyText();
    return m_texts[first[static_cast<std::ptrdiff_t>(occurrence)]];
}

void TextTable::loadLanguage(const std::string& homeDir, std::string_view languageName)
{
    reset();
    try {
        const IniFile file(languageFilePath(homeDir, languageName));
        const auto texts = builtInTexts();
        for (std::size_t i = 0; i < texts.size(); ++i)
            m_texts[i] = file.readString(texts[i].section, texts[i].key, texts[i].text);
    } catch (...) {
        // An unreadable language file is no reason to bother the user: the English texts stay.
    }
}

std::string TextTable::languageFilePath(const std::string& homeDir, std::string_view name)
{
    namespace fs = std::filesystem;
    const fs::path directory = fs::path(homeDir) / "Language";
    const std::string fileName = base::toLowerAscii(name) + ".lng";
    const fs::path exact = directory / fileName;
    std::error_code error;
    if (fs::exists(exact, error))
        return exact.string();
    // Language files may be copied in under any letter case, and the name is matched as on Windows.
    for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
        const std::string entry = it->path().filename().string();
        if (initext::equalsNoCase(entry, fileName))
            return it->path().string();
    }
    return exact.string();
}

} // namespace vantor::storage
