#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vantor::records {

// A comma-separated table file whose first line names the fields: the deleted-mail database.
// The file is read only when records are first asked for, so appending to a large file costs only the
// appended lines; closing writes only those lines unless a record was deleted, which rewrites the file.
class DelimitedTable
{
public:
    // Field capacity when every line of the file is empty.
    static constexpr std::size_t DefaultCapacity = 250;

    explicit DelimitedTable(std::string fileName);
    // Closes the table; a failed write is dropped here (call close() first to see it).
    ~DelimitedTable();

    DelimitedTable(const DelimitedTable&) = delete;
    DelimitedTable& operator=(const DelimitedTable&) = delete;

    // Opens the file, which must exist; throws TableError "Cannot open file %s". The cursor is on the first
    // record.
    void open();
    // Writes pending changes and closes; throws TableError "Cannot create file %s" and then stays open.
    void close();
    bool isOpen() const { return m_open; }
    // True when appended or deleted records wait to be written.
    bool isModified() const { return m_rewrite || !m_unwritten.empty(); }
    const std::string& fileName() const { return m_fileName; }

    // The field names from the first line. The reads below need an open table (TableError "Dataset is not
    // active" otherwise) and may throw TableError "Cannot open file %s" when the file cannot be read.
    const std::vector<std::string>& fieldNames();
    // The length of the longest line when the file was read, header included (DefaultCapacity when all are
    // empty). Values are stored whole; the capacity only sizes the printed columns.
    std::size_t fieldCapacity();
    std::size_t recordCount();
    // Lines of the file, records + 1: the count the exports state.
    std::size_t lineCount();
    // The values of record index (from 0), one per field; throws std::out_of_range past the last record.
    std::vector<std::string> record(std::size_t index);

    // Cursor over the records.
    void first();
    void next();
    bool atEnd();
    std::size_t currentIndex() const { return m_current; }
    std::vector<std::string> currentRecord();

    // Adds a record after the last line, formatted by formatRecord; needs an open table.
    void append(const std::vector<std::string>& values);
    // Removes the current record; the following one becomes current. False when the cursor is at the end.
    bool deleteCurrent();

private:
    void requireOpen() const;
    void load();
    void writeAppended();
    void rewrite();

    std::string m_fileName;
    bool m_open = false;
    bool m_loaded = false;
    // Whether the file on disk ends with a line break: appended lines must start on a line of their own.
    bool m_endsWithLineBreak = true;
    bool m_rewrite = false;
    std::vector<std::string> m_lines;
    std::vector<std::string> m_fieldNames;
    std::vector<std::string> m_unwritten;
    std::size_t m_capacity = DefaultCapacity;
    std::size_t m_current = 0;
};

} // namespace vantor::records
