#include "records/RecordFormat.h"

#include "base/TextLines.h"

#include <gtest/gtest.h>

namespace vantor::records {
namespace {

using Values = std::vector<std::string>;

Values roundTrip(const Values& values)
{
    return parseRecord(formatRecord(values), values.size());
}

TEST(RecordFormat, PlainValuesAreWrittenBareAndTrimmed)
{
    EXPECT_EQ(formatRecord({" a@b.c ", "\tHello\r\n", "Home", "01/02/2026 10:20:30"}),
              "a@b.c,Hello,Home,01/02/2026 10:20:30");
}

TEST(RecordFormat, CommasAndQuotesSurviveTheRoundTrip)
{
    const Values values{"x@y.z", "Cheap, \"fast\" and, \"good\"", "\"quoted\"", "end\""};
    EXPECT_EQ(formatRecord(values),
              "x@y.z,\"Cheap, \"\"fast\"\" and, \"\"good\"\"\",\"\"\"quoted\"\"\",\"end\"\"\"");
    EXPECT_EQ(roundTrip(values), values);
}

TEST(RecordFormat, SubjectBeginningWithAQuoteKeepsTheLaterFields)
{
    // Stored bare, such a subject would swallow the account and the date when read back.
    const Values values{"a@b.c", "\"Win now", "Home", "01/02/2026 10:20:30"};
    EXPECT_EQ(roundTrip(values), values);
}

TEST(RecordFormat, EmptyTrailingFieldsAreLeftOffAndReadBackEmpty)
{
    EXPECT_EQ(formatRecord({"a@b.c", "Hi", "", ""}), "a@b.c,Hi");
    EXPECT_EQ(formatRecord({"a@b.c", "", "Home", ""}), "a@b.c,,Home");
    EXPECT_EQ(formatRecord({"", "", "", ""}), "");
    EXPECT_EQ(parseRecord("a@b.c,Hi", 4), (Values{"a@b.c", "Hi", "", ""}));
    EXPECT_EQ(parseRecord("", 4), (Values{"", "", "", ""}));
}

TEST(RecordFormat, LineBreakInsideAValueDoesNotSplitTheRecord)
{
    const std::string line = formatRecord({"a@b.c", "one\r\ntwo", "Home", "d"});
    EXPECT_EQ(base::splitLines(line).size(), 1u);
    EXPECT_EQ(parseRecord(line, 4), (Values{"a@b.c", "one  two", "Home", "d"}));
}

TEST(RecordFormat, ReadsLinesWrittenBeforeQuotesWereDoubled)
{
    // Quoted only for the comma, inner quotes as they were.
    EXPECT_EQ(parseRecord("a@b.c,\"Say \"hi\" now, ok\",Home,d", 4),
              (Values{"a@b.c", "Say \"hi\" now, ok", "Home", "d"}));
    // A bare subject that began with a quote runs to the end of the line, quote included.
    EXPECT_EQ(parseRecord("a@b.c,\"Win now,Home,d", 4), (Values{"a@b.c", "\"Win now,Home,d", "", ""}));
    // A bare value with a quote inside stays as it is.
    EXPECT_EQ(parseRecord("a@b.c,He said \"no\",Home,d", 4),
              (Values{"a@b.c", "He said \"no\"", "Home", "d"}));
}

TEST(RecordFormat, ReaderSkipsBlanksAndControlsBeforeEachValue)
{
    EXPECT_EQ(parseRecord("  a@b.c,\t\"x, y\",  Home", 3), (Values{"a@b.c", "x, y", "Home"}));
    // A quote closes only before a delimiter or the end of the line.
    EXPECT_EQ(parseRecord("a,\"x\" y,b", 3), (Values{"a", "\"x\" y,b", ""}));
}

} // namespace
} // namespace vantor::records
