#include "mail/mime/MailMessage.h"

#include "mail/codec/MailDate.h"

#include <chrono>
#include <gtest/gtest.h>
#include <stdexcept>

using vantor::mail::mime::MailMessage;
using vantor::mail::mime::MimePart;
namespace codec = vantor::mail::codec;

TEST(Addresses, DisplayNameFormsGiveTheSameNameAndAddress)
{
    for (const char* from :
         {"From: John Doe <jd@example.com>", "From: \"John Doe\" <jd@example.com>",
          "From: jd@example.com (John Doe)", "From: =?iso-8859-1?Q?John_Doe?= <jd@example.com>"}) {
        MailMessage m;
        m.fill(std::string(from) + "\r\n\r\n", true);
        const auto parsed = m.parseAddressHeader("From");
        EXPECT_EQ(parsed.name, "John Doe") << from;
        EXPECT_EQ(parsed.address, "jd@example.com") << from;
        EXPECT_EQ(m.fromAddress(), "jd@example.com") << from;
    }
    MailMessage bare;
    bare.fill("From:   lone@example.com  \r\n\r\n", true);
    EXPECT_EQ(bare.parseAddressHeader("From").name, "");
    EXPECT_EQ(bare.fromAddress(), "lone@example.com");
}

TEST(Addresses, CommentsGroupsAndEncodedNamesReadAsPeopleSeeThem)
{
    struct Case
    {
        const char* from;
        const char* name;
        const char* address;
    };
    const Case cases[] = {
        {"Jason Lee (=?GB2312?Q?=C0=EE=D5=B9=B7=E6?=) <Jason_Lee@quantatw.com>", "Jason Lee",
         "Jason_Lee@quantatw.com"},
        {"jl@example.com (=?GB2312?Q?=C0=EE=D5=B9=B7=E6?=)", "李展锋", "jl@example.com"},
        {"\"=?utf-8?Q?Doe=2C_J=C3=BCrgen?=\" <jd@example.com>", "Doe, Jürgen", "jd@example.com"},
        {"\"John \\\"JJ\\\" Doe, Jr.\" <jj@example.com>", "John \"JJ\" Doe, Jr.", "jj@example.com"},
        {"=?UTF-16?B?//492Enc?= test", "", "👉 test"},
        {"<info@xn--bcher-kva.example>", "", "info@xn--bcher-kva.example"},
        {"undisclosed-recipients:;", "", ""},
    };
    for (const Case& c : cases) {
        MailMessage m;
        m.fill(std::string("From: ") + c.from + "\r\n\r\n", true);
        EXPECT_EQ(m.parseAddressHeader("From").name, c.name) << c.from;
        EXPECT_EQ(m.fromAddress(), c.address) << c.from;
    }
    MailMessage list;
    list.fill("To: undisclosed-recipients:;\r\nCc: Team: a@x, \"Doe, J\" <j@x> (boss), b@x (Bee)\r\n\r\n",
              true);
    EXPECT_EQ(list.toList().count(), 0);
    EXPECT_EQ(list.ccList().allAddresses(), "a@x,j@x,b@x");
    EXPECT_EQ(list.ccList().recipientNames(), (std::vector<std::string>{"", "Doe, J", "Bee"}));
}

TEST(Addresses, SetFromQuotesAnEncodedNameOrRemovesTheField)
{
    MailMessage m;
    m.setFrom("Jane Roe", "jr@example.com");
    EXPECT_EQ(m.headerLines().at(0), "From: \"=?utf-8?Q?Jane=20Roe?=\" <jr@example.com>");
    EXPECT_EQ(m.parseAddressHeader("From").name, "Jane Roe");
    m.setFrom("", "jr@example.com");
    EXPECT_EQ(m.headerValue("From"), "<jr@example.com>");
    m.setFrom("Jane", "");
    EXPECT_FALSE(m.hasHeader("From"));
}

TEST(Subject, DecodesEncodedWordsAndWritesThem)
{
    MailMessage m;
    m.fill("Subject: =?utf-8?B?SGVsbG8gV29ybGQ=?= and =?utf-8?Q?a_b?=\r\n\r\n", true);
    EXPECT_EQ(m.subject(), "Hello World and a b");
    m.setSubject("plain");
    EXPECT_EQ(m.headerValue("Subject"), "plain");
    m.setSubject("two words");
    EXPECT_EQ(m.headerValue("Subject"), "=?utf-8?Q?two=20words?=");
    EXPECT_EQ(m.subject(), "two words");
}

TEST(Subject, RawEightBitTextReadsInTheMessageCharset)
{
    MailMessage big5;
    big5.fill(
        "Content-Type: text/plain; charset=big5\r\nSubject: \xAD\xAB\xADn =?utf-8?Q?=E8=A8=8A?=\r\n\r\n",
        true);
    EXPECT_EQ(big5.subject(), "重要 訊");
    MailMessage utf8;
    utf8.fill("Content-Type: text/plain; charset=iso-8859-1\r\nSubject: Caf\xC3\xA9\r\n\r\n", true);
    EXPECT_EQ(utf8.subject(), "Café"); // well-formed UTF-8 is kept whatever the body's charset
}

