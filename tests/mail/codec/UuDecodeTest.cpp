#include "mail/codec/UuDecode.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

namespace vantor::mail::codec {
namespace {

using test::readTestFile;
using test::withCrLf;

std::string decodeLine(std::string_view line, std::size_t expectedCount)
{
    std::string out;
    EXPECT_EQ(decodeUuLine(line, out), expectedCount) << line;
    EXPECT_EQ(out.size(), expectedCount);
    return out;
}

TEST(UuDecode, LineGivesTheCountOfItsFirstCharacter)
{
    EXPECT_EQ(decodeLine("#0V%T", 3), "Cat");
    EXPECT_EQ(decodeLine("&:&5L;&]<", 6), "hello\\");
    // Back-quote and space both read as 0.
    EXPECT_EQ(decodeLine("$`````", 4), std::string(4, '\0'));
    EXPECT_EQ(decodeLine("$     ", 4), std::string(4, '\0'));
}

TEST(UuDecode, ShortDataIsFilledWithZeros)
{
    EXPECT_EQ(decodeLine("%0V%T", 5), std::string("Cat\0\0", 5));
}

TEST(UuDecode, BadLinesYieldNothing)
{
    std::string out = "kept";
    EXPECT_EQ(decodeUuLine("begin 644 photo.jpg", out), 0u);
    EXPECT_EQ(decodeUuLine("end", out), 0u);
    EXPECT_EQ(decodeUuLine("`", out), 0u);
    EXPECT_EQ(decodeUuLine("", out), 0u);
    EXPECT_EQ(decodeUuLine("#0Vat", out), 0u);                    // lower case is outside the alphabet
    EXPECT_EQ(decodeUuLine("#" + std::string(61, '!'), out), 0u); // more than 60 data characters
    EXPECT_EQ(decodeUuLine("_" + std::string(60, '!'), out), 0u); // a count above 45
    EXPECT_EQ(decodeUuLine(std::string("#0V\0T", 5), out), 0u);
    EXPECT_EQ(out, "kept");
}

TEST(UuDecode, FullLineIgnoresCharactersAfterItsSixty)
{
    const std::string line = "M" + std::string(60, '!') + "xyz";
    EXPECT_EQ(decodeLine(line, 45), decodeLine("M" + std::string(60, '!'), 45));
}

TEST(UuDecode, TextSkipsBeginEndAndEmptyLines)
{
    EXPECT_EQ(decodeUuText("begin 644 cat.txt\r\n#0V%T\r\n\r\n`\r\nend\r\n"), "Cat");
    EXPECT_EQ(decodeUuText("#0V%T\n#0V%T"), "CatCat");
    EXPECT_EQ(decodeUuText(""), "");
}

TEST(UuDecode, RealWorldSampleDecodesByteExact)
{
    const std::string expected = readTestFile("mimekit/photo.jpg");
    const std::string encoded = readTestFile("mimekit/photo.uu");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(decodeUuText(encoded), expected);
    EXPECT_EQ(decodeUuText(withCrLf(encoded)), expected);
}

} // namespace
} // namespace vantor::mail::codec
