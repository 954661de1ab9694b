#include "support/TempHome.h"
#include "storage/IniFile.h"

#include <gtest/gtest.h>

using vantor::test::TempHome;

using vantor::storage::IniConversionError;
using vantor::storage::IniFile;

namespace {

using Lines = std::vector<std::string>;

class IniFileRead : public ::testing::Test
{
protected:
    IniFile load(const std::string& text) { return IniFile(m_dir.write("a.ini", text)); }

    TempHome m_dir;
};

TEST_F(IniFileRead, KeysAndValuesAreTakenAsWrittenWithoutTrimmingOrUnquoting)
{
    const IniFile ini = load("[A]\nk = v\nq=\"quoted\"\nempty=\n;comment=x\n;plain comment\n=nokey\n");
    EXPECT_EQ(ini.readString("A", "k", "def"), "def");
    EXPECT_EQ(ini.readString("A", "k ", "def"), " v");
    EXPECT_EQ(ini.readString("A", "q", ""), "\"quoted\"");
    EXPECT_EQ(ini.readString("A", "empty", "def"), "");
    EXPECT_EQ(ini.readString("A", ";comment", ""), "x");
    EXPECT_EQ(ini.readString("A", ";plain comment", "def"), "def");
    EXPECT_EQ(ini.readString("A", "", "def"), "nokey");
    EXPECT_EQ(ini.readSection("A"), (Lines{"k ", "q", "empty", ";comment"}));
    EXPECT_EQ(ini.readSectionValues("A").size(), 6u);
    EXPECT_EQ(ini.readString("Missing", "k", "def"), "def");
    EXPECT_FALSE(ini.isModified());
}

TEST_F(IniFileRead, NamesCompareWithoutCaseAndTheFirstOfTwoKeysWins)
{
    const IniFile ini = load("[Sec]\nKey=first\nkey=second\nv=a=b\nAb=1\nbB=2\n[Other]\nKey=other\n");
    EXPECT_EQ(ini.readString("sEC", "KEY", ""), "first");
    // Same length and last letter, other first letter.
    EXPECT_EQ(ini.readString("Sec", "BB", ""), "2");
    EXPECT_EQ(ini.readString("Sec", "cb", "def"), "def");
    EXPECT_EQ(ini.readString("Sec", "v", ""), "a=b");
    EXPECT_EQ(ini.readString("Sec", "v=a", "def"), "def");
    EXPECT_EQ(ini.readString("other", "key", ""), "other");
    EXPECT_EQ(ini.readString("Sec", "Key", ""), "first");
    EXPECT_TRUE(ini.sectionExists("OTHER"));
    EXPECT_EQ(ini.readSections(), (Lines{"Sec", "Other"}));
    EXPECT_TRUE(ini.readSection("none").empty());
}

TEST_F(IniFileRead, ReadStringCutsTo255WhileReadAnsiStringDoesNot)
{
    IniFile ini("");
    const std::string value(300, 'v');
    ini.writeAnsiString("A", "k", value);
    EXPECT_EQ(ini.readAnsiString("A", "k", ""), value);
    EXPECT_EQ(ini.readString("A", "k", ""), value.substr(0, 255));
}

TEST_F(IniFileRead, IntegersInDecimalAndHexadecimalForms)
{
    const IniFile ini = load("[N]\nhex0x=0x1F\nhexX=0X1f\ndollar=$1F\nlead= 31\ntrail=31 \nneg=-12\npos=+7\n"
                             "negHex=-$10\nwrap=$FFFFFFFF\nbig=2147483648\nmin=-2147483648\nempty=\n"
                             "text=abc\nlate0x= 0x1F\n");
    for (const char* key : {"hex0x", "hexX", "dollar", "lead"})
        EXPECT_EQ(ini.readInteger("N", key, -1), 31) << key;
    EXPECT_EQ(ini.readInteger("N", "trail", -1), -1);
    EXPECT_EQ(ini.readInteger("N", "neg", 0), -12);
    EXPECT_EQ(ini.readInteger("N", "pos", 0), 7);
    EXPECT_EQ(ini.readInteger("N", "negHex", 0), -16);
    EXPECT_EQ(ini.readInteger("N", "wrap", 0), -1);
    EXPECT_EQ(ini.readInteger("N", "big", 5), 5);
    EXPECT_EQ(ini.readInteger("N", "min", 5), -2147483647 - 1);
    for (const char* key : {"empty", "text", "late0x", "missing"})
        EXPECT_EQ(ini.readInteger("N", key, 42), 42) << key;
}

TEST_F(IniFileRead, BooleansAreNonZeroIntegers)
{
    const IniFile ini = load("[B]\none=1\nzero=0\ntwo=2\ntext=yes\n");
    EXPECT_TRUE(ini.readBool("B", "one", false));
    EXPECT_FALSE(ini.readBool("B", "zero", true));
    EXPECT_TRUE(ini.readBool("B", "two", false));
    EXPECT_TRUE(ini.readBool("B", "text", true));
    EXPECT_FALSE(ini.readBool("B", "text", false));
    EXPECT_TRUE(ini.readBool("B", "missing", true));
}

TEST_F(IniFileRead, HexIntegersRaiseOnAnythingButHexDigits)
{
    const IniFile ini =
        load("[C]\nred=FF0000\npadded=000000ff\nempty=\ntext=blue\ntoolong=1FFFFFFFF\nprefixed=$FF\n");
    EXPECT_EQ(ini.readHexInteger("C", "missing", 0x00FFF0BE), 0x00FFF0BEu);
    EXPECT_EQ(ini.readHexInteger("C", "red", 0), 16711680u);
    EXPECT_EQ(ini.readHexInteger("C", "padded", 0), 255u);
    try {
        ini.readHexInteger("C", "empty", 7);
        FAIL() << "empty value converted";
    } catch (const IniConversionError& error) {
        EXPECT_STREQ(error.what(), "'$' is not a valid integer value");
    }
    for (const char* key : {"text", "toolong", "prefixed"})
        EXPECT_THROW(ini.readHexInteger("C", key, 0), IniConversionError) << key;
}

} // namespace
