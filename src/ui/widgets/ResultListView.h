#pragma once

#include "ui/widgets/ListIconModel.h"

#include <QTreeView>

namespace vantor::core {
class ResultListModel;
}

namespace vantor::ui {

// A report-style list over one of the check's lists: full-row selection of one row, no in-place editing,
// the row's icon in the first column and, for the preview, the check boxes the user ticks.
class ResultListView : public QTreeView
{
    Q_OBJECT

public:
    ResultListView(const char* objectName, ListIconModel::Kind kind, QWidget* parent = nullptr);

    void setList(core::ResultListModel& list);
    core::ResultListModel* list() const { return m_list; }
    // The selected row of the list, -1 for none.
    int selectedRow() const;
    void selectRow(int row);

signals:
    // The selection moved to row (-1: no row selected any more).
    void rowSelected(int row);

private:
    ListIconModel m_icons;
    core::ResultListModel* m_list = nullptr;
};

} // namespace vantor::ui
