#include "records/ResultListFile.h"

#include "storage/IniFile.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <optional>

namespace vantor::records {

namespace fs = std::filesystem;

namespace {

constexpr const char* GeneralSection = "General";
constexpr const char* ListViewSection = "ListView";
constexpr const char* ColumnSection = "Column";
constexpr const char* ItemSection = "Item";
constexpr const char* Missing = "ERRORE";
constexpr char Separator = ';';
// A stored line holds at most 255 characters, so no row can name more sub-items than that.
constexpr long MaxSubItems = 255;

using Status = ListLoadResult::Status;

ListLoadResult failure(Status status, std::string message, std::string key = {})
{
    return ListLoadResult{status, std::move(message), key.empty() ? std::string() : "Message",
                          std::move(key)};
}

// The text up to the next separator (all of it when there is none); rest moves past the separator.
std::string_view nextField(std::string_view& rest)
{
    const std::size_t end = rest.find(Separator);
    const std::string_view field = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return field;
}

std::optional<long> parseInteger(std::string_view text)
{
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    long value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

ListLoadResult notAnInteger(std::string_view text)
{
    return failure(Status::InvalidNumber, "'" + std::string(text) + "' is not a valid integer value");
}

// Row "caption;icon;count;sub1;sub2;...": the caption is empty when the text has no separator at all.
ListLoadResult parseRow(std::string_view text, ResultRow& row)
{
    const std::size_t captionEnd = text.find(Separator);
    row.caption =
        captionEnd == std::string_view::npos ? std::string() : std::string(text.substr(0, captionEnd));
    std::string_view rest = captionEnd == std::string_view::npos ? text : text.substr(captionEnd + 1);
    const std::string_view iconText = nextField(rest);
    const std::optional<long> icon = parseInteger(iconText);
    if (!icon)
        return notAnInteger(iconText);
    row.icon = static_cast<int>(*icon);
    const std::string_view countText = nextField(rest);
    const std::optional<long> count = parseInteger(countText);
    if (!count)
        return notAnInteger(countText);
    for (long i = 0; i < std::min(*count, MaxSubItems); ++i)
        row.subItems.emplace_back(nextField(rest));
    return {};
}

std::string columnLine(const ResultColumn& column)
{
    return column.title + Separator + std::to_string(column.imageIndex) + Separator;
}

std::string rowLine(const ResultRow& row, bool withSubItems)
{
    std::string line = row.caption + Separator + std::to_string(row.icon) + Separator +
                       std::to_string(row.subItems.size()) + Separator;
    if (withSubItems) {
        for (const std::string& subItem : row.subItems)
            line += subItem + Separator;
    }
    return line;
}

ListLoadResult readColumns(const storage::IniFile& ini, ResultList& list)
{
    const int columnCount = ini.readInteger(ListViewSection, "Columns", 0);
    for (int i = 0; i < columnCount; ++i) {
        const std::string text = ini.readString(ColumnSection, "C" + std::to_string(i), Missing);
        if (static_cast<std::size_t>(i) >= list.columns.size())
            return failure(Status::TooManyColumns, "List index out of bounds (" + std::to_string(i) + ")");
        const std::size_t end = text.find(Separator);
        list.columns[static_cast<std::size_t>(i)].title =
            end == std::string::npos ? std::string() : text.substr(0, end);
    }
    return {};
}

ListLoadResult readRows(const storage::IniFile& ini, ResultList& list)
{
    const int rowCount = ini.readInteger(ListViewSection, "Items", 0);
    for (int i = 0; i < rowCount; ++i) {
        ResultRow row;
        const ListLoadResult result =
            parseRow(ini.readString(ItemSection, "R" + std::to_string(i), Missing), row);
        if (result.isFailure())
            return result;
        list.rows.push_back(std::move(row));
    }
    return {};
}

} // namespace

void ResultListFile::save(const ResultList& list, const std::string& fileName)
{
    // The new file holds this list only, whatever an older file of that name held. The older file is
    // emptied in memory, not removed, so that it stays whole until the new one replaces it.
    storage::IniFile ini(fileName);
    for (const std::string& section : ini.readSections())
        ini.eraseSection(section);
    ini.writeString(GeneralSection, "Type", TypeMark);
    ini.writeString(GeneralSection, "ATTENTION", "YOU DON NOT CHANGE NOTHING IN THIS FILE");
    ini.writeInteger(ListViewSection, "Items", static_cast<int>(list.rows.size()));
    ini.writeInteger(ListViewSection, "Columns", static_cast<int>(list.columns.size()));
    for (std::size_t i = 0; i < list.columns.size(); ++i)
        ini.writeString(ColumnSection, "C" + std::to_string(i), columnLine(list.columns[i]));
    const bool withSubItems = list.columns.size() > 1;
    for (std::size_t i = 0; i < list.rows.size(); ++i)
        ini.writeString(ItemSection, "R" + std::to_string(i), rowLine(list.rows[i], withSubItems));
    ini.updateFile();
}

ListLoadResult ResultListFile::load(ResultList& list, const std::string& fileName)
{
    std::error_code error;
    if (!fs::exists(fileName, error))
        return ListLoadResult{Status::NoFile, {}, {}, {}};
    try {
        const storage::IniFile ini(fileName);
        const std::string type = ini.readString(GeneralSection, "Type", Missing);
        if (type == Missing)
            return failure(Status::FileError, "File error.", "039");
        if (type != TypeMark)
            return failure(Status::NotAListFile, "This is not a EMail Vantor List file.", "038");
        list.rows.clear();
        const ListLoadResult columns = readColumns(ini, list);
        return columns.isFailure() ? columns : readRows(ini, list);
    } catch (const storage::IniError&) {
        return failure(Status::FileError, "File error.", "039");
    }
}

} // namespace vantor::records
