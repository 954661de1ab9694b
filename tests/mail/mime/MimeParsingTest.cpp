#include "mail/mime/MailMessage.h"

#include <gtest/gtest.h>
#include <string>

using vantor::mail::mime::MailMessage;
using vantor::mail::mime::MimePart;

namespace {

std::string multipart(const std::string& boundary, const std::string& parts)
{
    return "From: a@b\r\nContent-Type: multipart/mixed; boundary=\"" + boundary + "\"\r\n\r\npreamble\r\n" +
           parts;
}

} // namespace

TEST(FillMultipart, SplitsPartsAndKeepsBodyBytes)
{
    MailMessage m;
    m.fill(multipart("XYZ", "--XYZ\r\nContent-Type: text/plain\r\n\r\nhello\r\nworld\r\n"
                            "--XYZ\r\nContent-Type: application/octet-stream\r\n\r\n\x01\x02\r\n"
                            "--XYZ--\r\nepilogue ignored\r\n"),
           true);
    EXPECT_EQ(m.encodedBody(), "preamble\r\n");
    ASSERT_EQ(m.subParts().size(), 2u);
    const MimePart& text = *m.subParts()[0];
    EXPECT_EQ(text.contentType(), "text/plain");
    EXPECT_EQ(text.encodedBody(), "hello\r\nworld"); // the break before a delimiter belongs to it
    EXPECT_EQ(text.parentBoundary(), "XYZ");
    EXPECT_EQ(text.parentPart(), &m);
    EXPECT_EQ(text.ownerMessage(), &m);
    EXPECT_EQ(m.subParts()[1]->encodedBody(), "\x01\x02");
    EXPECT_TRUE(m.bodyStale());
    EXPECT_TRUE(m.structureStale());
    EXPECT_TRUE(m.partsStale());
}

TEST(FillMultipart, PartWithoutHeaderAndUnterminatedLastPart)
{
    MailMessage m;
    m.fill(multipart("b", "--b\r\n\r\nno header here\r\n--b\r\nContent-Type: text/html\r\n\r\n<p>cut off"),
           true);
    ASSERT_EQ(m.subParts().size(), 1u); // a final part without a closing delimiter is dropped
    EXPECT_TRUE(m.subParts()[0]->headerLines().empty());
    EXPECT_EQ(m.subParts()[0]->encodedBody(), "no header here");
}

TEST(FillMultipart, MissingBoundaryMakesEveryDashLineADelimiter)
{
    MailMessage m;
    m.fill("Content-Type: multipart/mixed\r\n\r\n--anything\r\n\r\none\r\n--other\r\n\r\ntwo\r\n----\r\n",
           true);
    ASSERT_EQ(m.subParts().size(), 2u);
    EXPECT_EQ(m.subParts()[0]->encodedBody(), "one");
    EXPECT_EQ(m.subParts()[1]->encodedBody(), "two");
}

TEST(FillMultipart, VeryLongBoundaryIsMatchedWhole)
{
    const std::string boundary(10000, 'q');
    MailMessage m;
    m.fill(multipart(boundary, "--" + boundary + "\r\n\r\nA\r\n--" + std::string(500, 'q') +
                                   "\r\n\r\nnot a delimiter\r\n--" + boundary + "--\r\n"),
           true);
    ASSERT_EQ(m.subParts().size(), 1u);
    EXPECT_EQ(m.subParts()[0]->encodedBody(), "A\r\n--" + std::string(500, 'q') + "\r\n\r\nnot a delimiter");
}

TEST(FillMultipart, NestedPartsAreParsedInOrder)
{
    MailMessage m;
    m.fill(multipart("out", "--out\r\nContent-Type: multipart/alternative; boundary=in\r\n\r\n"
                            "--in\r\nContent-Type: text/plain\r\n\r\np\r\n--in\r\nContent-Type: "
                            "text/html\r\n\r\nh\r\n--in--\r\n"
                            "--out\r\nContent-Type: image/gif\r\n\r\nGIF\r\n--out--\r\n"),
           true);
    ASSERT_EQ(m.subParts().size(), 2u);
    const MimePart& alt = *m.subParts()[0];
    ASSERT_EQ(alt.subParts().size(), 2u);
    EXPECT_EQ(alt.subParts()[0]->encodedBody(), "p");
    EXPECT_EQ(alt.subParts()[1]->contentType(), "text/html");
    EXPECT_EQ(alt.subParts()[1]->parentBoundary(), "in");
    EXPECT_EQ(m.subParts()[1]->encodedBody(), "GIF");
}

