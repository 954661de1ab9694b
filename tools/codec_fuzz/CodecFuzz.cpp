// Feeds arbitrary bytes to every decoder and header helper, and checks that the encoders' output
// decodes back to what went in.
#include "fuzz_support/Require.h"
#include "mail/codec/Base64.h"
#include "mail/codec/Charsets.h"
#include "mail/codec/HeaderFolding.h"
#include "mail/codec/HeaderText.h"
#include "mail/codec/MailDate.h"
#include "mail/codec/QuotedPrintable.h"
#include "mail/codec/TextHelpers.h"
#include "mail/codec/UuDecode.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

namespace {

using namespace vantor::mail::codec;
using vantor::fuzz::require;

void checkRoundTrips(std::string_view bytes)
{
    const std::string body = encodeQuotedPrintable(bytes, false);
    const bool endsWithBreak = bytes.empty() || bytes.ends_with("\r\n");
    require(decodeQuotedPrintable(body) ==
            (endsWithBreak ? std::string(bytes) : std::string(bytes) + "\r\n"));
    require(decodeQEncoding(encodeQuotedPrintable(bytes, true)) == bytes);
    require(decodeBase64Lines(encodeBase64Stream(bytes)) == bytes);
}

void checkDecoders(std::string_view text)
{
    std::string sink;
    require(decodeQuotedPrintable(text).size() <= text.size());
    require(decodeBase64Line(text, sink) <= text.size() / 4 * 3);
    require(decodeUuLine(text, sink) <= 45);
    (void)decodeBase64Lines(text);
    (void)decodeUuText(text);
    (void)decodeHeaderText(text);
    (void)parseMailDate(text, std::chrono::minutes{0});
    (void)extractField(0, text, " ", ")\"", "(\"");
    (void)isIPAddress(text);
    const std::string folded = foldHeaderLines(text);
    require(folded.empty() || folded.ends_with("\r\n"));
    require(safeFileName(text).size() <= 254);
}

// Whatever the bytes and whatever charset they claim, the text comes out as well-formed UTF-8.
void checkCharsets(std::string_view bytes)
{
    static constexpr std::string_view kLabels[] = {"utf-8",      "gb2312", "iso-2022-jp", "utf-16",
                                                   "shift_jis",  "big5",   "koi8-r",      "no-such-charset",
                                                   "iso-8859-1", "euc-kr", "utf-7",       "windows-1252"};
    if (bytes.empty())
        return;
    const std::string_view label = kLabels[static_cast<unsigned char>(bytes[0]) % std::size(kLabels)];
    require(isWellFormedUtf8(decodeCharset(bytes.substr(1), label)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkDecoders(text);
    checkRoundTrips(text);
    checkCharsets(text);
    return 0;
}
