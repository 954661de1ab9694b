#include "mail/codec/MailDate.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace vantor::mail::codec {
namespace {

using std::chrono::minutes;

LocalTime at(int y, unsigned m, unsigned d, int hh = 0, int mm = 0, int ss = 0)
{
    return LocalTime{std::chrono::local_days{std::chrono::year{y} / m / d}} + std::chrono::hours{hh} +
           minutes{mm} + std::chrono::seconds{ss};
}

// Sets the process time zone for one test (POSIX TZ strings need no zone database) and restores it.
class ScopedTimeZone
{
public:
    explicit ScopedTimeZone(const char* zone)
    {
        if (const char* old = std::getenv("TZ")) {
            m_old = old;
        }
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~ScopedTimeZone()
    {
        if (m_old) {
            ::setenv("TZ", m_old->c_str(), 1);
        } else {
            ::unsetenv("TZ");
        }
        ::tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    std::optional<std::string> m_old;
};

struct DateCase
{
    const char* text;
    std::optional<LocalTime> utc; // the result at local offset 0
};

// Date fields as written by real mailers, and how they read on a machine at UTC.
const DateCase kRealWorldDates[] = {
    {"Tue, 05 Feb 2002 10:20:30 +0100", at(2002, 2, 5, 9, 20, 30)},
    {"Mon, 17 Jun 2002 20:02:30 GMT", at(2002, 6, 17, 20, 2, 30)},
    {"14 Apr 2002 00:27:57 -0000", at(2002, 4, 14, 0, 27, 57)},
    {"Thu, 22 Aug 2019 23:30:00 -0500 (CDT)", at(2019, 8, 23, 4, 30, 0)},
    {"Wed, 09 Oct 2019 08:15 +0200", at(2019, 10, 9, 6, 15, 0)},
    {"Sat, 31 Dec 2022 23:59:59 -0130", at(2023, 1, 1, 1, 29, 59)},
    {"Fri, 13 Sep 2024 06:00:00 +0530", at(2024, 9, 13, 0, 30, 0)},
    {"Sun, 29 Feb 2004 12:00:00 EST", at(2004, 2, 29, 17, 0, 0)},
    {"Tue, 8 Oct 91 10:25:36 EDT", at(1991, 10, 8, 14, 25, 36)},
    {"Wed,  4 Sep 2002 10:20:30  +0100", at(2002, 9, 4, 9, 20, 30)}, // padded as a raw header keeps it
    {"Thu, 13 Jun 1996 23:30:14 pdt", at(1996, 6, 14, 6, 30, 14)},
    {"Mon, 1 Jan 2001 10:00:00 Z", at(2001, 1, 1, 10, 0, 0)},
    {"Mon, 1 Jan 2001 10:00:00 XYZ", at(2001, 1, 1, 10, 0, 0)}, // unknown names read as UTC
    {"Tue, 5 Feb 2002 10:20:30 UT", at(2002, 2, 5, 10, 20, 30)},
    {"05/02/2002 10:20:30 +0000", at(2002, 2, 5, 10, 20, 30)},
    {"Thu, 01 Jan 98 00:00:00 +0000", at(1998, 1, 1)},
    {"Thu, 01 Jan 99 00:00:00 +0000", at(1999, 1, 1)},
    {"Thu, 01 Jan 49 00:00:00 +0000", at(2049, 1, 1)},
    {"Thu, 01 Jan 50 00:00:00 +0000", at(1950, 1, 1)},
};

TEST(ParseMailDate, RealWorldDatesAtUtc)
{
    for (const DateCase& c : kRealWorldDates) {
        EXPECT_EQ(parseMailDate(c.text, minutes{0}), c.utc) << c.text;
    }
}

TEST(ParseMailDate, ResultIsInTheLocalZoneGiven)
{
    EXPECT_EQ(parseMailDate("Tue, 05 Feb 2002 10:20:30 +0100", minutes{60}), at(2002, 2, 5, 10, 20, 30));
    EXPECT_EQ(parseMailDate("Tue, 05 Feb 2002 10:20:30 GMT", minutes{-300}), at(2002, 2, 5, 5, 20, 30));
}

TEST(ParseMailDate, TimeWithoutSecondsStillFindsTheZone)
{
    EXPECT_EQ(parseMailDate("1 Mar 2020 10:20 -0700", minutes{0}), at(2020, 3, 1, 17, 20));
}

TEST(ParseMailDate, MonthNamesAreCaseSensitiveAndUnknownOnesReadAsJanuary)
{
    EXPECT_EQ(parseMailDate("05 feb 2002 10:00:00 GMT", minutes{0}), at(2002, 1, 5, 10));
    EXPECT_EQ(parseMailDate("05 Foo 2002 10:00:00 GMT", minutes{0}), at(2002, 1, 5, 10));
    EXPECT_EQ(parseMailDate("05 Dec 2002 10:00:00 GMT", minutes{0}), at(2002, 12, 5, 10));
    EXPECT_EQ(parseMailDate("05 12 2002 10:00:00 GMT", minutes{0}), at(2002, 12, 5, 10));
}

TEST(ParseMailDate, TimeFieldsRunOverWithoutRangeCheck)
{
    EXPECT_EQ(parseMailDate("31 Dec 2002 25:61:70 GMT", minutes{0}), at(2003, 1, 1, 2, 2, 10));
    EXPECT_EQ(parseMailDate("01 Jan 2003 xx:10:00 GMT", minutes{0}), at(2003, 1, 1, 0, 10));
}

TEST(ParseMailDate, UnreadableDatesGiveNoDate)
{
    const char* texts[] = {
        "",
        "   ",
        "not a date",
        "32 Foo 99999 99:99:99 +9999",
        "00 Jan 2002 10:00:00 GMT",
        "29 Feb 2003 10:00:00 GMT",
        "05 13 2002 10:00:00 GMT",
        "05 0 2002 10:00:00 GMT",
        "05 Feb 10000 10:00:00 GMT",
        "05 Feb 2002 10:00:00 +0075",
        "05 Feb 2002 10:00:00 +2400",
        "05 Feb 2002 10:00:00 +-100",
    };
    for (const char* text : texts) {
        EXPECT_EQ(parseMailDate(text, minutes{0}), std::nullopt) << text;
    }
}

TEST(ParseMailDate, HostileNumbersDoNotOverflow)
{
    EXPECT_EQ(parseMailDate("01 Jan 2000 2147483647:2147483647:2147483647 GMT", minutes{0}),
              at(2000, 1, 1) + std::chrono::hours{2147483647LL} + minutes{2147483647LL} +
                  std::chrono::seconds{2147483647LL});
    EXPECT_EQ(parseMailDate("01 Jan 2000 99999999999:00:00 GMT", minutes{0}), at(2000, 1, 1));
    EXPECT_EQ(parseMailDate(std::string(1 << 20, '1'), minutes{0}), std::nullopt);
}

TEST(FormatMailDate, ShapeAndZone)
{
    EXPECT_EQ(formatMailDate(at(2002, 2, 5, 10, 20, 30), minutes{60}), "Tue, 05 Feb 2002 10:20:30 +0100");
    EXPECT_EQ(formatMailDate(at(2024, 9, 1, 0, 0, 5), minutes{-330}), "Sun, 01 Sep 2024 00:00:05 -0530");
    EXPECT_EQ(formatMailDate(at(1999, 12, 31, 23, 59, 59), minutes{0}), "Fri, 31 Dec 1999 23:59:59 GMT");
}

TEST(FormatMailDate, WrittenDateReadsBack)
{
    const LocalTime d = at(2021, 7, 4, 18, 45, 9);
    for (const int offset : {0, 60, -240, 345}) {
        EXPECT_EQ(parseMailDate(formatMailDate(d, minutes{offset}), minutes{offset}), d) << offset;
    }
}

TEST(LocalZone, FollowsTheSystemTimeZone)
{
    {
        const ScopedTimeZone zone("UTC0");
        EXPECT_EQ(localZoneOffset(), minutes{0});
        EXPECT_TRUE(formatMailDate(at(2002, 2, 5)).ends_with(" GMT"));
    }
    {
        const ScopedTimeZone zone("XXX-1");
        EXPECT_EQ(localZoneOffset(), minutes{60});
        EXPECT_EQ(formatMailDate(at(2002, 2, 5, 10, 20, 30)), "Tue, 05 Feb 2002 10:20:30 +0100");
        EXPECT_EQ(parseMailDate("Tue, 05 Feb 2002 10:20:30 GMT"), at(2002, 2, 5, 11, 20, 30));
    }
    {
        const ScopedTimeZone zone("YYY+5:30");
        EXPECT_EQ(localZoneOffset(), minutes{-330});
    }
}

TEST(DateTexts, ListAndCompactForms)
{
    EXPECT_EQ(formatListDateTime(at(2002, 2, 5, 9, 8, 7)), "05/02/2002 09:08:07");
    EXPECT_EQ(formatListDateTime(std::nullopt), "30/12/1899 00:00:00");
    EXPECT_EQ(formatCompactDateTime(at(2002, 2, 5, 9, 8, 7)), "20020205090807");
}

} // namespace
} // namespace vantor::mail::codec