TEST(FillMultipart, HostileNestingDepthStaysFlatBeyondTheLimit)
{
    // "b<n>x": no boundary is the beginning of another.
    const auto opening = [](int i) {
        return "--b" + std::to_string(i - 1) + "x\r\nContent-Type: multipart/mixed; boundary=b" +
               std::to_string(i) + "x\r\n\r\n";
    };
    std::string text = "Content-Type: multipart/mixed; boundary=b0x\r\n\r\n";
    const int depth = 5000;
    for (int i = 1; i <= depth; ++i)
        text += opening(i);
    MailMessage m;
    m.fill(text, true);
    int levels = 0;
    for (const MimePart* p = &m; !p->subParts().empty(); p = p->subParts()[0].get())
        ++levels;
    // The text has no closing delimiters, so no part is complete at any level.
    EXPECT_EQ(levels, 0);

    std::string closed = "Content-Type: multipart/mixed; boundary=b0x\r\n\r\n";
    std::string tail;
    for (int i = 1; i <= depth; ++i) {
        closed += opening(i);
        tail = "\r\n--b" + std::to_string(i - 1) + "x--\r\n" + tail;
    }
    m.fill(closed + "x" + tail, true);
    levels = 0;
    for (const MimePart* p = &m; !p->subParts().empty(); p = p->subParts()[0].get())
        ++levels;
    EXPECT_EQ(levels, 100);
    EXPECT_EQ(m.attachments().size(), 1u); // the deepest container is kept whole, unparsed
}

TEST(FillText, StopsAtNulAndSplitsOnCrLfOnly)
{
    MailMessage m;
    const std::string text("Subject: a\nX: b\r\n\r\nbody\0hidden", 29);
    m.fill(text, true);
    ASSERT_EQ(m.headerLines().size(), 1u);
    EXPECT_EQ(m.headerLines()[0], "Subject: a\nX: b"); // a bare LF does not end a line
    EXPECT_EQ(m.encodedBody(), "body");
}

TEST(FillText, WithoutHeaderTheWholeTextIsTheBody)
{
    MailMessage m;
    m.fill("Subject: not a header\r\n\r\nrest", false);
    EXPECT_TRUE(m.headerLines().empty());
    EXPECT_EQ(m.encodedBody(), "Subject: not a header\r\n\r\nrest");
}

TEST(FillText, PartWithoutOwnerIsLeftUnchanged)
{
    MimePart orphan(nullptr);
    orphan.setHeaderLines({"X: 1"});
    orphan.fill("Subject: s\r\n\r\nb", true);
    ASSERT_EQ(orphan.headerLines().size(), 1u);
    EXPECT_EQ(orphan.headerLines()[0], "X: 1");
}

TEST(FillText, ReportsProgressForTheMessageOnly)
{
    MailMessage m;
    std::vector<std::size_t> reports;
    m.setOnProgress([&](MimePart& sender, std::size_t total, std::size_t current) {
        EXPECT_EQ(&sender, &m);
        EXPECT_EQ(total, 52u);
        reports.push_back(current);
    });
    m.fill("Content-Type: multipart/mixed; boundary=b\r\n\r\n--b--\r\n", true);
    const std::vector<std::size_t> expected{0, 1, 44, 46, 52};
    EXPECT_EQ(reports, expected);
}

TEST(FillUuencoded, TwoFilesBecomeMixedWithTextPartAndAttachments)
{
    MailMessage m;
    m.fill("From: a@b\r\nSubject: files\r\n\r\nHello there\r\n"
           "begin 644 one.txt\r\n#86)C\r\n`\r\nend\r\nbetween is dropped\r\n"
           "begin 600 two words.bin\r\n!00``\r\n`\r\nend\r\ntrailer dropped\r\n",
           true);
    EXPECT_EQ(m.contentType(), "multipart/mixed");
    const std::string boundary = m.boundary();
    EXPECT_EQ(boundary.rfind("boundary", 0), 0u);
    ASSERT_EQ(m.subParts().size(), 3u);
    const MimePart& text = *m.subParts()[0];
    EXPECT_EQ(text.contentType(), "text/plain");
    EXPECT_EQ(text.headerParam("Content-Type", "charset"), "utf-8");
    EXPECT_EQ(text.encodedBody(), "Hello there\r\n");
    EXPECT_EQ(text.parentBoundary(), boundary);

    const MimePart& one = *m.subParts()[1];
    EXPECT_EQ(one.contentType(), "text/plain");
    EXPECT_EQ(one.headerValue("Content-Transfer-Encoding"), "base64");
    EXPECT_EQ(one.decodedBody(), "abc");
    EXPECT_EQ(one.encodedBody(), "YWJj\r\n");
    EXPECT_EQ(one.fileName(), "one.txt");
    EXPECT_EQ(one.headerValue("Content-Disposition"), "attachment");
    EXPECT_EQ(one.headerParam("X-Vantor-Attachment", "embedded"), "no");

    const MimePart& two = *m.subParts()[2];
    EXPECT_EQ(two.decodedBody(), "A");
    EXPECT_EQ(two.headerParam("Content-Type", "name"), "=?utf-8?Q?two=20words.bin?=");
    EXPECT_EQ(two.fileName(), "two words.bin");

    ASSERT_EQ(m.textPlain().size(), 1u);
    EXPECT_EQ(m.textPlain()[0], "Hello there");
    EXPECT_EQ(m.attachments().size(), 2u);
}

