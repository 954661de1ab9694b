#include "core/reports/DeletedTableModel.h"

#include "base/TextLines.h"
#include "core/program/DisplayText.h"
#include "records/DeletedDatabase.h"
#include "records/RecordFormat.h"
#include "records/TableError.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numeric>

namespace vantor::core {

namespace fs = std::filesystem;

namespace {

// "dd/mm/yyyy hh:mm:ss", whatever separators the locale wrote, as "yyyymmddhhmmss", so that the dates sort
// by time rather than by day of the month. Anything else sorts as it is written.
QString dateKey(const QString& value)
{
    QStringList groups;
    for (qsizetype at = 0; at < value.size();) {
        if (!value[at].isDigit()) {
            ++at;
            continue;
        }
        const qsizetype start = at;
        while (at < value.size() && value[at].isDigit())
            ++at;
        groups.append(value.mid(start, at - start));
    }
    static constexpr qsizetype MaxDigits[] = {2, 2, 4, 2, 2, 2};
    if (groups.size() != static_cast<qsizetype>(std::size(MaxDigits)))
        return value;
    QString key;
    for (const int order : {2, 1, 0, 3, 4, 5}) {
        if (groups[order].size() > MaxDigits[order])
            return value;
        key += groups[order].rightJustified(MaxDigits[order], QLatin1Char('0'));
    }
    return key;
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
    m_sortKeys.clear();
    m_order.clear();
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
        m_sortKeys.clear();
        m_order.clear();
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
    for (std::size_t index = 0; index < count; ++index) {
        for (const std::string& value : m_table->record(index))
            m_cells.push_back(displayText(value));
    }
    m_sortKeys.resize(names.size());
    m_order.resize(count);
    std::iota(m_order.begin(), m_order.end(), std::size_t{0});
    applyOrder();
}

void DeletedTableModel::applyOrder()
{
    if (m_sortColumn < 0 || m_sortColumn >= columns()) {
        std::sort(m_order.begin(), m_order.end());
        return;
    }
    const std::vector<QString>& keys = sortKeys(m_sortColumn);
    const auto compare = [&keys](std::size_t a, std::size_t b) { return keys[a].compare(keys[b]); };
    // From the file's order, so that equal values stay in it whichever way the column sorts.
    std::sort(m_order.begin(), m_order.end());
    if (m_sortOrder == Qt::AscendingOrder)
        std::stable_sort(m_order.begin(), m_order.end(),
                         [&](std::size_t a, std::size_t b) { return compare(a, b) < 0; });
    else
        std::stable_sort(m_order.begin(), m_order.end(),
                         [&](std::size_t a, std::size_t b) { return compare(a, b) > 0; });
}

const std::vector<QString>& DeletedTableModel::sortKeys(int column)
{
    // Made when the column is first sorted by: the comparisons are then plain, and the window opens sooner.
    std::vector<QString>& keys = m_sortKeys[static_cast<std::size_t>(column)];
    if (keys.empty() && !m_order.empty()) {
        const std::size_t count = m_cells.size() / static_cast<std::size_t>(columns());
        keys.reserve(count);
        for (std::size_t record = 0; record < count; ++record)
            keys.push_back(column == m_dateColumn ? dateKey(cell(record, column))
                                                  : cell(record, column).toCaseFolded());
    }
    return keys;
}

void DeletedTableModel::sort(int column, Qt::SortOrder order)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // The grid's current row and selection follow their records.
    const QModelIndexList before = persistentIndexList();
    std::vector<std::size_t> records;
    records.reserve(static_cast<std::size_t>(before.size()));
    for (const QModelIndex& index : before)
        records.push_back(m_order[static_cast<std::size_t>(index.row())]);
    m_sortColumn = column;
    m_sortOrder = order;
    applyOrder();
    std::vector<int> rowOf(m_order.size());
    for (std::size_t row = 0; row < m_order.size(); ++row)
        rowOf[m_order[row]] = static_cast<int>(row);
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype at = 0; at < before.size(); ++at)
        after.append(index(rowOf[records[static_cast<std::size_t>(at)]], before[at].column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

bool DeletedTableModel::removeRecord(int row)
{
    if (row < 0 || row >= rowCount() || !isOpen())
        return false;
    const std::size_t record = m_order[static_cast<std::size_t>(row)];
    try {
        // The table deletes at its cursor, which only walks forward from the first record.
        m_table->first();
        for (std::size_t index = 0; index < record; ++index)
            m_table->next();
        if (!m_table->deleteCurrent())
            return false;
    } catch (const records::TableError&) {
        return false;
    }
    beginRemoveRows(QModelIndex(), row, row);
    const auto first = m_cells.begin() + static_cast<std::ptrdiff_t>(record) * columns();
    m_cells.erase(first, first + columns());
    for (std::vector<QString>& keys : m_sortKeys) {
        if (!keys.empty())
            keys.erase(keys.begin() + static_cast<std::ptrdiff_t>(record));
    }
    m_order.erase(m_order.begin() + row);
    for (std::size_t& shown : m_order) {
        if (shown > record)
            --shown;
    }
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
    return parent.isValid() ? 0 : static_cast<int>(m_order.size());
}

int DeletedTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns();
}

QVariant DeletedTableModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return QVariant();
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return QVariant();
    return cell(m_order[static_cast<std::size_t>(index.row())], index.column());
}

QVariant DeletedTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columns())
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_titles.at(section);
}

} // namespace vantor::core
