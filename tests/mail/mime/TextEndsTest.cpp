#include "mail/mime/TextEnds.h"

#include <gtest/gtest.h>

using namespace std::string_view_literals;

namespace vantor::mail::mime {
namespace {

TEST(TextEnds, TrimTakesControlsAndBlanksButKeepsEightBitBytes)
{
    // Bytes above 127 are letters of some charset: a signed comparison would trim them as controls.
    EXPECT_EQ(trimAll("\x01\t \xC3\xA4rger\xC3\xA4 \r\n"), "\xC3\xA4rger\xC3\xA4");
    EXPECT_EQ(trimAll(" \t\x1f "), "");
    EXPECT_EQ(trimAll("a b"), "a b");
}

TEST(TextEnds, TextEndsAtItsFirstNul)
{
    EXPECT_EQ(untilNul("abc\0def\0"sv), "abc");
    EXPECT_EQ(untilNul("\0abc"sv), "");
    EXPECT_EQ(untilNul("no nul"), "no nul");
}

} // namespace
} // namespace vantor::mail::mime
