#include "records/DelimitedTable.h"

#include "base/AtomicFile.h"
#include "base/TextLines.h"
#include "records/RecordFormat.h"
#include "records/TableError.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace vantor::records {

namespace fs = std::filesystem;

namespace {

TableError cannotOpen(const std::string& fileName)
{
    return TableError("Cannot open file " + fileName);
}

TableError cannotCreate(const std::string& fileName)
{
    return TableError("Cannot create file " + fileName);
}

std::vector<std::string> splitHeader(const std::string& header)
{
    std::vector<std::string> names;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = header.find(RecordDelimiter, start);
        names.push_back(header.substr(start, end - start));
        if (end == std::string::npos)
            return names;
        start = end + 1;
    }
}

void appendAll(const fs::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out)
        throw std::ios_base::failure("write failed");
}

} // namespace

DelimitedTable::DelimitedTable(std::string fileName)
    : m_fileName(std::move(fileName))
{}

DelimitedTable::~DelimitedTable()
{
    try {
        close();
    } catch (const TableError&) {
        // Nothing to tell from a destructor; callers that care call close() themselves.
    }
}

void DelimitedTable::open()
{
    if (m_open)
        return;
    std::error_code error;
    if (fs::is_directory(m_fileName, error))
        throw cannotOpen(m_fileName);
    std::ifstream in(m_fileName, std::ios::binary | std::ios::ate);
    if (!in)
        throw cannotOpen(m_fileName);
    // Only the last byte is needed now; the lines are read when a record is first asked for.
    const std::streamoff size = in.tellg();
    m_endsWithLineBreak = true;
    if (size > 0) {
        in.seekg(size - 1);
        const int last = in.get();
        m_endsWithLineBreak = last == '\n' || last == '\r';
    }
    m_open = true;
    m_loaded = false;
    m_rewrite = false;
    m_lines.clear();
    m_fieldNames.clear();
    m_unwritten.clear();
    m_capacity = DefaultCapacity;
    m_current = 0;
}

void DelimitedTable::close()
{
    if (!m_open)
        return;
    if (m_rewrite)
        rewrite();
    else if (!m_unwritten.empty())
        writeAppended();
    m_open = false;
    m_loaded = false;
    m_lines.clear();
    m_fieldNames.clear();
}

void DelimitedTable::requireOpen() const
{
    if (!m_open)
        throw TableError("Dataset is not active");
}

void DelimitedTable::load()
{
    requireOpen();
    if (m_loaded)
        return;
    std::ifstream in(m_fileName, std::ios::binary);
    if (!in)
        throw cannotOpen(m_fileName);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        throw cannotOpen(m_fileName);
    m_lines = base::splitLines(text);
    std::size_t longest = 0;
    for (const std::string& line : m_lines)
        longest = std::max(longest, line.size());
    m_capacity = longest > 0 ? longest : DefaultCapacity;
    m_fieldNames = m_lines.empty() ? std::vector<std::string>{} : splitHeader(m_lines.front());
    // Records appended before the file was read follow the lines already on disk.
    m_lines.insert(m_lines.end(), m_unwritten.begin(), m_unwritten.end());
    m_loaded = true;
}

const std::vector<std::string>& DelimitedTable::fieldNames()
{
    load();
    return m_fieldNames;
}

std::size_t DelimitedTable::fieldCapacity()
{
    load();
    return m_capacity;
}

std::size_t DelimitedTable::recordCount()
{
    load();
    return m_lines.empty() ? 0 : m_lines.size() - 1;
}

std::size_t DelimitedTable::lineCount()
{
    return recordCount() + 1;
}

std::vector<std::string> DelimitedTable::record(std::size_t index)
{
    if (index >= recordCount())
        throw std::out_of_range("record index out of range");
    return parseRecord(m_lines[index + 1], m_fieldNames.size());
}

void DelimitedTable::first()
{
    requireOpen();
    m_current = 0;
}

void DelimitedTable::next()
{
    if (!atEnd())
        ++m_current;
}

bool DelimitedTable::atEnd()
{
    return m_current >= recordCount();
}

std::vector<std::string> DelimitedTable::currentRecord()
{
    return record(m_current);
}

void DelimitedTable::append(const std::vector<std::string>& values)
{
    requireOpen();
    std::string line = formatRecord(values);
    if (m_loaded)
        m_lines.push_back(line);
    m_unwritten.push_back(std::move(line));
}

bool DelimitedTable::deleteCurrent()
{
    if (atEnd())
        return false;
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(m_current) + 1);
    m_rewrite = true;
    return true;
}

void DelimitedTable::writeAppended()
{
    std::string text = m_endsWithLineBreak ? std::string() : std::string("\r\n");
    text += base::joinLinesCrLf(m_unwritten);
    std::error_code error;
    const std::uintmax_t sizeBefore = fs::exists(m_fileName, error) ? fs::file_size(m_fileName, error) : 0;
    try {
        appendAll(m_fileName, text);
    } catch (const std::ios_base::failure&) {
        // Take a half-written tail back off, so that a later retry does not repeat lines.
        if (!error)
            fs::resize_file(m_fileName, sizeBefore, error);
        throw cannotCreate(m_fileName);
    }
    m_unwritten.clear();
    m_endsWithLineBreak = true;
}

void DelimitedTable::rewrite()
{
    // A failure leaves the old file whole.
    if (base::AtomicFile::write(m_fileName, base::joinLinesCrLf(m_lines)))
        throw cannotCreate(m_fileName);
    m_rewrite = false;
    m_unwritten.clear();
}

} // namespace vantor::records
