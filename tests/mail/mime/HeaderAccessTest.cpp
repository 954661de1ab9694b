#include "mail/mime/MailMessage.h"

#include <gtest/gtest.h>
#include <memory>

using vantor::mail::mime::MailMessage;

namespace {

std::unique_ptr<MailMessage> parsed(const std::string& text)
{
    auto message = std::make_unique<MailMessage>();
    message->fill(text, true);
    return message;
}

} // namespace

TEST(HeaderValue, CutsAtFirstUnquotedSemicolonExceptInFreeTextAndIgnoresNameCase)
{
    MailMessage m;
    m.fill("SUBJECT: Cheap pills; order now\r\nx-Other: \"a;b\" tail; c\r\nKeywords: a; b\r\n"
           "Content-Type: text/plain; charset=utf-8\r\n\r\n",
           true);
    EXPECT_EQ(m.headerValue("Subject"), "Cheap pills; order now");
    EXPECT_EQ(m.headerValue("subject"), "Cheap pills; order now");
    EXPECT_EQ(m.headerValue("Keywords"), "a; b");
    EXPECT_EQ(m.headerValue("X-Other"), "\"a;b\" tail");
    EXPECT_EQ(m.headerValue("Content-Type"), "text/plain");
    m.setSubject("Hi");
    EXPECT_EQ(m.headerValue("Subject"), "Hi");
    EXPECT_EQ(m.headerValue("Missing"), "");
}

TEST(HeaderValue, StripsEnclosingQuotesAndApostrophes)
{
    MailMessage m;
    m.fill("A: \"quoted\"\r\nB: 'single'\r\nC: \"'both'\"\r\nD: ''\r\n\r\n", true);
    EXPECT_EQ(m.headerValue("A"), "quoted");
    EXPECT_EQ(m.headerValue("B"), "single");
    EXPECT_EQ(m.headerValue("C"), "both");
    EXPECT_EQ(m.headerValue("D"), "''"); // two characters are not stripped a second time
}

TEST(HeaderValue, NameWithSpaceBeforeColonIsNotFound)
{
    MailMessage m;
    m.fill("Subject : hello\r\n\r\n", true);
    EXPECT_FALSE(m.hasHeader("Subject"));
    EXPECT_EQ(m.headerValue("Subject"), "");
}

TEST(HeaderValue, OrdinalReachesRepeatedFields)
{
    MailMessage m;
    m.fill("To: a@x\r\nCc: c@x\r\nTo: b@x\r\n\r\n", true);
    EXPECT_EQ(m.headerValue("To", 0), "a@x");
    EXPECT_EQ(m.headerValue("To", 1), "b@x");
    EXPECT_EQ(m.headerValue("To", 2), "");
}

TEST(HeaderParam, ReadsQuotedAndUnquotedParameters)
{
    MailMessage m;
    m.fill("Content-Type: multipart/mixed; charset=us-ascii;\r\n boundary=\"a=b;c\"; Name = 'x.txt'\r\n\r\n",
           true);
    EXPECT_EQ(m.headerParam("Content-Type", "boundary"), "a=b;c");
    EXPECT_EQ(m.headerParam("content-type", "CHARSET"), "us-ascii");
    EXPECT_EQ(m.headerParam("Content-Type", "name"), "x.txt");
    EXPECT_EQ(m.headerParam("Content-Type", "missing"), "");
    EXPECT_TRUE(m.hasHeaderParam("Content-Type", "charset"));
    EXPECT_FALSE(m.hasHeaderParam("Content-Type", "missing"));
}

TEST(HeaderParam, UnquotedValueEndsAtNextEquals)
{
    MailMessage m;
    m.fill("Content-Type: multipart/mixed; boundary=----=_Part_1\r\n\r\n", true);
    EXPECT_EQ(m.headerParam("Content-Type", "boundary"), "----");
}

TEST(SetHeaderValue, ReplacesMainValueKeepingParameters)
{
    MailMessage m;
    m.fill("Content-Type: text/plain; charset=\"utf-8\"\r\n\r\n", true);
    m.setHeaderValue("Content-Type", "  text/html ");
    EXPECT_EQ(m.headerLines().at(0), "Content-Type: text/html; charset=\"utf-8\"");
    m.setHeaderValue("X-New", "1");
    EXPECT_EQ(m.headerLines().back(), "X-New: 1");
    m.setHeaderValue("content-type", "");
    EXPECT_FALSE(m.hasHeader("Content-Type"));
}

TEST(SetHeaderParam, ReplacesOrAppendsAndDropsTrailingSemicolon)
{
    MailMessage m;
    m.setHeaderParam("Content-Type", "boundary", "\"b1\"");
    EXPECT_EQ(m.headerLines().at(0), "Content-Type:; boundary=\"b1\""); // the line is trimmed first
    m.setHeaderValue("Content-Type", "multipart/mixed");
    m.setHeaderParam("Content-Type", "boundary", "\"b2\"");
    m.setHeaderParam("Content-Type", "charset", "x");
    EXPECT_EQ(m.headerLines().at(0), "Content-Type: multipart/mixed; boundary=\"b2\"; charset=x");
    EXPECT_EQ(m.boundary(), "b2");

    MailMessage t;
    t.setHeaderLines({"X-A: v;"});
    t.setHeaderParam("X-A", "p", "1");
    EXPECT_EQ(t.headerLines().at(0), "X-A: v; p=1");
}

