// The database window with a large backup.bak: 100,000 records must open in under a second and scroll
// smoothly, a click on a column title must sort them without a long wait, and printing stays linear.
// Times are by the wall clock, as the user waits for them.

#include "core/program/UserPrompts.h"
#include "core/reports/DeletedTableModel.h"
#include "records/DeletedDatabase.h"
#include "storage/ErrorLog.h"
#include "storage/TextTable.h"
#include "ui/dialogs/DataForm.h"
#include "ui/widgets/TablePrinter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using vantor::core::DeletedTableModel;
using vantor::records::ResultRow;

unsigned pick(std::mt19937& random, std::size_t below)
{
    return static_cast<unsigned>(random() % below);
}

// Senders, subjects, accounts and dates as varied as a real database's, so that sorting has work to do.
std::vector<ResultRow> deletedRows(int count)
{
    std::mt19937 random(20261210);
    const std::vector<std::string> domains{"spam.example", "Offers.example", "mail.example.test",
                                           "bulk.example"};
    const std::vector<std::string> accounts{"Home account", "Work", "Club"};
    std::vector<ResultRow> rows;
    rows.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(pick(random, 1000000));
        std::string subject =
            i % 4 == 0 ? "Cheap \"meds\", no prescription #" + n : "Your invoice " + n + " is overdue";
        char date[32];
        std::snprintf(date, sizeof date, "%02u/%02u/%04u %02u:%02u:%02u", 1 + pick(random, 28),
                      1 + pick(random, 12), 2019 + pick(random, 8), pick(random, 24), pick(random, 60),
                      pick(random, 60));
        rows.push_back(
            ResultRow{(i % 3 == 0 ? "Sender" : "sender") + n + "@" + domains[pick(random, domains.size())],
                      5,
                      {std::move(subject), accounts[pick(random, accounts.size())], date}});
    }
    return rows;
}

// A home directory holding a backup.bak of the given number of records, made once per size.
class DatabaseHome
{
public:
    explicit DatabaseHome(int records)
    {
        if (!m_dir.isValid())
            throw std::runtime_error("no temporary directory");
        vantor::storage::ErrorLog errorLog(dir());
        vantor::records::DeletedDatabase::update(dir(), deletedRows(records), errorLog);
    }
    std::string dir() const { return QFile::encodeName(m_dir.path()).toStdString(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

DatabaseHome& largeHome()
{
    static DatabaseHome home(100000);
    return home;
}

class SilentPrompts : public vantor::core::UserPrompts
{
public:
    void showError(const QString&) override {}
    bool askYesNo(const QString&) override { return false; }
    bool askOkCancel(const QString&) override { return false; }
    Choice askYesNoCancel(const QString&, Choice) override { return Choice::Cancel; }
    QString askPassword(const QString&, const QString&) override { return {}; }
    QString askText(const QString&, const QString&) override { return {}; }
};

void BM_OpenModel100k(benchmark::State& state)
{
    largeHome();
    for (auto _ : state) {
        DeletedTableModel model(largeHome().dir());
        model.open();
        benchmark::DoNotOptimize(model.rowCount());
    }
    state.counters["records"] = 100000;
}
BENCHMARK(BM_OpenModel100k)->Unit(benchmark::kMillisecond)->UseRealTime();

// The first click on a column title after opening: the column's sort keys are made, then sorted.
void BM_OpenAndSortBySender100k(benchmark::State& state)
{
    largeHome();
    for (auto _ : state) {
        DeletedTableModel model(largeHome().dir());
        model.open();
        model.sort(0);
        benchmark::DoNotOptimize(model.index(0, 0).data());
    }
}
BENCHMARK(BM_OpenAndSortBySender100k)->Unit(benchmark::kMillisecond)->UseRealTime();

// A later click on a column title, from the file's order each time.
void sortBy(benchmark::State& state, int column)
{
    DeletedTableModel model(largeHome().dir());
    model.open();
    for (auto _ : state) {
        state.PauseTiming();
        model.sort(-1);
        state.ResumeTiming();
        model.sort(column);
        benchmark::DoNotOptimize(model.index(0, 0).data());
    }
}

void BM_SortBySender100k(benchmark::State& state)
{
    sortBy(state, 0);
}
BENCHMARK(BM_SortBySender100k)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SortByDate100k(benchmark::State& state)
{
    sortBy(state, 3);
}
BENCHMARK(BM_SortByDate100k)->Unit(benchmark::kMillisecond)->UseRealTime();

// The whole window from the user's click to a painted grid: file read, model, columns sized, first paint.
void BM_OpenWindow100k(benchmark::State& state)
{
    largeHome();
    const vantor::storage::TextTable texts;
    SilentPrompts prompts;
    for (auto _ : state) {
        vantor::ui::DataForm form(largeHome().dir(), texts, prompts);
        form.show();
        benchmark::DoNotOptimize(form.grab());
        state.PauseTiming();
        form.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenWindow100k)->Unit(benchmark::kMillisecond)->UseRealTime();

// One page down in the sorted grid, painted: what smooth scrolling needs to be well under a frame.
void BM_ScrollPageSorted100k(benchmark::State& state)
{
    const vantor::storage::TextTable texts;
    SilentPrompts prompts;
    vantor::ui::DataForm form(largeHome().dir(), texts, prompts);
    form.show();
    form.grid().sortByColumn(1, Qt::AscendingOrder);
    QScrollBar* bar = form.grid().verticalScrollBar();
    for (auto _ : state) {
        bar->setValue(bar->value() + bar->pageStep() >= bar->maximum() ? 0 : bar->value() + bar->pageStep());
        benchmark::DoNotOptimize(form.grid().viewport()->grab());
    }
}
BENCHMARK(BM_ScrollPageSorted100k)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PrintPdf1000(benchmark::State& state)
{
    static DatabaseHome home(1000);
    DeletedTableModel model(home.dir());
    model.open();
    const QString file = home.filePath(QStringLiteral("printed.pdf"));
    int pages = 0;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        pages = vantor::ui::TablePrinter(model).print(printer);
    }
    state.counters["pages"] = pages;
    state.counters["records_per_s"] =
        benchmark::Counter(1000.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["pdf_bytes"] = static_cast<double>(QFile(file).size());
}
BENCHMARK(BM_PrintPdf1000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
