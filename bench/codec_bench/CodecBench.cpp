#include "BenchInputs.h"
#include "mail/codec/Base64.h"
#include "mail/codec/HeaderFolding.h"
#include "mail/codec/HeaderText.h"
#include "mail/codec/MailDate.h"
#include "mail/codec/QuotedPrintable.h"
#include "mail/codec/UuDecode.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>

namespace vantor::bench {

namespace {

using namespace vantor::mail::codec;

std::string readData(const char* name)
{
    std::ifstream file(std::string(VANTOR_TEST_DATA) + "/mimekit/" + name, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (bytes.empty()) {
        std::cerr << "missing benchmark input " << name << "\n";
        std::exit(1);
    }
    return bytes;
}

std::string withCrLf(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}

BenchInputs makeInputs()
{
    BenchInputs inputs;
    inputs.photo = readData("photo.jpg");
    inputs.photoBase64 = withCrLf(readData("photo.b64"));
    inputs.photoUu = withCrLf(readData("photo.uu"));
    const std::string paragraph = withCrLf(readData("wikipedia.txt"));
    while (inputs.prose.size() < (1U << 20)) {
        inputs.prose += paragraph;
    }
    inputs.proseQuoted = encodeQuotedPrintable(inputs.prose, false);
    return inputs;
}

void bmBase64Decode(benchmark::State& state)
{
    const std::string& input = benchInputs().photoBase64;
    for (auto _ : state) {
        benchmark::DoNotOptimize(decodeBase64Lines(input));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size()));
}

void bmBase64Encode(benchmark::State& state)
{
    const std::string& input = benchInputs().photo;
    for (auto _ : state) {
        benchmark::DoNotOptimize(encodeBase64Stream(input));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size()));
}

void bmQuotedPrintableDecode(benchmark::State& state)
{
    const std::string& input = benchInputs().proseQuoted;
    for (auto _ : state) {
        benchmark::DoNotOptimize(decodeQuotedPrintable(input));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size()));
}

void bmQuotedPrintableEncode(benchmark::State& state)
{
    const std::string& input = benchInputs().prose;
    for (auto _ : state) {
        benchmark::DoNotOptimize(encodeQuotedPrintable(input, false));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size()));
}

void bmUuDecode(benchmark::State& state)
{
    const std::string& input = benchInputs().photoUu;
    for (auto _ : state) {
        benchmark::DoNotOptimize(decodeUuText(input));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size()));
}

void bmDecodeHeaderText(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(decodeHeaderText(kEncodedSubject));
    }
}

void bmParseMailDate(benchmark::State& state)
{
    const std::chrono::minutes offset = localZoneOffset();
    for (auto _ : state) {
        benchmark::DoNotOptimize(parseMailDate(kMailDate, offset));
    }
}

void bmParseMailDateAtCurrentZone(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(parseMailDate(kMailDate));
    }
}

void bmFoldHeaderLines(benchmark::State& state)
{
    std::string header;
    for (int i = 0; i < 40; ++i) {
        header += "Received: from relay" + std::to_string(i) +
                  ".example.net (relay.example.net [192.0.2.1]) by mx.example.org with ESMTPS id abc; "
                  "Tue, 05 Feb 2002 10:20:30 +0100\r\n";
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(foldHeaderLines(header));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * header.size()));
}

} // namespace

const BenchInputs& benchInputs()
{
    static const BenchInputs inputs = makeInputs();
    return inputs;
}

BENCHMARK(bmBase64Decode);
BENCHMARK(bmBase64Encode);
BENCHMARK(bmQuotedPrintableDecode);
BENCHMARK(bmQuotedPrintableEncode);
BENCHMARK(bmUuDecode);
BENCHMARK(bmDecodeHeaderText);
BENCHMARK(bmParseMailDate);
BENCHMARK(bmParseMailDateAtCurrentZone);
BENCHMARK(bmFoldHeaderLines);

} // namespace vantor::bench

BENCHMARK_MAIN();
