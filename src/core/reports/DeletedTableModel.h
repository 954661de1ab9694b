#pragma once

#include "records/DelimitedTable.h"

#include <QAbstractTableModel>
#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vantor::core {

// The deleted-mail database (backup.bak of a home directory) as a read-only grid: one row per record, in
// file order until sorted, one column per field, titled with the field names. The model owns the open
// table, so that a row removed here is the record removed from the file when the table closes.
class DeletedTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit DeletedTableModel(std::string homeDir, QObject* parent = nullptr);
    // Closes the table; pending deletions are written, a failed write is dropped (call close() first).
    ~DeletedTableModel() override;

    // Creates the database holding only its header when it is missing, opens it and reads every record.
    // False when it cannot: the model is then empty and the table not open.
    bool open();
    // Writes pending deletions and closes the table; throws records::TableError and stays open on failure.
    // Records that a check appended to the file while the table was open are kept.
    void close();
    bool isOpen() const { return m_table && m_table->isOpen(); }
    // The table the exports read; never null, open only between open() and close().
    records::DelimitedTable* table() const { return m_table.get(); }

    // Removes the record shown in row from the table; the file is written when the table closes. False for a
    // row that is not there or a table that is not open.
    bool removeRecord(int row);
    // Replaces the database by a file holding only its header, dropping pending deletions, and opens it
    // again; false when the new file cannot be written or opened (the model is then empty).
    bool removeAll();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Orders the rows by column, without regard to letter case, the Date/Time column by time; equal values
    // keep the file's order. A column of -1 is the file's order. The order holds across removals and
    // reloads.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    void readRecords();
    void keepRecordsAppendedMeanwhile();
    void applyOrder();
    const std::vector<QString>& sortKeys(int column);
    int columns() const { return static_cast<int>(m_titles.size()); }
    const QString& cell(std::size_t record, int column) const
    {
        return m_cells[record * static_cast<std::size_t>(columns()) + static_cast<std::size_t>(column)];
    }

    std::string m_homeDir;
    std::unique_ptr<records::DelimitedTable> m_table;
    QStringList m_titles;
    // Every value decoded once, record after record in file order: sorting compares each many times.
    std::vector<QString> m_cells;
    // Per column, what each record sorts by: the Date/Time value as "yyyymmddhhmmss", any other value case
    // folded; empty until the column is first sorted by.
    std::vector<std::vector<QString>> m_sortKeys;
    int m_dateColumn = -1;
    // The record shown in each row.
    std::vector<std::size_t> m_order;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    // The size of the file when its records were read; a check may append after it.
    std::uintmax_t m_sizeRead = 0;
};

} // namespace vantor::core
