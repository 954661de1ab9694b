// Feeds arbitrary bytes to the readers of backup.bak and of saved result lists. The first input byte picks
// the reader; the rest is a database line or a whole file. A database line must read back as it was
// written; deleted rows appended to any database file must read back as the last records; a list that
// loaded must save and load again.
#include "fuzz_support/Require.h"
#include "fuzz_support/ScratchDirectory.h"
#include "records/DeletedDatabase.h"
#include "records/DelimitedTable.h"
#include "records/RecordFormat.h"
#include "records/ResultListFile.h"
#include "records/TableError.h"
#include "storage/ErrorLog.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace vantor::records;
using vantor::fuzz::require;
using vantor::fuzz::ScratchDirectory;

// Reading records costs time per record and field; beyond this many the format offers nothing new.
constexpr std::size_t RecordsRead = 1000;

const ScratchDirectory& scratch()
{
    static const ScratchDirectory directory("vantor-records-fuzz");
    return directory;
}

// Formatting is the inverse of parsing for whatever a line parses to.
void checkRecordLine(std::size_t fieldCount, std::string_view line)
{
    const std::vector<std::string> values = parseRecord(line, fieldCount);
    require(values.size() == fieldCount);
    const std::string formatted = formatRecord(values);
    require(formatted.find_first_of("\r\n") == std::string::npos);
    require(formatRecord(parseRecord(formatted, fieldCount)) == formatted);
}

std::size_t readRecords(DelimitedTable& table)
{
    const std::size_t count = table.recordCount();
    for (std::size_t i = 0; i < std::min(count, RecordsRead); ++i)
        require(table.record(i).size() == table.fieldNames().size());
    return count;
}

// Rows as a check would record them, their texts taken from the input so they carry its odd bytes.
std::vector<ResultRow> deletedRows(std::string_view text)
{
    std::vector<ResultRow> rows(2);
    const std::size_t half = text.size() / 2;
    rows[0].caption = std::string(text.substr(0, std::min<std::size_t>(half, 300)));
    rows[0].subItems = {"Subject, \"quoted\"", "account", "01/02/2024 10.11.12"};
    rows[1].caption = "sender@example.org";
    rows[1].subItems = {std::string(text.substr(half, 300))};
    return rows;
}

void checkDatabase(const std::uint8_t* data, std::size_t size)
{
    const std::string home = scratch().path().string();
    const std::string file = DeletedDatabase::path(home).string();
    vantor::fuzz::writeFile(file, data, size);
    std::size_t before = 0;
    {
        DelimitedTable table(file);
        table.open();
        before = readRecords(table);
    }
    const std::vector<ResultRow> rows =
        deletedRows(std::string_view(reinterpret_cast<const char*>(data), size));
    vantor::storage::ErrorLog errorLog(home);
    DeletedDatabase::update(home, rows, errorLog);

    DelimitedTable table(file);
    table.open();
    const std::size_t fieldCount = table.fieldNames().size();
    const std::size_t expected = before + rows.size();
    require(table.recordCount() == expected);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        std::vector<std::string> values{rows[i].caption};
        values.resize(4);
        std::copy(rows[i].subItems.begin(), rows[i].subItems.end(), values.begin() + 1);
        require(table.record(expected - rows.size() + i) == parseRecord(formatRecord(values), fieldCount));
    }
    // Deleting the first record rewrites the file; what is left must read back whole.
    table.first();
    if (table.deleteCurrent()) {
        table.close();
        table.open();
        require(table.recordCount() == expected - 1);
        readRecords(table);
    }
}

// The list of deleted messages: sender, subject, account, date.
ResultList listWithColumns()
{
    ResultList list;
    list.columns.resize(4);
    return list;
}

void checkResultList(const std::uint8_t* data, std::size_t size)
{
    const std::string file = (scratch().path() / "list.led").string();
    vantor::fuzz::writeFile(file, data, size);
    ResultList list = listWithColumns();
    const ListLoadResult result = ResultListFile::load(list, file);
    // Rows are read only once the type mark and the columns passed.
    if (!list.rows.empty())
        require(result.status == ListLoadResult::Status::Loaded ||
                result.status == ListLoadResult::Status::InvalidNumber);
    if (result.status != ListLoadResult::Status::Loaded)
        return;
    ResultListFile::save(list, file);
    ResultList again = listWithColumns();
    const ListLoadResult reloaded = ResultListFile::load(again, file);
    // Lines are cut to 255 characters on saving, which may cut a number short, but the file is a list file
    // with the list's own columns.
    require(reloaded.status == ListLoadResult::Status::Loaded ||
            reloaded.status == ListLoadResult::Status::InvalidNumber);
    require(again.rows.size() <= list.rows.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    switch (data[0] % 3) {
    case 0:
        checkRecordLine(data[0] / 3 % 8, std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
        break;
    case 1:
        checkDatabase(data + 1, size - 1);
        break;
    default:
        checkResultList(data + 1, size - 1);
        break;
    }
    return 0;
}
