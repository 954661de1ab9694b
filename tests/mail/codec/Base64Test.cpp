#include "mail/codec/Base64.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

namespace vantor::mail::codec {
namespace {

using test::readTestFile;
using test::withCrLf;

std::string decodeLine(std::string_view line)
{
    std::string out;
    const std::size_t count = decodeBase64Line(line, out);
    EXPECT_EQ(count, out.size());
    return out;
}

TEST(Base64Encode, StreamWritesLinesOf76CharactersWithCrLf)
{
    EXPECT_EQ(encodeBase64Stream(""), "");
    EXPECT_EQ(encodeBase64Stream("M"), "TQ==\r\n");
    EXPECT_EQ(encodeBase64Stream("Ma"), "TWE=\r\n");
    EXPECT_EQ(encodeBase64Stream("Man"), "TWFu\r\n");
    const std::string encoded = encodeBase64Stream(std::string(57 * 2 + 1, '\0'));
    EXPECT_EQ(encoded, std::string(76, 'A') + "\r\n" + std::string(76, 'A') + "\r\nAA==\r\n");
}

TEST(Base64Encode, RealWorldSampleEncodesByteExact)
{
    const std::string photo = readTestFile("mimekit/photo.jpg");
    ASSERT_EQ(photo.size(), 130292u);
    EXPECT_EQ(encodeBase64Stream(photo), withCrLf(readTestFile("mimekit/photo.b64")));
}

TEST(Base64Encode, TextGivesOnlyItsFirstLine)
{
    EXPECT_EQ(encodeBase64Text(""), "");
    EXPECT_EQ(encodeBase64Text("user@example.com"), "dXNlckBleGFtcGxlLmNvbQ==");
    const std::string password(60, 'p');
    EXPECT_EQ(encodeBase64Text(password), encodeBase64Stream(password.substr(0, 57)).substr(0, 76));
    // Line breaks are sent as CR LF, the final one not at all.
    EXPECT_EQ(encodeBase64Text("a\nb\n"), encodeBase64Text("a\r\nb"));
    EXPECT_EQ(encodeBase64Text("a\rb"), "YQ0KYg==");
}

TEST(Base64Decode, LineDecodesGroupsAndPadding)
{
    EXPECT_EQ(decodeLine("TWFu"), "Man");
    EXPECT_EQ(decodeLine("TWE="), "Ma");
    EXPECT_EQ(decodeLine("TQ=="), "M");
    EXPECT_EQ(decodeLine("TQ=x"), "M"); // "=" in the third place gives one byte
    EXPECT_EQ(decodeLine("=QQQ"), "");
    EXPECT_EQ(decodeLine("TWFuTQ"), "Man"); // trailing incomplete group dropped
    EXPECT_EQ(decodeLine(""), "");
}

TEST(Base64Decode, LineSkipsCharactersOutsideTheAlphabet)
{
    EXPECT_EQ(decodeLine(" T W\tF u\r"), "Man");
    EXPECT_EQ(decodeLine("TW*Fu!"), "Man");
    EXPECT_EQ(decodeLine(std::string("TW\0Fu", 5)), "Man");
    EXPECT_EQ(decodeLine("TQ==TWFu"), "MMan"); // decoding goes on after padding
}

TEST(Base64Decode, LineAppendsToWhatIsThere)
{
    std::string out = "prefix:";
    EXPECT_EQ(decodeBase64Line("TWFu", out), 3u);
    EXPECT_EQ(decodeBase64Line("TQ==", out), 1u);
    EXPECT_EQ(out, "prefix:ManM");
}

TEST(Base64Decode, LinesDecodeEachLineByItself)
{
    EXPECT_EQ(decodeBase64Lines("TWFu\r\n  TWE=  \r\nTQ==\r\n"), "ManMaM");
    // A group split over two lines is dropped on both.
    EXPECT_EQ(decodeBase64Lines("TWFuTW\r\nFu\r\n"), "Man");
    EXPECT_EQ(decodeBase64Lines(""), "");
}

TEST(Base64Decode, RealWorldSampleDecodesByteExact)
{
    const std::string expected = readTestFile("mimekit/photo.jpg");
    const std::string encoded = readTestFile("mimekit/photo.b64");
    EXPECT_EQ(decodeBase64Lines(encoded), expected);
    EXPECT_EQ(decodeBase64Lines(withCrLf(encoded)), expected);
}

TEST(Base64Decode, RoundTripOfAllByteValues)
{
    std::string bytes;
    for (int i = 0; i < 256 * 3; ++i) {
        bytes += static_cast<char>(i % 256);
    }
    for (std::size_t length = 0; length < 120; ++length) {
        EXPECT_EQ(decodeBase64Lines(encodeBase64Stream(bytes.substr(0, length))), bytes.substr(0, length));
    }
    EXPECT_EQ(decodeBase64Lines(encodeBase64Stream(bytes)), bytes);
}

} // namespace
} // namespace vantor::mail::codec
