#include "mail/codec/Base64.h"
#include "mail/codec/HeaderFolding.h"
#include "mail/codec/HeaderText.h"
#include "mail/codec/MailDate.h"
#include "mail/codec/QuotedPrintable.h"
#include "mail/codec/TextHelpers.h"
#include "mail/codec/UuDecode.h"

#include <gtest/gtest.h>
#include <random>

namespace vantor::mail::codec {
namespace {

constexpr std::size_t kMegabyte = 1 << 20;

std::string randomBytes(std::mt19937& generator, std::size_t size, std::string_view alphabet = {})
{
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        const auto value = generator();
        c = alphabet.empty() ? static_cast<char>(value & 0xFF) : alphabet[value % alphabet.size()];
    }
    return bytes;
}

// Every line of text (split at CR LF) is at most limit characters long.
bool linesAtMost(std::string_view text, std::size_t limit)
{
    while (!text.empty()) {
        const std::size_t end = text.find("\r\n");
        if (std::min(end, text.size()) > limit) {
            return false;
        }
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 2);
    }
    return true;
}

TEST(HostileInput, MegabyteLinesThroughEveryDecoder)
{
    const std::string equals(kMegabyte, '=');
    EXPECT_EQ(decodeQuotedPrintable(equals), "");
    EXPECT_EQ(decodeBase64Lines(equals), "");
    EXPECT_EQ(decodeUuText(equals), "");
    EXPECT_EQ(decodeHeaderText(equals), equals);

    const std::string letters(kMegabyte, 'A');
    EXPECT_EQ(decodeBase64Lines(letters), std::string(kMegabyte / 4 * 3, '\0'));
    EXPECT_EQ(decodeQuotedPrintable(letters), letters);
    // A full uuencoded line reads its 60 characters and ignores what follows.
    const std::string fullLine = decodeUuText("M" + letters);
    EXPECT_EQ(fullLine.size(), 45u);
    EXPECT_EQ(fullLine, decodeUuText("M" + letters.substr(0, 60)));
}

TEST(HostileInput, MegabyteLinesThroughTheEncodersAndFolding)
{
    const std::string blanks(kMegabyte, ' ');
    const std::string bodyLine = encodeQuotedPrintable(blanks + "\r\n", false);
    EXPECT_TRUE(linesAtMost(bodyLine, 72));
    EXPECT_EQ(decodeQuotedPrintable(bodyLine), blanks + "\r\n");

    const std::string words = "Subject: " + std::string(kMegabyte, 'w') + " " + std::string(kMegabyte, 'x');
    EXPECT_EQ(foldHeaderLines(words), words + "\r\n"); // no fold point within reach
    std::string spaced = "Subject:";
    for (int i = 0; i < 100000; ++i) {
        spaced += " word";
    }
    const std::string folded = foldHeaderLines(spaced);
    EXPECT_TRUE(linesAtMost(folded, 73));
    EXPECT_EQ(decodeHeaderText(std::string(kMegabyte / 8, ' ') + "=?utf-8?Q?ok?="), "ok");
}

TEST(HostileInput, ManyEncodedWordsDecodeInOnePass)
{
    std::string value;
    for (int i = 0; i < 50000; ++i) {
        value += "=?utf-8?B?YQ==?=";
    }
    EXPECT_EQ(decodeHeaderText(value), std::string(50000, 'a'));
    std::string broken;
    for (int i = 0; i < 50000; ++i) {
        broken += "=?x";
    }
    EXPECT_EQ(decodeHeaderText(broken), broken);
}

TEST(HostileInput, RandomBytesRoundTripThroughTheEncoders)
{
    std::mt19937 generator(20240917);
    for (int round = 0; round < 200; ++round) {
        const std::string bytes = randomBytes(generator, generator() % 600);
        const std::string quoted = encodeQuotedPrintable(bytes, false);
        EXPECT_TRUE(linesAtMost(quoted, 72));
        const std::string header = encodeQuotedPrintable(bytes, true);
        EXPECT_EQ(header.find_first_of(" \r\n\t?_"), std::string::npos);
        EXPECT_EQ(decodeQEncoding(header), bytes);
        EXPECT_EQ(decodeBase64Lines(encodeBase64Stream(bytes)), bytes);
    }
}

TEST(HostileInput, RandomTextNeverBreaksTheDecoders)
{
    std::mt19937 generator(77);
    const std::string_view mailish = "=?QBUub_ \t\r\n:/;,\"'()<>0123456789+-ADEFJMNOSTabcgloprsuvy`!#$M";
    for (int round = 0; round < 2000; ++round) {
        const std::string text = randomBytes(generator, generator() % 200, round % 2 ? mailish : "");
        std::string out;
        EXPECT_LE(decodeQuotedPrintable(text).size(), text.size());
        EXPECT_LE(decodeQEncoding(text).size(), text.size());
        EXPECT_LE(decodeBase64Line(text, out), text.size() / 4 * 3);
        EXPECT_LE(decodeUuLine(text, out), 45u);
        EXPECT_LE(decodeUuText(text).size(), (text.size() + 1) * 45);
        (void)decodeHeaderText(text);
        (void)parseMailDate(text, std::chrono::minutes{0});
        (void)extractField(1, text, " ", ")\"", "(\"");
        const std::string folded = foldHeaderLines(text);
        EXPECT_TRUE(folded.empty() || folded.ends_with("\r\n"));
        const std::string safe = safeFileName(text);
        EXPECT_EQ(safe.find_first_of(std::string_view(":\\/*?\"<>|'\0\n", 12)), std::string::npos);
    }
}

} // namespace
} // namespace vantor::mail::codec
