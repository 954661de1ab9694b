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
    // Default widths of the columns in pixels, and the column that takes the room the others leave; the user
    // may drag every other one.
    void setColumnLayout(const QList<int>& widths, int stretchColumn);
    // The widths of the columns the user can drag, "220,,120,140" (the stretching column left empty).
    QString columnWidths() const;
    // Widths in the form columnWidths() gives; an entry that is empty, not a number or out of all reason
    // leaves its column as it is.
    void setColumnWidths(const QString& widths);
    core::ResultListModel* list() const { return m_list; }
    // The selected row of the list, -1 for none.
    int selectedRow() const;
    void selectRow(int row);

signals:
    // The selection moved to row (-1: no row selected any more).
    void rowSelected(int row);

private:
    ListIconModel m_icons;
    int m_stretchColumn = -1;
    core::ResultListModel* m_list = nullptr;
};

} // namespace vantor::ui
