// GMime 3's codecs on the same inputs as ours, so that the figures can be read side by side.
#include "BenchInputs.h"

#include <benchmark/benchmark.h>
#include <gmime/gmime.h>
#include <string>

namespace vantor::bench {

namespace {

struct GmimeSetUp
{
    GmimeSetUp() { g_mime_init(); }
};

void ensureGmime()
{
    static const GmimeSetUp setUp;
}

// One whole-buffer run of a GMime codec per iteration, into a buffer of the size GMime asks for. A
// decoder must give back expected first, or the figure would compare unlike work.
void runGmimeCodec(benchmark::State& state, const std::string& input, GMimeContentEncoding encoding,
                   bool encode, const std::string* expected = nullptr)
{
    ensureGmime();
    GMimeEncoding codec;
    if (encode) {
        g_mime_encoding_init_encode(&codec, encoding);
    } else {
        g_mime_encoding_init_decode(&codec, encoding);
    }
    std::string out(g_mime_encoding_outlen(&codec, input.size()), '\0');
    if (expected != nullptr) {
        const std::size_t length = g_mime_encoding_flush(&codec, input.data(), input.size(), out.data());
        if (out.compare(0, length, *expected) != 0 || length != expected->size()) {
            state.SkipWithError("GMime decoded the input differently");
            return;
        }
    }
    for (auto _ : state) {
        g_mime_encoding_reset(&codec);
        benchmark::DoNotOptimize(g_mime_encoding_flush(&codec, input.data(), input.size(), out.data()));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size()));
}

void bmGmimeBase64Decode(benchmark::State& state)
{
    runGmimeCodec(state, benchInputs().photoBase64, GMIME_CONTENT_ENCODING_BASE64, false,
                  &benchInputs().photo);
}

void bmGmimeBase64Encode(benchmark::State& state)
{
    runGmimeCodec(state, benchInputs().photo, GMIME_CONTENT_ENCODING_BASE64, true);
}

void bmGmimeQuotedPrintableDecode(benchmark::State& state)
{
    runGmimeCodec(state, benchInputs().proseQuoted, GMIME_CONTENT_ENCODING_QUOTEDPRINTABLE, false,
                  &benchInputs().prose);
}

void bmGmimeQuotedPrintableEncode(benchmark::State& state)
{
    runGmimeCodec(state, benchInputs().prose, GMIME_CONTENT_ENCODING_QUOTEDPRINTABLE, true);
}

void bmGmimeUuDecode(benchmark::State& state)
{
    // GMime's decoder leaves the "begin" line to its caller and starts in the state after it.
    const std::string& uu = benchInputs().photoUu;
    const std::string input = uu.substr(uu.find('\n') + 1);
    std::string out(input.size(), '\0');
    for (auto _ : state) {
        int codecState = GMIME_UUDECODE_STATE_BEGIN;
        guint32 save = 0;
        const std::size_t length =
            g_mime_encoding_uudecode_step(reinterpret_cast<const unsigned char*>(input.data()), input.size(),
                                          reinterpret_cast<unsigned char*>(out.data()), &codecState, &save);
        benchmark::DoNotOptimize(length);
        if (length != benchInputs().photo.size()) {
            state.SkipWithError("GMime decoded the input differently");
            return;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * uu.size()));
}

void bmGmimeDecodeHeaderText(benchmark::State& state)
{
    ensureGmime();
    for (auto _ : state) {
        char* text = g_mime_utils_header_decode_text(nullptr, kEncodedSubject);
        benchmark::DoNotOptimize(text);
        g_free(text);
    }
}

void bmGmimeDecodeEncodedWordHeaders(benchmark::State& state)
{
    ensureGmime();
    const BenchInputs& inputs = benchInputs();
    for (auto _ : state) {
        for (const std::string& header : inputs.encodedWordHeaders) {
            char* text = g_mime_utils_header_decode_text(nullptr, header.c_str());
            benchmark::DoNotOptimize(text);
            g_free(text);
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * inputs.encodedWordBytes));
}

void bmGmimeParseMailDate(benchmark::State& state)
{
    ensureGmime();
    for (auto _ : state) {
        GDateTime* date = g_mime_utils_header_decode_date(kMailDate);
        benchmark::DoNotOptimize(date);
        if (date != nullptr) {
            g_date_time_unref(date);
        }
    }
}

} // namespace

BENCHMARK(bmGmimeBase64Decode);
BENCHMARK(bmGmimeBase64Encode);
BENCHMARK(bmGmimeQuotedPrintableDecode);
BENCHMARK(bmGmimeQuotedPrintableEncode);
BENCHMARK(bmGmimeUuDecode);
BENCHMARK(bmGmimeDecodeHeaderText);
BENCHMARK(bmGmimeDecodeEncodedWordHeaders);
BENCHMARK(bmGmimeParseMailDate);

} // namespace vantor::bench
