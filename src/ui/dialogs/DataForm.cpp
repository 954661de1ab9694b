#include "ui/dialogs/DataForm.h"

#include "core/program/DisplayText.h"
#include "core/program/EnsureExtension.h"
#include "core/reports/DeletedTableModel.h"
#include "records/ExportTarget.h"
#include "records/HtmlExporter.h"
#include "records/TableError.h"
#include "records/TextExporter.h"
#include "ui/widgets/SaveFileDialog.h"
#include "ui/widgets/TablePrinter.h"

#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace vantor::ui {

using core::uiText;

namespace {

// Typing in the grid neither edits nor jumps to a matching row: Delete acts on the row the user chose.
class ReadOnlyGrid : public QTableView
{
public:
    using QTableView::QTableView;
    void keyboardSearch(const QString&) override {}
};

QPushButton* button(const QString& text, const char* objectName, QWidget* parent)
{
    auto* result = new QPushButton(text, parent);
    result->setObjectName(QLatin1String(objectName));
    return result;
}

std::string fileNameOf(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace

DataForm::DataForm(const std::string& homeDir, const storage::TextTable& texts, core::UserPrompts& prompts,
                   QWidget* parent)
    : QDialog(parent)
    , m_texts(texts)
    , m_prompts(prompts)
    , m_model(new core::DeletedTableModel(homeDir, this))
    , m_grid(new ReadOnlyGrid(this))
{
    setObjectName(QStringLiteral("DataForm"));
    setWindowTitle(uiText(texts, "Menu", "025"));
    m_grid->setObjectName(QStringLiteral("DataGrid"));

    // The model sorts itself (dates by time, addresses without regard to case: users look for one sender);
    // a sorting proxy would ask it for every value of 100,000 records over and over.
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setWordWrap(false);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    // The file's order until the user clicks a column title.
    m_grid->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_grid->setSortingEnabled(true);

    auto* exportBtn = button(uiText(texts, "DataForm", "001"), "ExportBtn", this);
    auto* printBtn = button(uiText(texts, "DataForm", "002"), "PrintBtn", this);
    auto* previewBtn = button(uiText(texts, "DataForm", "003"), "PreviewBtn", this);
    auto* savePdfBtn = button(uiText(texts, "Extra", "080"), "SavePdfBtn", this);
    auto* deleteBtn = button(uiText(texts, "DataForm", "004"), "DeleteBtn", this);
    auto* deleteAllBtn = button(uiText(texts, "DataForm", "005"), "DeleteAllBtn", this);
    auto* closeBtn = button(uiText(texts, "DataForm", "006"), "CloseBtn", this);
    // Enter in the grid must not close the window.
    for (QPushButton* each : {exportBtn, printBtn, previewBtn, savePdfBtn, deleteBtn, deleteAllBtn, closeBtn})
        each->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* each : {exportBtn, printBtn, previewBtn, savePdfBtn})
        buttons->addWidget(each);
    buttons->addStretch();
    for (QPushButton* each : {deleteBtn, deleteAllBtn, closeBtn})
        buttons->addWidget(each);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid);
    layout->addLayout(buttons);

    connect(exportBtn, &QPushButton::clicked, this, &DataForm::exportBtnClick);
    connect(printBtn, &QPushButton::clicked, this, &DataForm::printBtnClick);
    connect(previewBtn, &QPushButton::clicked, this, &DataForm::previewBtnClick);
    connect(savePdfBtn, &QPushButton::clicked, this, &DataForm::savePdfBtnClick);
    connect(deleteBtn, &QPushButton::clicked, this, &DataForm::deleteBtnClick);
    connect(deleteAllBtn, &QPushButton::clicked, this, &DataForm::deleteAllBtnClick);
    connect(closeBtn, &QPushButton::clicked, this, &QDialog::accept);
    resize(780, 480);
}

DataForm::~DataForm() = default;

void DataForm::showDatabase(const std::string& homeDir, const storage::TextTable& texts,
                            core::UserPrompts& prompts, QWidget* parent)
{
    DataForm form(homeDir, texts, prompts, parent);
    form.exec();
}

void DataForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_opened)
        return;
    m_opened = true;
    // A database that cannot be opened leaves the grid empty; the commands then say so.
    m_model->open();
    sizeColumns();
    selectRow(0);
}

