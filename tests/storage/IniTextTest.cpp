#include "storage/IniText.h"

#include <gtest/gtest.h>
#include <string>

using vantor::storage::initext::equalsNoCase;
using vantor::storage::initext::hashNoCase;

namespace {

// Every length up to past two words, with the difference at every position: the comparison takes
// short texts, whole words and an overlapping last word by different paths.
TEST(IniText, NamesDifferingInOneByteAreUnequalAtEveryLengthAndPosition)
{
    for (std::size_t length = 0; length <= 20; ++length) {
        std::string name;
        for (std::size_t i = 0; i < length; ++i)
            name += static_cast<char>('a' + i);
        EXPECT_TRUE(equalsNoCase(name, name)) << name;
        EXPECT_FALSE(equalsNoCase(name, name + "x")) << name;
        for (std::size_t i = 0; i < length; ++i) {
            std::string upper = name;
            upper[i] = static_cast<char>(upper[i] - 'a' + 'A');
            EXPECT_TRUE(equalsNoCase(name, upper)) << upper;
            EXPECT_EQ(hashNoCase(name), hashNoCase(upper)) << upper;
            std::string other = name;
            other[i] = '1';
            EXPECT_FALSE(equalsNoCase(name, other)) << other;
            EXPECT_FALSE(equalsNoCase(upper, other)) << other;
        }
    }
}

TEST(IniText, OnlyAsciiLettersFoldTheirCase)
{
    EXPECT_TRUE(equalsNoCase("Key_1[x]", "kEY_1[X]"));
    // '@' and '`' sit next to the letters; '[' and '{' too: they must not fold into each other.
    EXPECT_FALSE(equalsNoCase("@", "`"));
    EXPECT_FALSE(equalsNoCase("key[", "KEY{"));
    EXPECT_FALSE(equalsNoCase("\xC4pfel", "\xE4pfel"));
}

} // namespace
