#include "mail/codec/HeaderFolding.h"

#include <gtest/gtest.h>

namespace vantor::mail::codec {
namespace {

std::string repeat(std::string_view piece, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i) {
        out.append(piece);
    }
    return out;
}

TEST(FoldHeaderLines, ShortLinesAndLineBreaks)
{
    EXPECT_EQ(foldHeaderLines("Subject: hi"), "Subject: hi\r\n");
    EXPECT_EQ(foldHeaderLines("A: 1\nB: 2\rC: 3\r\n\r\n"), "A: 1\r\nB: 2\r\nC: 3\r\n");
    EXPECT_EQ(foldHeaderLines(""), "");
    const std::string exactly72 = "X-Long: " + std::string(64, 'v');
    EXPECT_EQ(foldHeaderLines(exactly72), exactly72 + "\r\n");
}

TEST(FoldHeaderLines, FoldsAtTheLastSpaceWithinTheLimit)
{
    const std::string line = "To: " + repeat("a@example.com, ", 6) + "z@example.com";
    EXPECT_EQ(foldHeaderLines(line), "To: " + repeat("a@example.com, ", 3) + "a@example.com,\r\n\t" +
                                         "a@example.com, a@example.com, z@example.com\r\n");
}

TEST(FoldHeaderLines, FoldsAfterCommaOrSemicolonKeepingIt)
{
    EXPECT_EQ(foldHeaderLines("X-List: " + repeat("item,", 20)),
              "X-List: " + repeat("item,", 12) + "\r\n\t" + repeat("item,", 8) + "\r\n");
    EXPECT_EQ(foldHeaderLines("X-List: " + repeat("item;", 20)),
              "X-List: " + repeat("item;", 12) + "\r\n\t" + repeat("item;", 8) + "\r\n");
}

TEST(FoldHeaderLines, LongTextFoldsRepeatedlyAndUnfoldsToTheOriginal)
{
    const std::string line = "Subject: " + repeat("abcdefghi ", 40) + "end";
    const std::string folded = foldHeaderLines(line);
    std::string unfolded;
    std::size_t start = 0;
    int lines = 0;
    while (start < folded.size()) {
        const std::size_t end = folded.find("\r\n", start);
        const std::string piece = folded.substr(start, end - start);
        EXPECT_LE(piece.size(), 73u) << piece; // a tab and up to 72 characters
        unfolded += lines == 0 ? piece : " " + piece.substr(1);
        start = end + 2;
        ++lines;
    }
    EXPECT_GE(lines, 6);
    EXPECT_EQ(unfolded, line);
}

TEST(FoldHeaderLines, QuotesHideFoldPoints)
{
    const std::string quoted = "To: \"" + repeat("Name, ", 13) + "End\" <a@b.c>";
    EXPECT_EQ(foldHeaderLines(quoted), quoted + "\r\n");
    // An apostrophe has no partner before it, so nothing before it may be folded.
    const std::string apostrophe = "Subject: " + repeat("word ", 8) + "don't" + std::string(30, 'x');
    EXPECT_EQ(foldHeaderLines(apostrophe), apostrophe + "\r\n");
    const std::string plain = "Subject: " + repeat("word ", 8) + "dont" + std::string(30, 'x');
    EXPECT_EQ(foldHeaderLines(plain),
              "Subject: " + repeat("word ", 7) + "word\r\n\tdont" + std::string(30, 'x') + "\r\n");
}

TEST(FoldHeaderLines, FieldNameAndContinuationLimits)
{
    // The only blank is the one after the field name, which never becomes a fold point.
    const std::string unbreakable = "Message-ID: <" + std::string(100, 'x') + ">";
    EXPECT_EQ(foldHeaderLines(unbreakable), unbreakable + "\r\n");
    const std::string nearTab = "\t" + std::string(30, 'x') + " " + std::string(50, 'y');
    EXPECT_EQ(foldHeaderLines(nearTab), nearTab + "\r\n");
    const std::string farTab = "\t" + std::string(40, 'x') + " " + std::string(40, 'y');
    EXPECT_EQ(foldHeaderLines(farTab),
              "\t" + std::string(40, 'x') + "\r\n\t" + std::string(40, 'y') + "\r\n");
}

TEST(FoldHeaderLines, ListOfFieldsGivesTheSameAsText)
{
    const std::vector<std::string> lines = {"From: <a@b.c>", "To: " + repeat("a@example.com, ", 6) + "z@x.y",
                                            "Subject: hi"};
    EXPECT_EQ(foldHeaderLines(lines), foldHeaderLines(lines[0] + "\r\n" + lines[1] + "\r\n" + lines[2]));
    EXPECT_EQ(foldHeaderLines(std::vector<std::string>{}), "");
}

} // namespace
} // namespace vantor::mail::codec
