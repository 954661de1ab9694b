#include "mail/proto/ReplyScanner.h"

#include <gtest/gtest.h>
#include <string>

using vantor::mail::proto::ReplyScanner;
using Rule = ReplyScanner::Rule;

namespace {

// Feeds the reply in pieces of pieceSize bytes and returns the buffer length at which the scanner first
// called the reply complete (0 when it never did).
std::size_t completedAt(ReplyScanner& scanner, const std::string& reply, std::size_t pieceSize)
{
    std::string buffer;
    for (std::size_t at = 0; at < reply.size(); at += pieceSize) {
        buffer += reply.substr(at, pieceSize);
        scanner.scan(buffer);
        if (scanner.isComplete(buffer))
            return buffer.size();
    }
    return 0;
}

} // namespace

TEST(ReplyScannerTest, SuffixIsFoundWhereverThePiecesSplitIt)
{
    const std::string listing = "+OK 2 messages\r\n1 120\r\n2 300\r\n.\r\n";
    for (std::size_t pieceSize : {1U, 2U, 3U, 4U, 5U, 7U, 100U}) {
        ReplyScanner scanner;
        scanner.restart(Rule::Suffix, "\r\n.\r\n");
        EXPECT_EQ(completedAt(scanner, listing, pieceSize), listing.size()) << "pieces of " << pieceSize;
    }
}

TEST(ReplyScannerTest, DotLineInsideAMessageIsNotTheEnd)
{
    ReplyScanner scanner;
    scanner.restart(Rule::Suffix, "\r\n.\r\n");
    EXPECT_EQ(completedAt(scanner, "+OK\r\n..\r\n.x\r\n", 1), 0U);
}

TEST(ReplyScannerTest, WithoutASuffixTheFirstPieceIsTheReply)
{
    ReplyScanner scanner;
    scanner.restart(Rule::Suffix, "");
    EXPECT_EQ(scanner.rule(), Rule::FirstPiece);
    EXPECT_EQ(completedAt(scanner, "+OK half a li", 4), 4U);
}

TEST(ReplyScannerTest, SmtpReplyEndsWithItsFinalLineOnly)
{
    const std::string ehlo = "250-mail.example.org\r\n250-AUTH LOGIN\r\n250-STARTTLS\r\n250 8BITMIME\r\n";
    for (std::size_t pieceSize : {1U, 2U, 13U, 22U, 200U}) {
        ReplyScanner scanner;
        scanner.restart(Rule::SmtpFinalLine);
        EXPECT_EQ(completedAt(scanner, ehlo, pieceSize), ehlo.size()) << "pieces of " << pieceSize;
    }
}

TEST(ReplyScannerTest, SmtpFinalLineForms)
{
    struct Case
    {
        std::string reply;
        bool complete;
    } cases[] = {
        {"250\r\n", true},
        {"220 ready\r\n", true},
        {"250-first\r\n", false},
        {"250-first\r\n250\r\n", true},
        {"250 ok", false},                  // no line break yet
        {"garbage without code\r\n", true}, // ends the wait; judged as a refusal by its code
        {"250-a\r\n250-b\r", false},
    };
    for (const Case& c : cases) {
        ReplyScanner scanner;
        scanner.restart(Rule::SmtpFinalLine);
        scanner.scan(c.reply);
        EXPECT_EQ(scanner.isComplete(c.reply), c.complete) << c.reply;
    }
}

TEST(ReplyScannerTest, StatusLineAppearsOnceItsLineBreakHasArrived)
{
    ReplyScanner scanner;
    scanner.restart(Rule::Suffix, "\r\n.\r\n");
    std::string buffer = "-ERR no such mess";
    scanner.scan(buffer);
    EXPECT_EQ(scanner.statusLine(buffer), "");
    buffer += "age\r";
    scanner.scan(buffer);
    EXPECT_EQ(scanner.statusLine(buffer), "");
    buffer += "\nmore";
    scanner.scan(buffer);
    EXPECT_EQ(scanner.statusLine(buffer), "-ERR no such message\r\n");
}

TEST(ReplyScannerTest, ClearedRuleCompletesWhatHasArrivedAndRestartForgetsIt)
{
    ReplyScanner scanner;
    scanner.restart(Rule::Suffix, "\r\n.\r\n");
    std::string buffer = "+OK\r\npart";
    scanner.scan(buffer);
    EXPECT_FALSE(scanner.isComplete(buffer));
    scanner.clearRule();
    EXPECT_TRUE(scanner.isComplete(buffer));

    scanner.restart(Rule::SmtpFinalLine);
    buffer = "221";
    scanner.scan(buffer);
    EXPECT_EQ(scanner.statusLine(buffer), "");
    EXPECT_FALSE(scanner.isComplete(buffer));
}
