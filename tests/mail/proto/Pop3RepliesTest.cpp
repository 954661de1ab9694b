#include "mail/proto/Pop3Replies.h"

#include <gtest/gtest.h>
#include <string>

using namespace vantor::mail::proto;
using namespace std::string_literals;

TEST(Pop3RepliesTest, OnlyAnExactPlusOkIsAccepted)
{
    EXPECT_TRUE(isPop3Positive("+OK\r\n"));
    EXPECT_TRUE(isPop3Positive("+OK Dovecot ready.\r\n"));
    EXPECT_FALSE(isPop3Positive("+ok\r\n"));
    EXPECT_FALSE(isPop3Positive("-ERR\r\n"));
    EXPECT_FALSE(isPop3Positive("+O"));
    EXPECT_FALSE(isPop3Positive(""));
}

TEST(Pop3RepliesTest, RefusalNeedsACompleteErrStatusLine)
{
    EXPECT_TRUE(isPop3Refusal("-ERR no such message\r\n"));
    EXPECT_TRUE(isPop3Refusal("-ERR\r\n"));
    EXPECT_FALSE(isPop3Refusal("-ERR no such"));
    EXPECT_FALSE(isPop3Refusal("+OK\r\n"));
    EXPECT_FALSE(isPop3Refusal("-err lower case\r\n"));
}

TEST(Pop3RepliesTest, EmptyMailboxListsNothing)
{
    const auto listing = parseListing("+OK 0 messages\r\n.\r\n");
    ASSERT_TRUE(listing);
    EXPECT_EQ(listing->messageCount, 0);
    EXPECT_TRUE(listing->sizes.empty());
}

TEST(Pop3RepliesTest, ListingGivesSizesByNumber)
{
    const auto listing = parseListing("+OK 3 messages (1200 octets)\r\n1 120\r\n2 300\r\n3 780\r\n.\r\n");
    ASSERT_TRUE(listing);
    EXPECT_EQ(listing->messageCount, 3);
    EXPECT_EQ(listing->sizes, (std::vector<std::int32_t>{0, 120, 300, 780}));
}

TEST(Pop3RepliesTest, ListingWithGapsLeavesTheMissingNumbersAtZero)
{
    const auto listing = parseListing("+OK\r\n1 10\r\n2 20\r\n5 50\r\n.\r\n");
    ASSERT_TRUE(listing);
    EXPECT_EQ(listing->messageCount, 5);
    EXPECT_EQ(listing->sizes, (std::vector<std::int32_t>{0, 10, 20, 0, 0, 50}));
}

TEST(Pop3RepliesTest, ListingToleratesLooseLines)
{
    // Bare LF line ends, blanks around the fields, a size that is no number, extra words after a size.
    const auto listing = parseListing("+OK\n  1 10  \n\t2 abc\n3 30 extra\n.\n");
    ASSERT_TRUE(listing);
    EXPECT_EQ(listing->messageCount, 3);
    EXPECT_EQ(listing->sizes, (std::vector<std::int32_t>{0, 10, 0, 0}));
}

TEST(Pop3RepliesTest, ListingLineWithoutANumberIsRefused)
{
    EXPECT_FALSE(parseListing("+OK\r\n1 10\r\nx 20\r\n.\r\n"));
    EXPECT_FALSE(parseListing("+OK\r\n-1 10\r\n.\r\n"));
    EXPECT_FALSE(parseListing("+OK\r\n\r\n.\r\n"));
    // A number that would make the size table enormous.
    EXPECT_FALSE(parseListing("+OK\r\n4000000000 10\r\n.\r\n"));
    EXPECT_FALSE(parseListing("+OK\r\n" + std::to_string(MaxMessageNumber + 1) + " 10\r\n.\r\n"));
}

TEST(Pop3RepliesTest, MultiLineTextDropsStatusAndDotLines)
{
    EXPECT_EQ(multiLineText("+OK 40 octets\r\nSubject: hi\r\n\r\nbody\r\n.\r\n"),
              "Subject: hi\r\n\r\nbody\r\n");
    EXPECT_EQ(multiLineText("+OK\r\n.\r\n"), "");
}

TEST(Pop3RepliesTest, MultiLineTextKeepsFoldedLinesAndMendsLineEnds)
{
    EXPECT_EQ(multiLineText("+OK\r\nSubject: a\r\n\tb\r\nX: 1\rY: 2\nZ: 3\r\n\r\n.\r\n"),
              "Subject: a\r\n\tb\r\nX: 1\r\nY: 2\r\nZ: 3\r\n\r\n");
}

TEST(Pop3RepliesTest, MultiLineTextRemovesDotStuffing)
{
    EXPECT_EQ(multiLineText("+OK\r\n..\r\n...leader\r\n.x\r\nend.\r\n.\r\n"),
              ".\r\n..leader\r\n.x\r\nend.\r\n");
}

TEST(Pop3RepliesTest, MultiLineTextEndsAtANulByte)
{
    EXPECT_EQ(multiLineText("+OK\r\nA\r\nB\0C\r\nD\r\n.\r\n"s), "A\r\nB\r\n");
    EXPECT_EQ(multiLineText("+OK\r\n\0rest\r\n.\r\n"s), "");
}
