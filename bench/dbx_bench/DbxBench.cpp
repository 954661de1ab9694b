// Reads a synthesised message store the size of a well-used Inbox (20,000 messages of 5 KB in ten text
// blocks each, an index of three levels) the way the DBX Reader page does: the index, then every message's
// text. The floor is a plain sequential read of the same file in 1 MB pieces; both run on a warm page
// cache. The counter peak_rss_mb shows that memory stays bounded by the index and one message, not the file.

#include "records/DbxReader.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t Messages = 20000;
constexpr std::uint32_t BlocksPerMessage = 10;
constexpr std::uint32_t BlockSize = 528;
constexpr std::uint32_t EntriesPerNode = 51;

// Writes the file front to back: the header, then each message's text blocks and record, then the index
// nodes, children before their parents so that each parent knows where its children lie.
class StoreWriter
{
public:
    explicit StoreWriter(const fs::path& path)
        : m_out(path, std::ios::binary | std::ios::trunc)
    {
        std::string header(0x200, '\0');
        const unsigned char start[] = {0xCF, 0xAD, 0x12, 0xFE, 0xC5, 0xFD, 0x74, 0x6F, 0x66, 0xE3,
                                       0xD1, 0x11, 0x9A, 0x4E, 0x00, 0xC0, 0x4F, 0xA3, 0x09, 0xD4};
        header.replace(0, sizeof start, reinterpret_cast<const char*>(start), sizeof start);
        put(header, 0xC4, Messages);
        m_out.write(header.data(), static_cast<std::streamsize>(header.size()));
    }

    void writeMessages()
    {
        std::string text(512, 'x');
        for (std::uint32_t i = 0; i < Messages; ++i) {
            const std::uint32_t first = offset();
            for (std::uint32_t b = 0; b < BlocksPerMessage; ++b) {
                std::string block(BlockSize, '\0');
                put(block, 0, offset());
                put(block, 4, 0x200);
                put(block, 8, 512);
                put(block, 12, b + 1 < BlocksPerMessage ? offset() + BlockSize : 0);
                block.replace(16, text.size(), text);
                write(block);
            }
            // Subject (0x08) at data offset 0, the text's offset as a number (0x04) after it: past 16 MB it no
            // longer fits in a tag's own 24 bits.
            const std::string subject = "Message " + std::to_string(i);
            const std::uint32_t dataSize = static_cast<std::uint32_t>(subject.size() + 1 + 4);
            std::string record(12 + 8 + dataSize, '\0');
            m_records.push_back(offset());
            put(record, 0, offset());
            put(record, 4, 8 + dataSize);
            record[10] = 2;
            put(record, 12, 0x08);
            put(record, 16, 0x04 | static_cast<std::uint32_t>(subject.size() + 1) << 8);
            record.replace(20, subject.size(), subject);
            put(record, 20 + subject.size() + 1, first);
            write(record);
        }
    }

    // The index over records [from, to); returns the offset of its root node.
    std::uint32_t writeIndex(std::size_t from, std::size_t to)
    {
        if (to - from <= EntriesPerNode)
            return node(0, {m_records.begin() + from, m_records.begin() + to}, {});
        // A left subtree, then up to 51 entries, each a record followed by the subtree after it.
        const std::size_t chunk = (to - from + EntriesPerNode) / (EntriesPerNode + 1);
        const std::uint32_t left = writeIndex(from, from + chunk);
        std::vector<std::uint32_t> records;
        std::vector<std::uint32_t> children;
        for (std::size_t at = from + chunk; at < to;) {
            records.push_back(m_records[at]);
            const std::size_t end = std::min(to, at + 1 + chunk);
            children.push_back(at + 1 < end ? writeIndex(at + 1, end) : 0);
            at = end;
        }
        return node(left, records, children);
    }

    void finish(std::uint32_t root)
    {
        m_out.seekp(0x30);
        std::string value(4, '\0');
        put(value, 0, root);
        m_out.write(value.data(), 4);
    }

    std::size_t recordCount() const { return m_records.size(); }

private:
    static void put(std::string& bytes, std::size_t at, std::uint32_t value)
    {
        for (int i = 0; i < 4; ++i)
            bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
    }
    std::uint32_t offset() { return static_cast<std::uint32_t>(m_out.tellp()); }
    void write(const std::string& bytes) { m_out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())); }

    std::uint32_t node(std::uint32_t left, const std::vector<std::uint32_t>& records,
                       const std::vector<std::uint32_t>& children)
    {
        std::string bytes(24 + 12 * records.size(), '\0');
        const std::uint32_t at = offset();
        put(bytes, 0, at);
        put(bytes, 8, left);
        put(bytes, 16, static_cast<std::uint32_t>(records.size()) << 8);
        for (std::size_t i = 0; i < records.size(); ++i) {
            put(bytes, 24 + 12 * i, records[i]);
            put(bytes, 28 + 12 * i, i < children.size() ? children[i] : 0);
        }
        write(bytes);
        return at;
    }

    std::ofstream m_out;
    std::vector<std::uint32_t> m_records;
};

const fs::path& store()
{
    static const fs::path path = [] {
        const fs::path file = fs::temp_directory_path() / "vantor-dbx-bench.dbx";
        StoreWriter writer(file);
        writer.writeMessages();
        writer.finish(writer.writeIndex(0, writer.recordCount()));
        return file;
    }();
    return path;
}

double peakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_IndexAndEveryText(benchmark::State& state)
{
    const fs::path& file = store();
    std::size_t bytes = 0;
    for (auto _ : state) {
        vantor::records::DbxReader reader(file);
        const auto index = reader.readIndex();
        if (!index.error.empty() || index.messages.size() != Messages)
            state.SkipWithError("the synthesised store did not read whole");
        bytes = 0;
        for (const auto& message : index.messages)
            bytes += reader.readMessageText(message.textOffset).bytes.size();
    }
    state.counters["text_mb"] = static_cast<double>(bytes) / 1e6;
    state.counters["peak_rss_mb"] = peakRssMb();
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fs::file_size(file)));
}
BENCHMARK(BM_IndexAndEveryText)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SequentialReadFloor(benchmark::State& state)
{
    const fs::path& file = store();
    std::vector<char> buffer(1 << 20);
    for (auto _ : state) {
        std::FILE* in = std::fopen(file.c_str(), "rb");
        std::size_t total = 0;
        while (const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), in))
            total += got;
        std::fclose(in);
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fs::file_size(file)));
}
BENCHMARK(BM_SequentialReadFloor)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