TEST(Priority, FirstFieldAsNumberMinusOneWithoutRangeCheck)
{
    const std::pair<const char*, int> cases[] = {{"1 (Highest)", 0}, {"5", 4}, {"9", 8}, {"high", 2},
                                                 {"(1) 3", 2},       {"", 2},  {"3", 2}};
    for (const auto& [value, expected] : cases) {
        MailMessage m;
        m.fill(std::string("X-Priority: ") + value + "\r\n\r\n", true);
        EXPECT_EQ(m.priority(), expected) << value;
    }
    MailMessage none;
    EXPECT_EQ(none.priority(), 2);
    none.setPriority(0);
    EXPECT_EQ(none.headerValue("X-Priority"), "1");
}

TEST(MessageDate, ReadsAsLocalTimeAndIsEmptyWhenUnreadable)
{
    using namespace std::chrono;
    MailMessage m;
    m.fill("Date:  Tue, 05 Feb 2002 10:20:30 +0000 \r\n\r\n", true);
    const auto date = m.messageDate();
    ASSERT_TRUE(date.has_value());
    const auto expected =
        local_days{year{2002} / 2 / 5} + hours{10} + minutes{20} + seconds{30} + codec::localZoneOffset();
    EXPECT_EQ(*date, expected);

    MailMessage lower;
    lower.fill("Date: 05 feb 2002 10:20:30 +0000\r\n\r\n", true);
    ASSERT_TRUE(lower.messageDate().has_value());
    EXPECT_EQ(year_month_day(floor<days>(*lower.messageDate())).month(),
              January); // unknown month reads as January

    for (const char* bad : {"", "garbage", "32 Jan 2002 10:00:00 +0000", "1 Jan 2002 10:00:00 +0075"}) {
        MailMessage b;
        b.fill(std::string("Date: ") + bad + "\r\n\r\n", true);
        EXPECT_FALSE(b.messageDate().has_value()) << bad;
    }
    MailMessage written;
    written.setMessageDate(expected);
    EXPECT_EQ(written.messageDate(), expected);
}

TEST(Recipients, TwoToFieldsListAllInOrder)
{
    MailMessage m;
    m.fill("To: \"A\" <a@x>, b@x (Bee)\r\nCc: c@x\r\nTo: D <d@x>,\r\n\r\n", true);
    EXPECT_EQ(m.toList().count(), 3);
    EXPECT_EQ(m.toList().allAddresses(), "a@x,b@x,d@x");
    const std::vector<std::string> names{"A", "Bee", "D"};
    EXPECT_EQ(m.toList().recipientNames(), names);
    EXPECT_EQ(m.ccList().allAddresses(), "c@x");
    EXPECT_EQ(m.bccList().count(), 0);
}

TEST(Recipients, SemicolonEndsTheValueAndOddAddressesAreQuoted)
{
    MailMessage m;
    m.fill("To: a@x; b@x\r\nCc: <odd address@x>, \"q\"\"@x\"\r\n\r\n", true);
    EXPECT_EQ(m.toList().allAddresses(), "a@x");
    EXPECT_EQ(m.ccList().recipientAddresses().at(0), "oddaddress@x"); // blanks inside brackets are dropped
    MailMessage q;
    q.setHeaderLines({"To: one two"});
    EXPECT_EQ(q.toList().allAddresses(), "\"one two\"");
}

TEST(Recipients, AddRecipientRewritesOneFieldAndFollowsHeaderChanges)
{
    MailMessage m;
    m.fill("To: a@x\r\nTo: b@x\r\n\r\n", true);
    m.toList().addRecipient("Cee Dee", "c@x");
    ASSERT_EQ(m.headerLines().size(), 1u);
    EXPECT_EQ(m.headerLines()[0], "To: <a@x>, <b@x>, \"=?utf-8?Q?Cee=20Dee?=\" <c@x>");
    EXPECT_EQ(m.toList().recipientNames().at(2), "Cee Dee");
    m.setHeaderValue("To", "z@x");
    EXPECT_EQ(m.toList().allAddresses(), "z@x");
}

TEST(FileName, FirstNamingFieldDecodedAndMadeSafe)
{
    MailMessage m;
    m.fill(
        "Content-Type: multipart/mixed; boundary=b\r\n\r\n"
        "--b\r\nContent-Type: image/png; name=\"=?utf-8?Q?a:b?.png?=\"\r\n\r\nx\r\n"
        "--b\r\nContent-Type: text/plain\r\nContent-Disposition: attachment; filename=\"notes\"\r\n\r\nx\r\n"
        "--b\r\nContent-ID: <img1@host>\r\nContent-Type: image/gif\r\n\r\nx\r\n"
        "--b\r\nContent-Type: application/pdf\r\n\r\nx\r\n"
        "--b\r\n\r\nx\r\n--b--\r\n",
        true);
    ASSERT_EQ(m.subParts().size(), 5u);
    EXPECT_EQ(m.subParts()[0]->fileName(), "a_b_.png");
    EXPECT_EQ(m.subParts()[1]->fileName(), "notes.txt");
    EXPECT_EQ(m.subParts()[2]->fileName(), "_img1@host_.gif");
    EXPECT_EQ(m.subParts()[3]->fileName(), "application_pdf.pdf");
    EXPECT_EQ(m.subParts()[4]->fileName(), "unknown");
}

