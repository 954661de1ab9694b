#include "ui/widgets/ResultListView.h"

#include "core/check/ResultListModel.h"

#include <QHeaderView>

#include <algorithm>

namespace vantor::ui {

ResultListView::ResultListView(const char* objectName, ListIconModel::Kind kind, QWidget* parent)
    : QTreeView(parent)
    , m_icons(kind)
{
    setObjectName(QString::fromLatin1(objectName));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAlternatingRowColors(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::CustomContextMenu);
    header()->setStretchLastSection(true);
    header()->setSectionsMovable(false);
}

void ResultListView::setList(core::ResultListModel& list)
{
    m_list = &list;
    m_icons.setSourceModel(&list);
    setModel(&m_icons);
    // The selection model is new with every model; a row removed by clear() also ends the selection.
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { emit rowSelected(selectedRow()); });
    header()->resizeSection(0, 220);
}

void ResultListView::setColumnLayout(const QList<int>& widths, int stretchColumn)
{
    m_stretchColumn = stretchColumn;
    header()->setStretchLastSection(false);
    for (int column = 0; column < header()->count(); ++column) {
        const bool isStretching = column == stretchColumn;
        header()->setSectionResizeMode(column,
                                       isStretching ? QHeaderView::Stretch : QHeaderView::Interactive);
        if (!isStretching && column < widths.size())
            header()->resizeSection(column, widths[column]);
    }
}

QString ResultListView::columnWidths() const
{
    QStringList widths;
    for (int column = 0; column < header()->count(); ++column)
        widths.append(column == m_stretchColumn ? QString() : QString::number(header()->sectionSize(column)));
    return widths.join(QLatin1Char(','));
}

void ResultListView::setColumnWidths(const QString& widths)
{
    // A width typed into setting.ini by hand must not hide a column or push the others out of sight.
    constexpr int MaxWidth = 4000;
    const QStringList entries = widths.split(QLatin1Char(','));
    for (int column = 0; column < std::min<int>(entries.size(), header()->count()); ++column) {
        bool isNumber = false;
        const int width = entries[column].toInt(&isNumber);
        if (column != m_stretchColumn && isNumber && width >= header()->minimumSectionSize() &&
            width <= MaxWidth)
            header()->resizeSection(column, width);
    }
}

int ResultListView::selectedRow() const
{
    if (!selectionModel())
        return -1;
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ResultListView::selectRow(int row)
{
    if (!selectionModel())
        return;
    if (row < 0) {
        selectionModel()->clearSelection();
        return;
    }
    selectionModel()->setCurrentIndex(m_icons.index(row, 0),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

} // namespace vantor::ui
