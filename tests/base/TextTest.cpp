#include "base/AsciiCase.h"
#include "base/TextLines.h"

#include <gtest/gtest.h>

namespace vantor::base {
namespace {

using Lines = std::vector<std::string>;

TEST(TextLines, EndAtCrLfLfOrCrAndAFinalBreakAddsNoLine)
{
    EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n\r\nb\r\n"), (Lines{"a", "", "b"}));
    EXPECT_EQ(splitLines("a\n\rb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(splitLines(" spaced \t\r"), (Lines{" spaced \t"}));
    EXPECT_EQ(splitLines(""), Lines{});
    EXPECT_EQ(splitLines("\r\n"), (Lines{""}));
    EXPECT_EQ(joinLinesCrLf({"a", ""}), "a\r\n\r\n");
}

TEST(TextLines, EveryKindOfLineBreakBecomesCrLfAndNothingIsAdded)
{
    EXPECT_EQ(normaliseLineBreaks("a\rb\nc\r\nd"), "a\r\nb\r\nc\r\nd");
    // LF CR is two breaks, CR CR LF two as well: only CR directly before LF pairs up.
    EXPECT_EQ(normaliseLineBreaks("a\n\rb\r\r\n"), "a\r\n\r\nb\r\n\r\n");
    EXPECT_EQ(normaliseLineBreaks("no break"), "no break");
    EXPECT_EQ(normaliseLineBreaks(""), "");
}

TEST(AsciiCase, FoldsOnlyTheLettersAToZ)
{
    EXPECT_EQ(toLowerAscii("Subject: \xC3\x84RGER @ZZ[]"), "subject: \xC3\x84rger @zz[]");
    EXPECT_TRUE(equalsIgnoreCase("Content-TYPE", "content-type"));
    EXPECT_FALSE(equalsIgnoreCase("To", "To:"));
    EXPECT_FALSE(equalsIgnoreCase("[", "{"));
    EXPECT_TRUE(startsWithIgnoreCase("MULTIPART/mixed", "multipart/"));
    EXPECT_FALSE(startsWithIgnoreCase("multi", "multipart/"));
}

} // namespace
} // namespace vantor::base
