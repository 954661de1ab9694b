#pragma once

#include "records/ResultRow.h"

#include <string>
#include <string_view>
#include <vector>

namespace vantor::records {

// A column of a result list: title and image index (-1 for none).
struct ResultColumn
{
    std::string title;
    int imageIndex = -1;
};

// A result list as a saved file holds it: the columns and the rows.
struct ResultList
{
    std::vector<ResultColumn> columns;
    std::vector<ResultRow> rows;
};

// The outcome of loading a list file. message is the English text to show for a failure; textSection and
// textKey address the same text in the language table when it has one.
struct ListLoadResult
{
    enum class Status
    {
        Loaded,
        NoFile,
        FileError,
        NotAListFile,
        InvalidNumber,
        TooManyColumns
    };

    Status status = Status::Loaded;
    std::string message;
    std::string textSection;
    std::string textKey;

    bool isFailure() const { return status != Status::Loaded && status != Status::NoFile; }
};

// Saved result lists (INI files): kept messages ".lef", deleted messages ".led".
class ResultListFile
{
public:
    inline static constexpr std::string_view KeptExtension = "lef";
    inline static constexpr std::string_view DeletedExtension = "led";
    inline static constexpr std::string_view TypeMark = "EMail Vantor List File";

    // Replaces fileName with the list: [General] Type and ATTENTION, [ListView] Items and Columns,
    // [Column] C<i> = "title;image;", [Item] R<i> = "caption;icon;count;" + (with more than one column)
    // every sub-item followed by ";". Lines are cut to 255 characters, and ";" inside a text is not escaped.
    // Throws storage::IniError when the file cannot be written.
    static void save(const ResultList& list, const std::string& fileName);

    // Reads fileName into list: NoFile (list unchanged) when there is no such file; FileError ("File error.")
    // without a type mark or when unreadable, NotAListFile ("This is not a EMail Vantor List file.") for
    // another mark, both leaving the list unchanged. Otherwise the rows are replaced and the titles of the
    // list's existing columns set; a row whose icon or count is not a number stops the load with
    // InvalidNumber ("'%s' is not a valid integer value"), keeping the rows read before it; a file with more
    // columns than the list gives TooManyColumns ("List index out of bounds (%d)") with no rows read.
    static ListLoadResult load(ResultList& list, const std::string& fileName);
};

} // namespace vantor::records
