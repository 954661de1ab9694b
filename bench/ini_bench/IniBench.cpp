// Load a 5,000-section, 50,000-line file, read every key, change one value and write it back:
// with IniFile, with byte I/O and no parsing (the floor, and a plain in-place write beside it to show what
// durability costs) and with QSettings in INI format.
// Target: IniFile within 5x of the durable floor and faster than QSettings.
#include "storage/FileBytes.h"
#include "storage/IniFile.h"

#include <QSettings>
#include <QStringList>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int SectionCount = 5000;
constexpr int KeysPerSection = 10;

std::string generatedText()
{
    std::string text;
    for (int section = 0; section < SectionCount; ++section) {
        text += "[Acc" + std::to_string(section) + "]\r\n";
        for (int key = 0; key < KeysPerSection; ++key)
            text += "Key" + std::to_string(key) + "=value " + std::to_string(section * KeysPerSection + key) +
                    "\r\n";
        text += "\r\n";
    }
    return text;
}

class BenchFile
{
public:
    BenchFile()
        : m_path((std::filesystem::temp_directory_path() / "vantor-ini-bench.ini").string())
        , m_text(generatedText())
    {}
    ~BenchFile() { std::filesystem::remove(m_path); }

    // Every iteration starts from the generated file, so no reader can reuse what it parsed before.
    void restore() const { std::ofstream(m_path, std::ios::binary | std::ios::trunc) << m_text; }
    const std::string& path() const { return m_path; }
    std::size_t size() const { return m_text.size(); }

private:
    std::string m_path;
    std::string m_text;
};

const BenchFile& benchFile()
{
    static const BenchFile file;
    return file;
}

template <typename Body> void runIterations(benchmark::State& state, Body body)
{
    const BenchFile& file = benchFile();
    for (auto _ : state) {
        state.PauseTiming();
        file.restore();
        state.ResumeTiming();
        body(file.path());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}

void iniFileReadAllChangeOne(benchmark::State& state)
{
    runIterations(state, [](const std::string& path) {
        vantor::storage::IniFile ini(path);
        std::size_t total = 0;
        for (const std::string& section : ini.readSections())
            for (const std::string& key : ini.readSection(section))
                total += ini.readString(section, key, "").size();
        benchmark::DoNotOptimize(total);
        ini.writeString("Acc2500", "Key5", "changed");
        ini.updateFile();
    });
}

// For comparison only: the file's bytes read whole and written back in place, no parsing, no flush to disk.
// IniFile may not write this way, since a failure in the middle would leave a truncated file.
void plainBytesInPlace(benchmark::State& state)
{
    runIterations(state, [](const std::string& path) {
        const auto bytes = vantor::storage::filebytes::read(path);
        benchmark::DoNotOptimize(bytes->data());
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(bytes->data(), static_cast<std::streamsize>(bytes->size()));
    });
}

// The floor: the file's bytes read whole and replaced the way IniFile must, temporary file, fsync, rename.
void durableBytesFloor(benchmark::State& state)
{
    runIterations(state, [](const std::string& path) {
        const auto bytes = vantor::storage::filebytes::read(path);
        benchmark::DoNotOptimize(bytes->data());
        vantor::storage::filebytes::replace(path, *bytes);
    });
}

void qSettingsReadAllChangeOne(benchmark::State& state)
{
    runIterations(state, [](const std::string& path) {
        QSettings settings(QString::fromStdString(path), QSettings::IniFormat);
        qsizetype total = 0;
        for (const QString& group : settings.childGroups()) {
            settings.beginGroup(group);
            for (const QString& key : settings.childKeys())
                total += settings.value(key).toString().size();
            settings.endGroup();
        }
        benchmark::DoNotOptimize(total);
        settings.setValue(QStringLiteral("Acc2500/Key5"), QStringLiteral("changed"));
        settings.sync();
    });
}

// Every run timed on its own and repeated, with the fastest run reported beside the median: on a shared
// machine the noise comes in bursts and falls mostly on the contender that computes most, and a mean
// over many runs would carry any burst into the median. QSettings, many times slower, runs fewer.
template <int Runs> void repeated(benchmark::internal::Benchmark* bench)
{
    bench->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(Runs)
        ->ComputeStatistics(
            "min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}

BENCHMARK(iniFileReadAllChangeOne)->Apply(repeated<200>);
BENCHMARK(plainBytesInPlace)->Apply(repeated<200>);
BENCHMARK(durableBytesFloor)->Apply(repeated<200>);
BENCHMARK(qSettingsReadAllChangeOne)->Apply(repeated<20>);

// After the table, how IniFile compares with the floor, the plain write and QSettings, in the median and the
// fastest run, so that the targets can be read off directly.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    RatioReporter()
        : ConsoleReporter(isatty(STDOUT_FILENO) != 0 ? OO_ColorTabular : OO_Tabular)
    {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate)
                m_times[run.run_name.function_name][run.aggregate_name] = run.GetAdjustedRealTime();
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        printRatio("IniFile / floor (durable write, target at most 5x)", "iniFileReadAllChangeOne",
                   "durableBytesFloor");
        printRatio("IniFile / plain write (no fsync, for comparison)", "iniFileReadAllChangeOne",
                   "plainBytesInPlace");
        printRatio("QSettings / IniFile (target above 1x)", "qSettingsReadAllChangeOne",
                   "iniFileReadAllChangeOne");
    }

private:
    // Nothing when a filter left either contender out.
    void printRatio(const char* title, const std::string& slower, const std::string& faster)
    {
        if (!m_times.contains(slower) || !m_times.contains(faster))
            return;
        auto& a = m_times[slower];
        auto& b = m_times[faster];
        std::printf("%s: %.2fx median, %.2fx fastest\n", title, a["median"] / b["median"],
                    a["min"] / b["min"]);
    }

    std::map<std::string, std::map<std::string, double>> m_times;
};

} // namespace

int main(int argc, char** argv)
{
    // Interleaved repetitions spread a burst of noise over all four contenders instead of one, and only
    // the statistics of the hundreds of runs are worth printing. Later arguments still override both.
    std::vector<char*> arguments(argv, argv + argc);
    std::string interleaved = "--benchmark_enable_random_interleaving=true";
    std::string statisticsOnly = "--benchmark_report_aggregates_only=true";
    arguments.insert(arguments.begin() + 1, {interleaved.data(), statisticsOnly.data()});
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
