// Append steps must cost the same on a large database as on a small one: each writes only its own lines.
// One run builds backup.bak from 2,000 steps of 50 rows (100,000 records), timing every step, then exports
// the result as text and HTML. Rates are by the wall clock: the disk is part of what a user waits for.
// The database window's figures (opening and sorting 100,000 records, scrolling, printing to PDF) are in
// DatabaseWindowBench.cpp.

#include "records/DeletedDatabase.h"
#include "records/DelimitedTable.h"
#include "records/HtmlExporter.h"
#include "records/TextExporter.h"
#include "storage/ErrorLog.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using vantor::records::DeletedDatabase;
using vantor::records::DelimitedTable;
using vantor::records::ResultRow;

constexpr int StepCount = 2000;
constexpr int RowsPerStep = 50;

// The benchmark's own home directory, removed at exit.
class BenchHome
{
public:
    BenchHome()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vantor-records-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
    }
    ~BenchHome()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    std::string str() const { return m_path.string(); }

private:
    std::filesystem::path m_path;
};

BenchHome& home()
{
    static BenchHome instance;
    return instance;
}

std::vector<ResultRow> rowsOfStep(int step)
{
    std::vector<ResultRow> rows;
    rows.reserve(RowsPerStep);
    for (int i = 0; i < RowsPerStep; ++i) {
        const std::string n = std::to_string(step * RowsPerStep + i);
        // Every fourth subject needs quotes, as real spam subjects with commas and quotes do.
        std::string subject = i % 4 == 0 ? "Cheap \"meds\", no prescription #" + n : "Your invoice " + n;
        rows.push_back(ResultRow{
            "sender" + n + "@spam.example", 5, {std::move(subject), "Home account", "08/12/2026 14:05:33"}});
    }
    return rows;
}

double median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

void BM_AppendSteps(benchmark::State& state)
{
    vantor::storage::ErrorLog errorLog(home().str());
    std::vector<double> stepMicros;
    for (auto _ : state) {
        std::filesystem::remove(DeletedDatabase::path(home().str()));
        stepMicros.clear();
        const auto start = std::chrono::steady_clock::now();
        for (int step = 0; step < StepCount; ++step) {
            const std::vector<ResultRow> rows = rowsOfStep(step);
            const auto before = std::chrono::steady_clock::now();
            DeletedDatabase::update(home().str(), rows, errorLog);
            const auto after = std::chrono::steady_clock::now();
            stepMicros.push_back(std::chrono::duration<double, std::micro>(after - before).count());
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.counters["records_per_s"] = StepCount * RowsPerStep / seconds;
    }
    // Single steps, and medians of the 20 steps ending at each, which a stray disk flush cannot skew.
    const std::vector<double> early(stepMicros.begin() + 10, stepMicros.begin() + 30);
    const std::vector<double> late(stepMicros.end() - 20, stepMicros.end());
    state.counters["step20_us"] = stepMicros[19];
    state.counters["step2000_us"] = stepMicros[StepCount - 1];
    state.counters["median_11_30_us"] = median(early);
    state.counters["median_1981_2000_us"] = median(late);
    state.counters["late_to_early"] = median(late) / median(early);
    DelimitedTable table(DeletedDatabase::path(home().str()).string());
    table.open();
    state.counters["records"] = static_cast<double>(table.recordCount());
}
BENCHMARK(BM_AppendSteps)->Iterations(1)->Unit(benchmark::kMillisecond);

template <typename Exporter> void exportDatabase(benchmark::State& state, const char* fileName)
{
    const std::string target = home().str() + "/" + fileName;
    std::size_t records = 0;
    for (auto _ : state) {
        DelimitedTable table(DeletedDatabase::path(home().str()).string());
        table.open();
        records = table.recordCount();
        Exporter(&table).exportToFile(target);
    }
    state.counters["records_per_s"] =
        benchmark::Counter(static_cast<double>(records * state.iterations()), benchmark::Counter::kIsRate);
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(target));
}

void BM_ExportText(benchmark::State& state)
{
    exportDatabase<vantor::records::TextExporter>(state, "export.txt");
}
BENCHMARK(BM_ExportText)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ExportHtml(benchmark::State& state)
{
    exportDatabase<vantor::records::HtmlExporter>(state, "export.htm");
}
BENCHMARK(BM_ExportHtml)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
