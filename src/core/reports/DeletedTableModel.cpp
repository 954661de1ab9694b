#include "core/reports/DeletedTableModel.h"

#include "base/TextLines.h"
#include "core/program/DisplayText.h"
#include "records/DeletedDatabase.h"
#include "records/RecordFormat.h"
#include "records/TableError.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace vantor::core {

namespace fs = std::filesystem;

namespace {

// "dd/mm/yyyy hh:mm:ss", whatever separators the locale wrote, as "yyyymmddhhmmss", so that the dates sort
// by time rather than by day of the month. Anything else sorts as it is written.
QString dateKey(const std::string& value, const QString& shown)
{
    std::vector<std::string> groups;
    for (std::size_t at = 0; at < value.size();) {
        if (!std::isdigit(static_cast<unsigned char>(value[at]))) {
            ++at;
            continue;
        }
        const std::size_t start = at;
        while (at < value.size() && std::isdigit(static_cast<unsigned char>(value[at])))
            ++at;
        groups.push_back(value.substr(start, at - start));
    }
    static constexpr std::size_t MaxDigits[] = {2, 2, 4, 2, 2, 2};
    if (groups.size() != std::size(MaxDigits))
        return shown;
    std::string key;
    for (const std::size_t order : {2, 1, 0, 3, 4, 5}) {
        if (groups[order].size() > MaxDigits[order])
            return shown;
        key += std::string(MaxDigits[order] - groups[order].size(), '0') + groups[order];
    }
    return QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()));
}

// An empty file has no header line: its first record would be taken for the field names.
bool needsHeader(const fs::path& file)
{
    std::error_code error;
    return !fs::exists(file, error) || (fs::is_regular_file(file, error) && fs::file_size(file, error) == 0);
}

} // namespace

DeletedTableModel::DeletedTableModel(std::string homeDir, QObject* parent)
    : QAbstractTableModel(parent)
    , m_homeDir(std::move(homeDir))
    , m_table(std::make_unique<records::DelimitedTable>(records::DeletedDatabase::path(m_homeDir).string()))
{}

DeletedTableModel::~DeletedTableModel()
{
    try {
        close();
    } catch (const records::TableError&) {
        // Nothing to tell from a destructor; the window closes the table itself and reports a failure.
    }
}

bool DeletedTableModel::open()
{
    beginResetModel();
    m_titles.clear();
    m_cells.clear();
    m_dateKeys.clear();
    m_dateColumn = -1;
    // A failed creation shows as a failed open just below.
    if (needsHeader(records::DeletedDatabase::path(m_homeDir)))
        records::DeletedDatabase::create(m_homeDir);
    bool opened = false;
    try {
        m_table->open();
        readRecords();
        std::error_code error;
        m_sizeRead = fs::file_size(records::DeletedDatabase::path(m_homeDir), error);
        opened = true;
    } catch (const records::TableError&) {
        // Nothing was changed yet, so closing cannot fail; the exports then say the table is not active.
        m_table->close();
        m_titles.clear();
        m_cells.clear();
        m_dateKeys.clear();
        m_dateColumn = -1;
    }
    endResetModel();
    return opened;
}

void DeletedTableModel::close()
{
    if (m_table->isOpen() && m_table->isModified())
        keepRecordsAppendedMeanwhile();
    m_table->close();
}

void DeletedTableModel::keepRecordsAppendedMeanwhile()
{
    // A check that ends while the window is open appends its records to the file; writing the table back
    // after a deletion replaces the whole file, so those records must join the table first.
    const fs::path path = records::DeletedDatabase::path(m_homeDir);
    std::error_code error;
    const std::uintmax_t size = fs::file_size(path, error);
    if (error || size <= m_sizeRead)
        return;
    std::ifstream in(path, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(m_sizeRead));
    const std::string appended{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::size_t fields = static_cast<std::size_t>(columns());
    base::forEachLine(appended, [&](std::string_view line) {
        if (!line.empty())
            m_table->append(records::parseRecord(line, fields));
    });
    // Taken in once, even when the write below fails and the window tries again.
    m_sizeRead = size;
}

void DeletedTableModel::readRecords()
{
    const std::vector<std::string>& names = m_table->fieldNames();
    for (std::size_t field = 0; field < names.size(); ++field) {
        m_titles.append(displayText(names[field]));
        if (names[field] == "Date/Time")
            m_dateColumn = static_cast<int>(field);
    }
    const std::size_t count = m_table->recordCount();
    m_cells.reserve(count * names.size());
    if (m_dateColumn >= 0)
        m_dateKeys.reserve(count);
    for (std::size_t index = 0; index < count; ++index) {
        const std::size_t rowStart = m_cells.size();
        const std::vector<std::string> values = m_table->record(index);
        for (const std::string& value : values)
            m_cells.push_back(displayText(value));
        if (m_dateColumn >= 0) {
            const auto column = static_cast<std::size_t>(m_dateColumn);
            m_dateKeys.push_back(dateKey(values[column], m_cells[rowStart + column]));
        }
    }
}

bool DeletedTableModel::removeRecord(int row)
{
    if (row < 0 || row >= rowCount() || !isOpen())
        return false;
    try {
        // The table deletes at its cursor, which only walks forward from the first record.
        m_table->first();
        for (int index = 0; index < row; ++index)
            m_table->next();
        if (!m_table->deleteCurrent())
            return false;
    } catch (const records::TableError&) {
        return false;
    }
    beginRemoveRows(QModelIndex(), row, row);
    const auto first = m_cells.begin() + static_cast<std::ptrdiff_t>(row) * columns();
    m_cells.erase(first, first + columns());
    if (m_dateColumn >= 0)
        m_dateKeys.erase(m_dateKeys.begin() + row);
    endRemoveRows();
    return true;
}

bool DeletedTableModel::removeAll()
{
    // A new table object: the old one's pending deletions no longer matter, and if writing them fails the
    // old file stays whole until it is replaced below.
    m_table = std::make_unique<records::DelimitedTable>(records::DeletedDatabase::path(m_homeDir).string());
    const bool created = records::DeletedDatabase::create(m_homeDir);
    return open() && created;
}

int DeletedTableModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || m_titles.isEmpty())
        return 0;
    return static_cast<int>(m_cells.size() / static_cast<std::size_t>(columns()));
}

int DeletedTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns();
}

QVariant DeletedTableModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return QVariant();
    const std::size_t row = static_cast<std::size_t>(index.row());
    const QString& cell =
        m_cells[row * static_cast<std::size_t>(columns()) + static_cast<std::size_t>(index.column())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return cell;
    case SortRole:
        return index.column() == m_dateColumn ? m_dateKeys[row] : cell;
    default:
        return QVariant();
    }
}

QVariant DeletedTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columns())
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_titles.at(section);
}

} // namespace vantor::core