TEST(Normalising, CapitalisesNamesAndCollapsesBlanksOutsideQuotes)
{
    const auto m = parsed("MIME-Version: 1.0\r\nmessage-id: <a@b>\r\ncontent-id:  <c>\r\n"
                          "x-priority: 3\r\nSubject:  a   b \"  kept  \"\t\tc\r\n"
                          "X-Open: x  \"unclosed   rest\r\nNoColonLine\r\n\r\n");
    const auto& lines = m->headerLines();
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "Mime-Version: 1.0");
    EXPECT_EQ(lines[1], "Message-ID: <a@b>");
    EXPECT_EQ(lines[2], "Content-ID: <c>");
    EXPECT_EQ(lines[3], "X-Priority: 3");
    EXPECT_EQ(lines[4], "Subject: a b \"  kept  \"\t\tc"); // a run ending in a tab stays
    EXPECT_EQ(lines[5], "X-Open: x \"unclosed   rest");
    EXPECT_EQ(lines[6], "Nocolonline "); // all name, followed by the one space
}

TEST(Unfolding, FoldedFieldIsOneEntryJoinedWithOneSpace)
{
    const auto m = parsed("Subject: first\r\n \t  second\r\n\tthird\r\nFrom: a@b\r\n\r\nbody");
    ASSERT_EQ(m->headerLines().size(), 2u);
    EXPECT_EQ(m->subject(), "first second third");
    EXPECT_EQ(m->encodedBody(), "body");
}

TEST(RawHeader, FoldedFieldsReadWholeButLinesStayRaw)
{
    MailMessage m;
    m.loadRawHeader("From: \"Long Name\"\r\n  <spammer@example.com>\r\nSubject: Buy\r\n\tnow; cheap\r\n"
                    "To: a@x,\r\n b@x\r\nX-Priority: 1\r\n (Highest)\r\nDate: Tue, 05 Feb 2002\r\n"
                    " 10:20:30 +0000\r\n\r\n");
    ASSERT_EQ(m.headerLines().size(), 11u);
    EXPECT_EQ(m.headerLines()[1], "  <spammer@example.com>");
    EXPECT_EQ(m.headerLines().back(), "");
    EXPECT_EQ(m.fromAddress(), "spammer@example.com");
    EXPECT_EQ(m.parseAddressHeader("From").name, "Long Name");
    EXPECT_EQ(m.subject(), "Buy now; cheap");
    EXPECT_EQ(m.toList().allAddresses(), "a@x,b@x");
    EXPECT_EQ(m.priority(), 0);
    EXPECT_TRUE(m.messageDate().has_value());
    EXPECT_FALSE(m.partsStale());
    EXPECT_FALSE(m.bodyStale());
    EXPECT_FALSE(m.structureStale());
}

TEST(RawHeader, RecipientsComeFromEveryFieldOfTheirNameInOrderWithItsOwnFoldedLines)
{
    MailMessage m;
    m.loadRawHeader("to: a@x,\r\n\tb@x\r\nCc: c@x,\r\n d@x\r\nTo-Do: no1@x\r\nX-To: no2@x\r\nTO: e@x\r\n"
                    "To : no3@x\r\nTo:f@x\r\n  , g@x\r\nCC: h@x\r\n\r\n");
    EXPECT_EQ(m.toList().allAddresses(), "a@x,b@x,e@x,f@x,g@x");
    EXPECT_EQ(m.ccList().allAddresses(), "c@x,d@x,h@x");
    EXPECT_EQ(m.headerLines().size(), 12u);
}

TEST(RawHeader, SettingAFoldedFieldReplacesItWhole)
{
    MailMessage m;
    m.loadRawHeader("Subject: one\r\n two\r\nX-A: b\r\n\r\n");
    m.setHeaderValue("Subject", "new");
    ASSERT_EQ(m.headerLines().size(), 3u);
    EXPECT_EQ(m.headerLines()[0], "Subject: new");
    EXPECT_EQ(m.headerLines()[1], "X-A: b");
    m.setHeaderValue("X-A", "");
    EXPECT_EQ(m.headerLines().size(), 2u);
}

TEST(RemoveHeader, RemovesEveryFieldOfThatNameWithContinuations)
{
    MailMessage m;
    m.loadRawHeader("To: a@x\r\n b@x\r\nSubject: s\r\nto: c@x\r\nTo : kept\r\n\r\n");
    m.removeHeader("To");
    const std::vector<std::string> left{"Subject: s", "To : kept", ""};
    EXPECT_EQ(m.headerLines(), left);
}