void DataForm::sizeColumns()
{
    // Measured on the first rows only, so that a large database opens at once; a column never takes more
    // than a third of the window, so one long subject does not hide the others.
    m_grid->resizeColumnsToContents();
    const int widest = std::max(width() / 3, 120);
    // The last column stretches to the window's edge.
    for (int column = 0; column + 1 < m_model->columnCount(); ++column)
        m_grid->setColumnWidth(column, std::min(m_grid->columnWidth(column), widest));
}

void DataForm::selectRow(int row)
{
    const int rows = m_model->rowCount();
    if (rows == 0)
        return;
    m_grid->selectRow(std::clamp(row, 0, rows - 1));
}

bool DataForm::requireActive()
{
    try {
        records::ExportTarget::activeTable(m_model->table());
        return true;
    } catch (const records::TableError& error) {
        m_prompts.showError(core::displayText(error.what()));
        return false;
    }
}

void DataForm::deleteBtnClick()
{
    const QModelIndex current = m_grid->currentIndex();
    if (!current.isValid() || !m_model->isOpen())
        return;
    if (!m_prompts.askYesNo(uiText(m_texts, "Message", "044")))
        return;
    const int row = current.row();
    m_model->removeRecord(row);
    // The record that followed takes its place.
    selectRow(row);
}

void DataForm::deleteAllBtnClick()
{
    if (!m_prompts.askYesNo(uiText(m_texts, "Message", "043")))
        return;
    m_model->removeAll();
}

void DataForm::exportBtnClick()
{
    if (!requireActive())
        return;
    SaveFileDialog::Options options;
    options.selectedFilter = 1;
    options.confirmOverwrite = true;
    const auto choice =
        SaveFileDialog::run(this, QStringLiteral("ExportDialog"), uiText(m_texts, "Dialog", "008"),
                            {uiText(m_texts, "Extra", "036"), uiText(m_texts, "Extra", "068")}, options);
    if (!choice)
        return;
    try {
        if (choice->filterIndex == 0)
            records::TextExporter(m_model->table())
                .exportToFile(fileNameOf(core::ensureExtension(choice->fileName, QStringLiteral("txt"))));
        else
            records::HtmlExporter(m_model->table())
                .exportToFile(fileNameOf(core::ensureExtension(choice->fileName, QStringLiteral("htm"))));
    } catch (const records::TableError& error) {
        m_prompts.showError(core::displayText(error.what()));
    }
}

void DataForm::printBtnClick()
{
    if (!requireActive())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(TablePrinter::title());
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    // The whole table is always printed: a page range offered here would be ignored.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (TablePrinter(*m_model).print(printer) == 0)
        m_prompts.showError(uiText(m_texts, "Message", "039") + QLatin1Char('\n') + printer.printerName());
}

void DataForm::previewBtnClick()
{
    if (!requireActive())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(TablePrinter::title());
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName(QStringLiteral("PreviewDialog"));
    preview.setWindowTitle(uiText(m_texts, "DataForm", "003"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { TablePrinter(*m_model).print(*target); });
    // Nearly the whole screen, as the printed page wants the room.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        preview.setGeometry(available.adjusted(10, 30, -10, -30));
    }
    preview.exec();
}

void DataForm::savePdfBtnClick()
{
    if (!requireActive())
        return;
    SaveFileDialog::Options options;
    options.confirmOverwrite = true;
    const auto choice =
        SaveFileDialog::run(this, QStringLiteral("SavePdfDialog"), uiText(m_texts, "Extra", "080"),
                            {uiText(m_texts, "Extra", "082")}, options);
    if (!choice)
        return;
    const QString path = core::ensureExtension(choice->fileName, QStringLiteral("pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setDocName(TablePrinter::title());
    printer.setCreator(uiText(m_texts, "Menu", "025"));
    if (TablePrinter(*m_model).print(printer) == 0)
        m_prompts.showError(uiText(m_texts, "Message", "039") + QLatin1Char('\n') + path);
}

void DataForm::done(int result)
{
    try {
        m_model->close();
    } catch (const records::TableError& error) {
        m_prompts.showError(core::displayText(error.what()));
    }
    QDialog::done(result);
}

} // namespace vantor::ui