TEST(FindParts, PlainMessageWithoutContentTypeIsTheTextBody)
{
    MailMessage m;
    m.fill("Subject: s\r\n\r\nline one\r\nline two\r\n", true);
    EXPECT_EQ(m.textPlainPart(), &m);
    const std::vector<std::string> lines{"line one", "line two"};
    EXPECT_EQ(m.textPlain(), lines);
    EXPECT_TRUE(m.attachments().empty());
    EXPECT_FALSE(m.partsStale());
}

TEST(FindParts, AlternativeRelatedAndAttachments)
{
    MailMessage m;
    m.fill("Content-Type: multipart/mixed; boundary=m\r\n\r\n"
           "--m\r\nContent-Type: multipart/related; boundary=r\r\n\r\n"
           "--r\r\nContent-Type: multipart/alternative; boundary=a\r\n\r\n"
           "--a\r\nContent-Type: text/plain\r\n\r\nplain\r\n--a\r\nContent-Type: "
           "text/html\r\n\r\n<b>h</b>\r\n--a--\r\n"
           "--r\r\nContent-Type: image/png\r\nContent-ID: <i>\r\n\r\nPNG\r\n--r--\r\n"
           "--m\r\nContent-Type: text/plain\r\n\r\nsecond text is an attachment\r\n"
           "--m\r\nContent-Type: text/plain\r\n\r\n\r\n--m--\r\n",
           true);
    const MimePart& related = *m.subParts()[0];
    const MimePart& alternative = *related.subParts()[0];
    EXPECT_EQ(m.mixedPart(), &m);
    EXPECT_EQ(m.relatedPart(), &related);
    EXPECT_EQ(m.alternativePart(), &alternative);
    EXPECT_EQ(m.textPlainPart(), alternative.subParts()[0].get());
    EXPECT_EQ(m.textHtmlPart(), alternative.subParts()[1].get());
    EXPECT_EQ(m.textHtml().at(0), "<b>h</b>");
    ASSERT_EQ(m.attachments().size(), 3u);
    EXPECT_TRUE(m.attachments()[0]->isEmbedded());
    EXPECT_FALSE(m.attachments()[1]->isEmbedded());
    EXPECT_EQ(m.attachments()[2]->decodedBody(), ""); // an empty text part is listed as an attachment
}

TEST(FindParts, TextAttachmentBeforeBodyIsTakenAsTheBody)
{
    MailMessage m;
    m.fill("Content-Type: multipart/mixed; boundary=m\r\n\r\n"
           "--m\r\nContent-Type: text/plain; name=\"notes.txt\"\r\nContent-Disposition: "
           "attachment\r\n\r\nnotes\r\n"
           "--m\r\nContent-Type: text/plain\r\n\r\nreal body\r\n--m--\r\n",
           true);
    EXPECT_EQ(m.textPlain().at(0), "notes");
    ASSERT_EQ(m.attachments().size(), 1u);
    EXPECT_TRUE(m.attachments()[0]->decode());
    EXPECT_EQ(m.attachments()[0]->decodedBody(), "real body");
}

TEST(FindParts, LocatesAgainAfterEveryFillAndForgetsOldParts)
{
    MailMessage m;
    m.fill("Content-Type: multipart/mixed; boundary=m\r\n\r\n--m\r\nContent-Type: "
           "image/gif\r\n\r\nG\r\n--m--\r\n",
           true);
    ASSERT_EQ(m.attachments().size(), 1u);
    m.subParts()[0]->fill("Content-Type: text/plain\r\n\r\nnow text", true);
    EXPECT_TRUE(m.partsStale());
    EXPECT_EQ(m.textPlain().at(0), "now text");
    m.fill("Subject: x\r\n\r\nplain again\r\n", true);
    EXPECT_TRUE(m.attachments().empty());
    EXPECT_EQ(m.textPlainPart(), &m);
}

TEST(Reset, EmptiesEverything)
{
    MailMessage m;
    m.fill("Content-Type: multipart/mixed; boundary=m\r\n\r\n--m\r\nContent-Type: "
           "image/gif\r\n\r\nG\r\n--m--\r\n",
           true);
    m.reset();
    EXPECT_TRUE(m.headerLines().empty());
    EXPECT_TRUE(m.subParts().empty());
    EXPECT_TRUE(m.attachments().empty());
    EXPECT_TRUE(m.encodedBody().empty());
    EXPECT_EQ(m.mixedPart(), nullptr);
    EXPECT_FALSE(m.partsStale() || m.bodyStale() || m.structureStale());
    m.rebuildReceived();
    EXPECT_TRUE(m.headerLines().empty()); // nothing to do on an empty message
}
