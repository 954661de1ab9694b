#include "mail/proto/SmtpReplies.h"

#include <gtest/gtest.h>

using namespace vantor::mail::proto;

TEST(SmtpRepliesTest, ContinuationLinesAreTheOnlyOnesThatAreNotFinal)
{
    EXPECT_TRUE(isSmtpFinalLine("250"));
    EXPECT_TRUE(isSmtpFinalLine("250 OK"));
    EXPECT_TRUE(isSmtpFinalLine("hello"));
    EXPECT_TRUE(isSmtpFinalLine(""));
    EXPECT_FALSE(isSmtpFinalLine("250-PIPELINING"));
    EXPECT_FALSE(isSmtpFinalLine("250-"));
}

TEST(SmtpRepliesTest, ReplyCodeIsItsFirstThreeBytes)
{
    EXPECT_TRUE(smtpReplyHasCode("250 OK\r\n", "250"));
    EXPECT_TRUE(smtpReplyHasCode("250-x\r\n250 y\r\n", "250"));
    EXPECT_FALSE(smtpReplyHasCode("251 OK\r\n", "250"));
    EXPECT_FALSE(smtpReplyHasCode("25", "250"));
    EXPECT_FALSE(smtpReplyHasCode("", ""));
}

TEST(SmtpRepliesTest, PermanentFailurePieceIsRefusedAtOnce)
{
    EXPECT_TRUE(isSmtpRefusalPiece("550 no such user\r\n"));
    EXPECT_TRUE(isSmtpRefusalPiece("554-first line\r\n"));
    EXPECT_TRUE(isSmtpRefusalPiece("500\r\n"));
    EXPECT_FALSE(isSmtpRefusalPiece("499 no\r\n"));
    EXPECT_FALSE(isSmtpRefusalPiece("450 try later\r\n"));
    EXPECT_FALSE(isSmtpRefusalPiece("550 without line end"));
    EXPECT_FALSE(isSmtpRefusalPiece("5x0 odd\r\n"));
}

TEST(SmtpRepliesTest, DataBlockDoublesLeadingDots)
{
    EXPECT_EQ(smtpDataBlock("Subject: s\r\n\r\n.\r\n..two\r\nmid.dot\r\n"),
              "Subject: s\r\n\r\n..\r\n...two\r\nmid.dot\r\n.\r\n");
    EXPECT_EQ(smtpDataBlock(".first line\r\n"), "..first line\r\n.\r\n");
}

TEST(SmtpRepliesTest, DataBlockGuardsBareLineFeeds)
{
    // A receiver that splits lines at LF must not take "\n.\r\n" for the end of the data.
    EXPECT_EQ(smtpDataBlock("a\n.\r\nb\r\n"), "a\n..\r\nb\r\n.\r\n");
}

TEST(SmtpRepliesTest, DataBlockAddsALineBreakOnlyWhenMissing)
{
    EXPECT_EQ(smtpDataBlock("body\r\n"), "body\r\n.\r\n");
    EXPECT_EQ(smtpDataBlock("body"), "body\r\n.\r\n");
}
