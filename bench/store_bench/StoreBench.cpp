// A backup must not make the user wait much longer than copying the folder files would: the archive is
// compressed and, with a password, encrypted. One folder file of 64 MB, filled with mail-like text, is added
// to a fresh archive and extracted again, plain and with a password. Rates are by the wall clock.

#include "records/StoreArchive.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>

namespace {

using vantor::records::StoreArchive;
namespace fs = std::filesystem;

constexpr std::size_t FolderSize = 64u << 20;

// The benchmark's own folder with the folder file, removed at exit.
class BenchStore
{
public:
    BenchStore()
    {
        std::string pattern = (fs::temp_directory_path() / "vantor-store-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        m_dir = pattern;
        fs::create_directories(m_dir / "restored");
        // Header lines and words as mail has them, with random numbers so that compression has work to do.
        std::mt19937 random(7);
        std::string text;
        while (text.size() < FolderSize) {
            text += "Received: from mx" + std::to_string(random() % 1000) +
                    ".example.test by pop.example.test\r\n";
            text += "Subject: offer " + std::to_string(random()) + " for you\r\n\r\n";
            for (int word = 0; word < 40; ++word)
                text += std::to_string(random() % 100000) + (word % 12 == 11 ? "\r\n" : " ");
        }
        text.resize(FolderSize);
        std::ofstream(m_dir / "Inbox.dbx", std::ios::binary)
            .write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    ~BenchStore()
    {
        std::error_code ignored;
        fs::remove_all(m_dir, ignored);
    }
    const fs::path& dir() const { return m_dir; }

private:
    fs::path m_dir;
};

BenchStore& store()
{
    static BenchStore instance;
    return instance;
}

void backupAndRestore(benchmark::State& state, const std::string& password)
{
    const fs::path archive = store().dir() / "bench.oeb";
    StoreArchive::ExtractOptions options;
    options.password = password;
    for (auto _ : state) {
        fs::remove(archive);
        if (StoreArchive(archive).add({store().dir() / "Inbox.dbx"}, "bench", password) !=
            StoreArchive::Status::Ok)
            state.SkipWithError("add failed");
        if (StoreArchive(archive).extract("Inbox.dbx", store().dir() / "restored", options) !=
            StoreArchive::Status::Ok)
            state.SkipWithError("extract failed");
    }
    state.counters["archive_MB"] = static_cast<double>(fs::file_size(archive)) / (1 << 20);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * FolderSize));
}

void BM_BackupAndRestorePlain(benchmark::State& state)
{
    backupAndRestore(state, "");
}

void BM_BackupAndRestoreWithPassword(benchmark::State& state)
{
    backupAndRestore(state, "a password of some length");
}

BENCHMARK(BM_BackupAndRestorePlain)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_BackupAndRestoreWithPassword)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

BENCHMARK_MAIN();