TEST(FillUuencoded, UnterminatedBlockAndBadLinesNeverFail)
{
    MailMessage m;
    m.fill("\r\nbegin 644 x\r\n#86)C\r\n!!!not uu\r\n" + std::string(200, 'M') + "\r\n", true);
    ASSERT_EQ(m.subParts().size(), 2u);
    // The bad line yields nothing; a full line takes its 60 characters and ignores the rest.
    const std::string& bytes = m.subParts()[1]->decodedBody();
    EXPECT_EQ(bytes.size(), 48u);
    EXPECT_EQ(bytes.substr(0, 3), "abc");
}

TEST(Decode, ByTransferEncoding)
{
    MailMessage m;
    m.fill(multipart("b",
                     "--b\r\nContent-Transfer-Encoding: QUOTED-PRINTABLE\r\n\r\na=3Db=\r\nc=zz\r\n"
                     "--b\r\nContent-Transfer-Encoding: base64\r\n\r\n  YWJj\r\nZGVm  \r\nZ\r\n"
                     "--b\r\nContent-Type: application/x-data\r\nContent-Transfer-Encoding: "
                     "x-uuencode\r\n\r\nbegin 644 f\r\n#86)C\r\n`\r\nend\r\n"
                     "--b\r\nContent-Transfer-Encoding: 8bit\r\n\r\n\xe4\xf6\r\n--b\r\n\r\n\r\n--b--\r\n"),
           true);
    ASSERT_EQ(m.subParts().size(), 5u);
    for (const auto& part : m.subParts())
        EXPECT_TRUE(part->decode());
    EXPECT_EQ(m.subParts()[0]->decodedBody(), "a=bc");
    EXPECT_EQ(m.subParts()[1]->decodedBody(), "abcdef");
    EXPECT_EQ(m.subParts()[2]->decodedBody(), "abc");
    EXPECT_EQ(m.subParts()[2]->headerValue("Content-Transfer-Encoding"), "base64");
    EXPECT_EQ(m.subParts()[2]->encodedBody(), "YWJj\r\n");
    EXPECT_EQ(m.subParts()[3]->decodedBody(), "\xe4\xf6");
    EXPECT_FALSE(m.subParts()[4]->isDecoded()); // an empty body is not decoded
}

TEST(Encode, SetsTransferEncodingField)
{
    MimePart part(nullptr);
    part.setDecodedBody("a=b \r\n");
    part.encode(vantor::mail::mime::etQuotedPrintable);
    EXPECT_EQ(part.encodedBody(), "a=3Db=20\r\n");
    EXPECT_EQ(part.headerValue("Content-Transfer-Encoding"), "quoted-printable");
    part.encode(vantor::mail::mime::etBase64);
    EXPECT_EQ(part.encodedBody(), "YT1iIA0K\r\n");
    EXPECT_EQ(part.headerValue("Content-Transfer-Encoding"), "base64");
    part.encode(vantor::mail::mime::etNoEncoding);
    EXPECT_EQ(part.encodedBody(), "a=b \r\n");
    EXPECT_FALSE(part.hasHeader("Content-Transfer-Encoding"));
    part.setDecodedBody("");
    part.encode(vantor::mail::mime::etQuotedPrintable);
    EXPECT_EQ(part.encodedBody(), "");
}

TEST(FillText, MegabyteHeaderLinesAndNulBytesInParts)
{
    const std::string huge(1 << 20, 'x');
    MailMessage m;
    m.fill("Subject: " + huge + "\r\nContent-Type: multipart/mixed; name=\"" + huge +
               "\"; boundary=b\r\n\r\n"
               "--b\r\nContent-Type: text/plain\r\n\r\nbefore" +
               std::string(1, '\0') + "after\r\n--b--\r\n",
           true);
    EXPECT_EQ(m.subject().size(), huge.size());
    EXPECT_EQ(m.boundary(), "b");
    EXPECT_EQ(m.headerParam("Content-Type", "name").size(), huge.size());
    // The whole text ends at its first NUL byte, so the part is never closed.
    EXPECT_TRUE(m.subParts().empty());
}

TEST(FillText, HeaderOnlyMessageIsLeftAloneByTheAnalysis)
{
    MailMessage m;
    m.loadRawHeader("Subject: s\r\nContent-Type: multipart/mixed; boundary=b\r\n\r\n");
    const auto before = m.headerLines();
    m.rebuildReceived();
    EXPECT_EQ(m.headerLines(), before);
    EXPECT_TRUE(m.attachments().empty());
    EXPECT_TRUE(m.encodedBody().empty());
}
