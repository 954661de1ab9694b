#pragma once

#include "records/DelimitedTable.h"

#include <QAbstractTableModel>
#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vantor::core {

// The deleted-mail database (backup.bak of a home directory) as a read-only grid: one row per record in
// file order, one column per field, titled with the field names. The model owns the open table, so that a
// row removed here is the record removed from the file when the table closes.
class DeletedTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // Text to sort by: the Date/Time column as year, month, day and time, every other column as shown.
    static constexpr int SortRole = Qt::UserRole + 1;

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

private:
    void readRecords();
    void keepRecordsAppendedMeanwhile();
    int columns() const { return static_cast<int>(m_titles.size()); }

    std::string m_homeDir;
    std::unique_ptr<records::DelimitedTable> m_table;
    QStringList m_titles;
    // Every value decoded once, row after row: sorting asks for each cell many times.
    std::vector<QString> m_cells;
    // Per row, the sort key of the Date/Time column (empty when the database has none).
    std::vector<QString> m_dateKeys;
    int m_dateColumn = -1;
    // The size of the file when its records were read; a check may append after it.
    std::uintmax_t m_sizeRead = 0;
};

} // namespace vantor::core
