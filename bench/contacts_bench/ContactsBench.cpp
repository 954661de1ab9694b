// Reading must stay linear in the size of the file, whatever it holds: many tiny cards, one endless
// quoted-printable line, a card that never ends, or a prefs.js of broken statements. Each case runs on
// inputs from 64 KB to 16 MB and reports its complexity fit (expected: O(N)).

#include "platform/ThunderbirdPrefs.h"
#include "records/VCardReader.h"

#include <benchmark/benchmark.h>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

std::string repeated(const std::string& piece, std::size_t size)
{
    std::string out;
    out.reserve(size + piece.size());
    while (out.size() < size)
        out += piece;
    return out;
}

std::string tinyCards(std::size_t size)
{
    return repeated("BEGIN:VCARD\r\nFN:A\r\nEMAIL:a@b\r\nEND:VCARD\r\n", size);
}

std::string softBreaks(std::size_t size)
{
    return "BEGIN:VCARD\r\nFN;ENCODING=QUOTED-PRINTABLE:" + repeated("=C3=91=\r\n", size) +
           "x\r\nEND:VCARD\r\n";
}

std::string unendedCards(std::size_t size)
{
    return repeated("BEGIN:VCARD\nAGENT:\nBEGIN:VCARD\nEMAIL:\"a:b\n\\", size);
}

std::string prefs(std::size_t size)
{
    return repeated("user_pref(\"mail.server.server1.hostname\", \"pop.example.org\\u00e9\"); // note\n",
                    size);
}

std::string brokenPrefs(std::size_t size)
{
    return repeated("user_pref(\"a\", 1) // no end\nuser_pref(\"b\nsticky_pref(\"c\", '\\ud800');\n", size);
}

template <std::string (*Make)(std::size_t), bool Prefs> void read(benchmark::State& state)
{
    const std::string bytes = Make(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        if constexpr (Prefs)
            benchmark::DoNotOptimize(vantor::platform::ThunderbirdPrefs(bytes).values().size());
        else
            benchmark::DoNotOptimize(vantor::records::parseVCards(bytes).size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    state.SetComplexityN(static_cast<std::int64_t>(bytes.size()));
}

#define SIZES RangeMultiplier(4)->Range(64 << 10, 16 << 20)->Unit(benchmark::kMillisecond)->Complexity()
BENCHMARK(read<tinyCards, false>)->Name("vcard/tiny_cards")->SIZES;
BENCHMARK(read<softBreaks, false>)->Name("vcard/soft_breaks")->SIZES;
BENCHMARK(read<unendedCards, false>)->Name("vcard/unended_cards")->SIZES;
BENCHMARK(read<prefs, true>)->Name("prefs/statements")->SIZES;
BENCHMARK(read<brokenPrefs, true>)->Name("prefs/broken")->SIZES;

} // namespace

BENCHMARK_MAIN();
