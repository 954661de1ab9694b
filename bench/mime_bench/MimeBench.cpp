// Parsing throughput on a generated mailbox: parsing, locating the bodies and attachments and decoding
// every part, against GMime 3.
#include "CorpusGenerator.h"
#include "mail/mime/MailMessage.h"
#ifdef VANTOR_HAVE_GMIME
#include "GmimePeer.h"
#endif

#include <benchmark/benchmark.h>
#include <numeric>
#include <vector>

using vantor::mail::mime::MailMessage;
using vantor::mail::mime::MimePart;

namespace {

constexpr std::size_t kMessages = 2000;

const std::vector<std::string>& corpus()
{
    static const std::vector<std::string> messages =
        vantor::bench::CorpusGenerator(20020205).generate(kMessages);
    return messages;
}

std::size_t corpusBytes()
{
    const auto& all = corpus();
    return std::accumulate(all.begin(), all.end(), std::size_t{0},
                           [](std::size_t sum, const std::string& m) { return sum + m.size(); });
}

void setRate(benchmark::State& state)
{
    const double bytes = static_cast<double>(corpusBytes()) * static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
    state.counters["MB/s"] = benchmark::Counter(bytes / 1e6, benchmark::Counter::kIsRate);
    state.counters["messages"] = static_cast<double>(corpus().size());
}

std::size_t decodeAll(MailMessage& message)
{
    std::size_t bytes = 0;
    std::vector<MimePart*> pending{&message};
    while (!pending.empty()) {
        MimePart* part = pending.back();
        pending.pop_back();
        if (part->subParts().empty()) {
            part->decode();
            bytes += part->decodedBody().size();
        }
        for (const auto& child : part->subParts())
            pending.push_back(child.get());
    }
    return bytes;
}

void BM_VantorParse(benchmark::State& state)
{
    const auto& messages = corpus();
    for (auto _ : state) {
        std::size_t decoded = 0;
        for (const auto& text : messages) {
            MailMessage message;
            message.fill(text, true);
            // Asking for the attachments is what locates the bodies and attachments after a parse.
            decoded += message.attachments().size();
            decoded += decodeAll(message);
        }
        benchmark::DoNotOptimize(decoded);
    }
    setRate(state);
}
BENCHMARK(BM_VantorParse)->Unit(benchmark::kMillisecond)->MinTime(3.0);

#ifdef VANTOR_HAVE_GMIME
void BM_GmimeParse(benchmark::State& state)
{
    vantor::bench::GmimePeer peer(corpus());
    for (auto _ : state)
        benchmark::DoNotOptimize(peer.parseAll());
    setRate(state);
}
BENCHMARK(BM_GmimeParse)->Unit(benchmark::kMillisecond)->MinTime(3.0);
#endif

} // namespace

BENCHMARK_MAIN();
