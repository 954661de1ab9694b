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

// Encoded words in the charsets spam arrives in; each decodes to a few words of its language.
constexpr const char* kMixedWords[] = {
    "=?UTF-8?B?44CQ6YeN6KaB6KiK5oGv44CR?=",
    "=?iso-8859-1?Q?R=E9union_du_lundi?=",
    "=?GB2312?B?zeLDs7/Nu6e/qrei?=",
    "=?ISO-2022-JP?B?GyRCRnxLXDhsJWEhPCVrGyhC?=",
    "=?koi8-r?B?8NLJ18XUIM3J0g==?=",
    "=?shift_jis?B?g2WDWINn?=",
    "=?windows-1252?Q?=93Smart=94_=96_=80?=",
    "=?big5?B?rautbrBUrqc=?=",
    "=?euc-kr?B?vsiz58fPvLy/5A==?=",
    "=?UTF-8?Q?=F0=9F=91=89_Cheap_=E2=82=AC?=",
    "=?windows-1251?B?0ero5Org?=",
};

// 200 header values of 5 to 20 words; every fourth gap holds a plain word, the others only a blank.
std::vector<std::string> makeEncodedWordHeaders()
{
    constexpr std::size_t kWordKinds = std::size(kMixedWords);
    std::vector<std::string> headers;
    std::size_t next = 0;
    for (int header = 0; header < 200; ++header) {
        const int words = 5 + header % 16;
        std::string value = header % 2 == 0 ? "Re: " : "";
        for (int word = 0; word < words; ++word) {
            if (word > 0)
                value += word % 4 == 0 ? " and " : " ";
            value += kMixedWords[next++ % kWordKinds];
        }
        headers.push_back(std::move(value));
    }
    return headers;
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
    inputs.encodedWordHeaders = makeEncodedWordHeaders();
    for (const std::string& header : inputs.encodedWordHeaders)
        inputs.encodedWordBytes += header.size();
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

void bmDecodeEncodedWordHeaders(benchmark::State& state)
{
    const BenchInputs& inputs = benchInputs();
    for (auto _ : state) {
        for (const std::string& header : inputs.encodedWordHeaders)
            benchmark::DoNotOptimize(decodeHeaderText(header));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * inputs.encodedWordBytes));
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
BENCHMARK(bmDecodeEncodedWordHeaders);
BENCHMARK(bmParseMailDate);
BENCHMARK(bmParseMailDateAtCurrentZone);
BENCHMARK(bmFoldHeaderLines);

} // namespace vantor::bench

BENCHMARK_MAIN();
