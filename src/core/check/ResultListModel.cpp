#include "core/check/ResultListModel.h"

#include "core/program/DisplayText.h"

#include <algorithm>

namespace vantor::core {

namespace {

const std::string& emptyText()
{
    static const std::string empty;
    return empty;
}

} // namespace

ResultListModel::ResultListModel(const QStringList& titles, Ticks ticks, QObject* parent)
    : QAbstractTableModel(parent)
    , m_titles(titles)
    , m_ticks(ticks)
{}

int ResultListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : size();
}

int ResultListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_titles.size());
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return QVariant();
    const records::ResultRow& entry = row(index.row());
    const int column = index.column();
    if (role == Qt::DisplayRole)
        return displayText(column == 0 ? entry.caption : subItem(index.row(), column - 1));
    if (role == IconRole && column == 0)
        return entry.icon;
    if (role == Qt::CheckStateRole && column == 0 && m_ticks == Ticks::Checkable)
        return isTicked(index.row()) ? Qt::Checked : Qt::Unchecked;
    return QVariant();
}

bool ResultListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || m_ticks != Ticks::Checkable || index.column() != 0 ||
        !checkIndex(index, CheckIndexOption::IndexIsValid))
        return false;
    setTicked(index.row(), value.value<Qt::CheckState>() == Qt::Checked);
    return true;
}

QVariant ResultListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= m_titles.size())
        return QVariant();
    return m_titles.at(section);
}

Qt::ItemFlags ResultListModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags result = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == 0 && m_ticks == Ticks::Checkable)
        result |= Qt::ItemIsUserCheckable;
    return result;
}

void ResultListModel::setTitles(const QStringList& titles)
{
    // Callers keep the number of columns; only the texts change with the language.
    m_titles = titles;
    emit headerDataChanged(Qt::Horizontal, 0, static_cast<int>(m_titles.size()) - 1);
}

void ResultListModel::normalise(records::ResultRow& row) const
{
    row.subItems.resize(static_cast<std::size_t>(std::max<qsizetype>(m_titles.size() - 1, 0)));
}

int ResultListModel::addRow(records::ResultRow row, bool ticked)
{
    normalise(row);
    const int index = size();
    beginInsertRows(QModelIndex(), index, index);
    m_rows.push_back(std::move(row));
    m_ticked.push_back(ticked && m_ticks == Ticks::Checkable);
    endInsertRows();
    return index;
}

void ResultListModel::clear()
{
    beginResetModel();
    m_rows.clear();
    m_ticked.clear();
    endResetModel();
}

void ResultListModel::setRows(std::vector<records::ResultRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    for (records::ResultRow& entry : m_rows)
        normalise(entry);
    m_ticked.assign(m_rows.size(), false);
    endResetModel();
}

const std::string& ResultListModel::subItem(int index, int subItem) const
{
    const records::ResultRow& entry = row(index);
    if (subItem < 0 || subItem >= static_cast<int>(entry.subItems.size()))
        return emptyText();
    return entry.subItems[static_cast<std::size_t>(subItem)];
}

void ResultListModel::setIcon(int index, int icon)
{
    m_rows.at(static_cast<std::size_t>(index)).icon = icon;
    const QModelIndex cell = this->index(index, 0);
    emit dataChanged(cell, cell, {IconRole});
}

void ResultListModel::setSubItem(int index, int subItem, std::string text)
{
    records::ResultRow& entry = m_rows.at(static_cast<std::size_t>(index));
    if (subItem < 0 || subItem >= static_cast<int>(entry.subItems.size()))
        return;
    entry.subItems[static_cast<std::size_t>(subItem)] = std::move(text);
    const QModelIndex cell = this->index(index, subItem + 1);
    emit dataChanged(cell, cell, {Qt::DisplayRole});
}

bool ResultListModel::isTicked(int index) const
{
    return m_ticked.at(static_cast<std::size_t>(index)) != 0;
}

void ResultListModel::setTicked(int index, bool ticked)
{
    if (m_ticks != Ticks::Checkable || isTicked(index) == ticked)
        return;
    m_ticked.at(static_cast<std::size_t>(index)) = ticked;
    const QModelIndex cell = this->index(index, 0);
    emit dataChanged(cell, cell, {Qt::CheckStateRole});
    emit tickChanged(index, ticked);
}

int ResultListModel::tickedCount() const
{
    return static_cast<int>(std::count(m_ticked.begin(), m_ticked.end(), 1));
}

} // namespace vantor::core
