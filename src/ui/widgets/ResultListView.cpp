#include "ui/widgets/ResultListView.h"

#include "core/check/ResultListModel.h"

#include <QHeaderView>

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
