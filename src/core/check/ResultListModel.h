#pragma once

#include "records/ResultRow.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <string>
#include <vector>

namespace vantor::core {

// One list of the check pages as rows of caption, icon and sub-items (the shape of a report-style list view):
// the account lists, the kept and deleted messages and, with check boxes, the preview list. Column 0 shows
// the caption, column k the sub-item k - 1; texts are bytes as the servers and files gave them.
class ResultListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // The row's icon index (the verdict code, or the account state 0 / 1 / 2), -1 for none.
    static constexpr int IconRole = Qt::UserRole + 1;

    enum class Ticks
    {
        None,
        // Column 0 carries a check box the user can change.
        Checkable
    };

    ResultListModel(const QStringList& titles, Ticks ticks, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Column titles, for a new language.
    void setTitles(const QStringList& titles);

    // Appends the row (sub-items padded or cut to the columns) and returns its index.
    int addRow(records::ResultRow row, bool ticked = false);
    void clear();
    // Replaces every row, all unticked (a list loaded from a file).
    void setRows(std::vector<records::ResultRow> rows);

    int size() const { return static_cast<int>(m_rows.size()); }
    bool isEmpty() const { return m_rows.empty(); }
    const records::ResultRow& row(int index) const { return m_rows.at(static_cast<std::size_t>(index)); }
    const std::vector<records::ResultRow>& rows() const { return m_rows; }
    // Sub-item k of the row; an empty text for a sub-item the row does not have.
    const std::string& subItem(int index, int subItem) const;

    void setIcon(int index, int icon);
    void setSubItem(int index, int subItem, std::string text);
    bool isTicked(int index) const;
    void setTicked(int index, bool ticked);
    int tickedCount() const;

signals:
    // A row's tick changed, by the user or by the program.
    void tickChanged(int index, bool ticked);

private:
    void normalise(records::ResultRow& row) const;

    QStringList m_titles;
    Ticks m_ticks;
    std::vector<records::ResultRow> m_rows;
    std::vector<char> m_ticked;
};

} // namespace vantor::core
