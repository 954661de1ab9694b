#include "mail/codec/TextHelpers.h"

#include <gtest/gtest.h>

namespace vantor::mail::codec {
namespace {

TEST(TrimBlanks, LeadingBlanksAndTrailingSpaces)
{
    EXPECT_EQ(trimBlanks(" \t a b  "), "a b");
    EXPECT_EQ(trimBlanks(" \t a b \t"), "a b \t"); // a trailing tab stays
    EXPECT_EQ(trimBlanks(" \t  "), "");
    EXPECT_EQ(trimBlanks(""), "");
    EXPECT_EQ(trimBlanks("x"), "x");
}

TEST(SafeFileName, UnsafeCharactersBecomeUnderscores)
{
    EXPECT_EQ(safeFileName("report: final?.txt"), "report_ final_.txt");
    EXPECT_EQ(safeFileName(" a/b\\c*d\"e<f>g|h'i\x01\x1F.txt  "), "a_b_c_d_e_f_g_h_i__.txt");
    EXPECT_EQ(safeFileName("photo \xC3\xA9t\xC3\xA9.jpg"), "photo \xC3\xA9t\xC3\xA9.jpg");
}

TEST(SafeFileName, LengthIsCutWithoutSplittingACharacter)
{
    EXPECT_EQ(safeFileName(std::string(300, 'n')), std::string(254, 'n'));
    EXPECT_EQ(safeFileName(std::string(253, 'n') + "\xC3\xA9" + "tail"), std::string(253, 'n'));
    EXPECT_EQ(safeFileName(std::string(252, 'n') + "\xC3\xA9" + "tail"), std::string(252, 'n') + "\xC3\xA9");
}

TEST(SafeFileName, NamesOfDirectoriesAreNotKept)
{
    EXPECT_EQ(safeFileName(".."), "__");
    EXPECT_EQ(safeFileName("."), "_");
    EXPECT_EQ(safeFileName("../../etc/passwd"), ".._.._etc_passwd");
    EXPECT_EQ(safeFileName(".profile"), ".profile");
    EXPECT_EQ(safeFileName(""), "");
}

TEST(ExtractField, PriorityValuesAsMailersWriteThem)
{
    const auto priorityField = [](std::string_view value) {
        return extractField(0, value, " ", ")\"", "(\"");
    };
    EXPECT_EQ(priorityField("1 (Highest)"), "1");
    EXPECT_EQ(priorityField("3 (Normal)"), "3");
    EXPECT_EQ(priorityField("5"), "5");
    EXPECT_EQ(priorityField("1(Highest)"), "1");
    EXPECT_EQ(priorityField("2 \"High\""), "2");
    EXPECT_EQ(priorityField("(Highest) 1"), "");
    EXPECT_EQ(priorityField("Urgent"), "Urgent");
    EXPECT_EQ(priorityField(""), "");
}

TEST(ExtractField, BracketsHideSeparatorsAndQuotesNeverClose)
{
    EXPECT_EQ(extractField(1, "(Highest) 1", " ", ")\"", "(\""), "1");
    EXPECT_EQ(extractField(1, "((a b) c) d e", " ", ")", "("), "d");
    EXPECT_EQ(extractField(1, "\"q\" 4", " ", ")\"", "(\""), ""); // the second quote opens again
    EXPECT_EQ(extractField(2, "a  b", " ", "", ""), "b");         // separators are not merged
    EXPECT_EQ(extractField(1, "a,b;c", ",;", "", ""), "b");
    EXPECT_EQ(extractField(5, "a b", " ", "", ""), "");
    EXPECT_EQ(extractField(-1, "a b", " ", "", ""), "");
    EXPECT_EQ(extractField(0, "a) b", " ", ")", "("), "a)"); // a closer outside brackets is text
}

TEST(IsIPAddress, DottedDecimalNumbers)
{
    for (const char* yes : {"127.0.0.1", "12", "300.1.1", "0.0.0.0", "192.168.001.010"}) {
        EXPECT_TRUE(isIPAddress(yes)) << yes;
    }
    for (const char* no :
         {"", "1..2", ".1", "1.", "a.b", "-1.2", "+1", "1.2.3.4 ", "mail.example.com", "::1"}) {
        EXPECT_FALSE(isIPAddress(no)) << no;
    }
}

} // namespace
} // namespace vantor::mail::codec
