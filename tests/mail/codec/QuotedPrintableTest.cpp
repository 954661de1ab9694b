#include "mail/codec/QuotedPrintable.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

namespace vantor::mail::codec {
namespace {

using test::readTestFile;
using test::withCrLf;

TEST(QuotedPrintableEncode, BodyModeEscapesEqualsAndEndsWithCrLf)
{
    EXPECT_EQ(encodeQuotedPrintable("a=b", false), "a=3Db\r\n");
    EXPECT_EQ(encodeQuotedPrintable("", false), "");
}

TEST(QuotedPrintableEncode, BodyModeEscapesHighBytesControlsAndBareLineBreaks)
{
    EXPECT_EQ(encodeQuotedPrintable("caf\xC3\xA9", false), "caf=C3=A9\r\n");
    EXPECT_EQ(encodeQuotedPrintable(std::string("a\0b\x7F", 4), false), "a=00b=7F\r\n");
    EXPECT_EQ(encodeQuotedPrintable("tab\tkept", false), "tab\tkept\r\n");
    EXPECT_EQ(encodeQuotedPrintable("one\r\ntwo", false), "one\r\ntwo\r\n");
    EXPECT_EQ(encodeQuotedPrintable("bare\nlf", false), "bare=0Alf\r\n");
    EXPECT_EQ(encodeQuotedPrintable("\nfirst", false), "=0Afirst\r\n");
    EXPECT_EQ(encodeQuotedPrintable("bare\rcr", false), "bare=0Dcr\r\n");
    EXPECT_EQ(encodeQuotedPrintable("end\r", false), "end=0D\r\n");
}

TEST(QuotedPrintableEncode, BlanksBeforeALineBreakBecomeEscapes)
{
    EXPECT_EQ(encodeQuotedPrintable("word \t \r\nnext", false), "word=20=09=20\r\nnext\r\n");
    EXPECT_EQ(encodeQuotedPrintable("mid  space\r\n", false), "mid  space\r\n");
    // At the very end of the text nothing follows, so the blanks stay as they are.
    EXPECT_EQ(encodeQuotedPrintable("last  ", false), "last  \r\n");
}

TEST(QuotedPrintableEncode, LongLinesGetSoftBreaksAfterCharacter71)
{
    const std::string line(100, 'x');
    const std::string encoded = encodeQuotedPrintable(line, false);
    EXPECT_EQ(encoded, std::string(71, 'x') + "=\r\n" + std::string(29, 'x') + "\r\n");
    EXPECT_EQ(encodeQuotedPrintable(std::string(71, 'y'), false), std::string(71, 'y') + "\r\n");
    EXPECT_EQ(encodeQuotedPrintable(std::string(72, 'y'), false), std::string(71, 'y') + "=\r\ny\r\n");
    EXPECT_EQ(encodeQuotedPrintable(std::string(200, 'z'), false), std::string(71, 'z') + "=\r\n" +
                                                                       std::string(71, 'z') + "=\r\n" +
                                                                       std::string(58, 'z') + "\r\n");
}

TEST(QuotedPrintableEncode, SoftBreaksNeverSplitAnEscape)
{
    // 70 letters and "=3D": a cut after character 71 would fall inside the escape.
    const std::string encoded =
        encodeQuotedPrintable(std::string(70, 'a') + "=" + std::string(10, 'b'), false);
    EXPECT_EQ(encoded, std::string(70, 'a') + "=\r\n=3D" + std::string(10, 'b') + "\r\n");
    const std::string accents = encodeQuotedPrintable(std::string(40, '\xE9'), false);
    std::size_t start = 0;
    while (start < accents.size()) {
        const std::size_t end = accents.find("\r\n", start);
        const std::string line = accents.substr(start, end - start);
        EXPECT_LE(line.size(), 72u);
        EXPECT_TRUE(line.size() % 3 == 0 || line.back() == '=') << line;
        start = end + 2;
    }
    EXPECT_EQ(decodeQuotedPrintable(accents), std::string(40, '\xE9') + "\r\n");
}

TEST(QuotedPrintableEncode, HeaderModeEscapesSpecialsAndNeverBreaks)
{
    EXPECT_EQ(encodeQuotedPrintable("two words", true), "two=20words");
    EXPECT_EQ(encodeQuotedPrintable("a_b?\"c\"'d'(e)<f>", true), "a=5Fb=3F=22c=22=27d=27=28e=29=3Cf=3E");
    EXPECT_EQ(encodeQuotedPrintable("x\r\ny\tz", true), "x=0D=0Ay=09z");
    EXPECT_EQ(encodeQuotedPrintable("plain", true), "plain");
    EXPECT_EQ(encodeQuotedPrintable(std::string(100, 'h'), true), std::string(100, 'h'));
}

TEST(QuotedPrintableDecode, EscapesSoftBreaksAndMalformedInput)
{
    EXPECT_EQ(decodeQuotedPrintable("caf=C3=A9"), "caf\xC3\xA9");
    EXPECT_EQ(decodeQuotedPrintable("soft=\r\nbreak"), "softbreak");
    EXPECT_EQ(decodeQuotedPrintable("lf=\nbreak"), "lfbreak");
    EXPECT_EQ(decodeQuotedPrintable("lower=3dcase"), "lowercase"); // lower-case hex is no escape
    EXPECT_EQ(decodeQuotedPrintable("bad=G1rest"), "badrest");
    EXPECT_EQ(decodeQuotedPrintable("cut=4"), "cut");
    EXPECT_EQ(decodeQuotedPrintable("cut="), "cut");
    EXPECT_EQ(decodeQuotedPrintable("under_score"), "under_score");
    EXPECT_EQ(decodeQuotedPrintable(std::string("nul\0byte=00", 11)), std::string("nul\0byte\0", 9));
}

TEST(QuotedPrintableDecode, QEncodingReadsUnderscoreAsSpace)
{
    EXPECT_EQ(decodeQEncoding("R=E9union_du_lundi"), "R\xE9union du lundi");
    EXPECT_EQ(decodeQEncoding("a=5Fb"), "a_b");
}

TEST(QuotedPrintableDecode, RoundTripKeepsTextWithCrLfLines)
{
    const std::string text = "Line one with trailing blank \r\n\tindented = sign\r\n" +
                             std::string(150, '-') + "\r\n\xFF\xFE binary\r\n";
    EXPECT_EQ(decodeQuotedPrintable(encodeQuotedPrintable(text, false)), text);
    EXPECT_EQ(decodeQEncoding(encodeQuotedPrintable("x y_z?", true)), "x y_z?");
}

TEST(QuotedPrintableDecode, RealWorldSampleDecodesByteExact)
{
    const std::string encoded = readTestFile("mimekit/wikipedia.qp");
    const std::string expected = readTestFile("mimekit/wikipedia.txt");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(decodeQuotedPrintable(encoded), expected);
    EXPECT_EQ(decodeQuotedPrintable(withCrLf(encoded)), withCrLf(expected));
}

TEST(QuotedPrintableEncode, RealWorldSampleSurvivesEncoding)
{
    const std::string text = withCrLf(readTestFile("mimekit/wikipedia.txt"));
    const std::string encoded = encodeQuotedPrintable(text, false);
    EXPECT_EQ(decodeQuotedPrintable(encoded), text);
    EXPECT_NE(encoded.find("p=C3=A9dagogues"), std::string::npos);
}

} // namespace
} // namespace vantor::mail::codec
