#include "mail/mime/MailMessage.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

using vantor::mail::mime::MailMessage;
using vantor::mail::mime::MimePart;

namespace {

std::string binaryBytes(std::size_t size)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 131 + 7) % 256);
    return bytes;
}

// Sends the built message through text and back, as a receiver would see it.
std::unique_ptr<MailMessage> reparsed(MailMessage& built)
{
    built.assembleBody();
    auto back = std::make_unique<MailMessage>();
    back->fill(built.getSource(), true);
    return back;
}

std::vector<std::string> childTypes(const MimePart& part)
{
    std::vector<std::string> types;
    for (const auto& child : part.subParts())
        types.push_back(child->contentType());
    return types;
}

} // namespace

TEST(Building, PlainTextOnlyIsASingleTextPart)
{
    MailMessage m;
    m.setTextPlain("Hello = world\nsecond line");
    EXPECT_EQ(m.textPlainPart(), &m);
    EXPECT_TRUE(m.subParts().empty());
    EXPECT_EQ(m.headerValue("Content-Type"), "text/plain");
    EXPECT_EQ(m.headerParam("Content-Type", "charset"), "utf-8");
    EXPECT_EQ(m.headerValue("Content-Transfer-Encoding"), "quoted-printable");
    EXPECT_EQ(m.headerValue("X-Mailer"), "EMail Vantor 2.5");
    EXPECT_EQ(m.headerValue("Mime-Version"), "1.0");
    EXPECT_EQ(m.encodedBody(), "Hello =3D world\r\nsecond line\r\n");
    EXPECT_TRUE(m.bodyStale());
    m.assembleBody();
    EXPECT_FALSE(m.bodyStale());
    EXPECT_EQ(m.headerValue("Content-Length"), std::to_string(m.encodedBody().size()));

    const auto back = reparsed(m);
    EXPECT_EQ(back->textPlain(), (std::vector<std::string>{"Hello = world", "second line"}));
}

TEST(Building, TextAndOneAttachmentIsMixedWithTextFirst)
{
    MailMessage m;
    m.setTextPlain("body");
    m.attachStream("PDFDATA", "C:\\docs\\report.pdf");
    EXPECT_EQ(m.contentType(), "multipart/mixed");
    EXPECT_EQ(m.mixedPart(), &m);
    EXPECT_EQ(childTypes(m), (std::vector<std::string>{"text/plain", "application/pdf"}));
    const MimePart& file = *m.subParts()[1];
    EXPECT_EQ(file.headerValue("X-Vantor-Attachment"), "report.pdf");
    EXPECT_EQ(file.headerParam("X-Vantor-Attachment", "embedded"), "no");
    EXPECT_EQ(file.headerParam("Content-Disposition", "filename"), "report.pdf");
    EXPECT_EQ(file.headerValue("Content-Disposition"), "attachment");
    EXPECT_EQ(file.parentBoundary(), m.boundary());
    EXPECT_NE(m.boundary().find("_mixed"), std::string::npos);
}

TEST(Building, OneAttachmentOnlyMakesTheMessageTheAttachment)
{
    MailMessage m;
    const std::string bytes = binaryBytes(1000);
    m.attachStream(bytes, "photo.jpg");
    EXPECT_TRUE(m.subParts().empty());
    ASSERT_EQ(m.attachments().size(), 1u);
    EXPECT_EQ(m.attachments()[0], &m);
    EXPECT_EQ(m.contentType(), "image/jpeg");
    EXPECT_EQ(m.headerParam("Content-Type", "name"), "photo.jpg");
    EXPECT_EQ(m.headerParam("Content-Disposition", "filename"), "photo.jpg");
    EXPECT_EQ(m.headerValue("Content-Transfer-Encoding"), "base64");

    m.attachStream("second", "b.dat");
    ASSERT_EQ(m.attachments().size(), 2u);
    EXPECT_EQ(childTypes(m), (std::vector<std::string>{"image/jpeg", "application/octet-stream"}));
    const auto back = reparsed(m);
    ASSERT_EQ(back->attachments().size(), 2u);
    back->attachments()[0]->decode();
    EXPECT_EQ(back->attachments()[0]->decodedBody(), bytes);
    EXPECT_EQ(back->attachments()[0]->fileName(), "photo.jpg");
    EXPECT_EQ(back->attachments()[1]->fileName(), "b.dat");
}

TEST(Building, RemovingTheOnlyAttachmentGivesBackASingleTextMessage)
{
    MailMessage m;
    m.setTextPlain("keep me");
    m.attachStream("x", "a.bin");
    m.detachFile(0);
    EXPECT_TRUE(m.subParts().empty());
    EXPECT_TRUE(m.attachments().empty());
    EXPECT_EQ(m.contentType(), "text/plain");
    EXPECT_EQ(m.textPlainPart(), &m);
    EXPECT_EQ(m.decodedBody(), "keep me");
    EXPECT_THROW(m.detachFile(0), std::out_of_range);
    try {
        m.detachFile(-1);
    } catch (const std::out_of_range& error) {
        EXPECT_STREQ(error.what(), "MailMessage: Attachment index not found");
    }
}

TEST(Building, DetachingTheMessageItselfEmptiesIt)
{
    MailMessage m;
    m.attachStream("x", "a.bin");
    m.detachFile(0);
    EXPECT_FALSE(m.hasHeader("Content-Type"));
    EXPECT_TRUE(m.encodedBody().empty());
    EXPECT_TRUE(m.attachments().empty());
}

TEST(Building, EveryRebuildChangesTheBoundaryAndAssembledPartsCarryIt)
{
    MailMessage m;
    m.setTextPlain("t");
    m.attachStream("1", "one.bin");
    const std::string first = m.boundary();
    m.attachStream("2", "two.bin");
    const std::string second = m.boundary();
    EXPECT_NE(first, second);
    m.assembleBody();
    const std::string& body = m.encodedBody();
    EXPECT_EQ(body.rfind("This is a multipart message in mime format.\r\n", 0), 0u);
    EXPECT_EQ(body.find(first), std::string::npos);
    std::size_t delimiters = 0;
    for (std::size_t at = body.find("--" + second); at != std::string::npos;
         at = body.find("--" + second, at + 1))
        ++delimiters;
    EXPECT_EQ(delimiters, 4u); // three parts and the closing delimiter
    EXPECT_NE(body.find("\r\n--" + second + "--\r\n"), std::string::npos);
}

TEST(Building, FullMessageRoundTrip)
{
    MailMessage m;
    m.setEmbedMethod(vantor::mail::mime::emContentID);
    m.setFrom("Sender Name", "s@example.com");
    m.setSubject("All parts");
    m.toList().addRecipient("", "r@example.com");
    m.setTextPlain("plain text\r\nwith two lines");
    m.setTextHtml("<html><img src=\"cid:logo.png\"></html>");
    const std::string pdf = binaryBytes(70000);
    const std::string zip = binaryBytes(3);
    const std::string png = binaryBytes(500);
    m.attachStream(pdf, "a.pdf");
    m.attachStream(png, "logo.png", true);
    m.attachStream(zip, "b.zip");

    EXPECT_EQ(m.contentType(), "multipart/mixed");
    ASSERT_NE(m.relatedPart(), nullptr);
    ASSERT_NE(m.alternativePart(), nullptr);
    EXPECT_EQ(childTypes(m),
              (std::vector<std::string>{"multipart/related", "application/pdf", "application/zip"}));
    EXPECT_EQ(childTypes(*m.relatedPart()), (std::vector<std::string>{"multipart/alternative", "image/png"}));
    EXPECT_EQ(childTypes(*m.alternativePart()), (std::vector<std::string>{"text/plain", "text/html"}));

    const auto back = reparsed(m);
    EXPECT_EQ(back->subject(), "All parts");
    EXPECT_EQ(back->fromAddress(), "s@example.com");
    EXPECT_EQ(back->parseAddressHeader("From").name, "Sender Name");
    EXPECT_EQ(back->toList().allAddresses(), "r@example.com");
    EXPECT_EQ(back->textPlain(), (std::vector<std::string>{"plain text", "with two lines"}));
    EXPECT_EQ(back->textHtml(), (std::vector<std::string>{"<html><img src=\"cid:logo.png\"></html>"}));
    ASSERT_EQ(back->attachments().size(), 3u);
    const MimePart& image = *back->attachments()[0];
    EXPECT_TRUE(image.isEmbedded());
    EXPECT_EQ(image.headerValue("Content-ID"), "<logo.png>");
    const std::string expected[] = {png, pdf, zip};
    const std::string names[] = {"logo.png", "a.pdf", "b.zip"};
    for (std::size_t i = 0; i < 3; ++i) {
        back->attachments()[i]->decode();
        EXPECT_EQ(back->attachments()[i]->decodedBody(), expected[i]) << i;
        EXPECT_EQ(back->attachments()[i]->fileName(), names[i]);
    }
    // A received message rebuilt the way a backup does it keeps all of its parts.
    back->rebuildReceived();
    const auto again = reparsed(*back);
    EXPECT_EQ(again->textPlain(), back->textPlain());
    ASSERT_EQ(again->attachments().size(), 3u);
    again->attachments()[1]->decode();
    EXPECT_EQ(again->attachments()[1]->decodedBody(), pdf);
}

TEST(Building, EmbeddedByContentLocationAndMadeUpNames)
{
    MailMessage m;
    m.setTextHtml("<img src=\"http://localhost/pic.gif\">");
    m.attachStream("GIF89a", "pic.gif", true);
    ASSERT_NE(m.relatedPart(), nullptr);
    EXPECT_EQ(m.relatedPart(), &m);
    const MimePart& image = *m.subParts()[1];
    EXPECT_EQ(image.headerValue("Content-Location"), "http://localhost/pic.gif");
    EXPECT_EQ(image.headerParam("X-Vantor-Attachment", "embedded"), "yes");
    EXPECT_EQ(image.headerValue("Content-Disposition"), "inline");
}

TEST(Building, ReceivedMessageIsRestructuredBeforeTheFirstChange)
{
    MailMessage m;
    m.fill("From: a@b\r\nContent-Type: multipart/alternative; boundary=old\r\n\r\npreamble\r\n"
           "--old\r\nContent-Type: text/plain\r\n\r\np\r\n--old\r\nContent-Type: "
           "text/html\r\n\r\nh\r\n--old--\r\n",
           true);
    m.attachStream("data", "x.bin");
    EXPECT_EQ(m.contentType(), "multipart/mixed");
    EXPECT_EQ(childTypes(m), (std::vector<std::string>{"multipart/alternative", "application/octet-stream"}));
    EXPECT_EQ(childTypes(*m.alternativePart()), (std::vector<std::string>{"text/plain", "text/html"}));
    EXPECT_NE(m.alternativePart()->boundary(), "old");
    EXPECT_EQ(m.headerValue("From"), "a@b");
}

TEST(Building, AttachFileReadsTheFileOrThrows)
{
    const auto dir = std::filesystem::temp_directory_path() / "vantor_mime_attach";
    std::filesystem::create_directories(dir);
    const auto path = dir / "data.bin";
    std::ofstream(path, std::ios::binary) << "file bytes";
    MailMessage m;
    m.setTextPlain("t");
    m.attachFile(path);
    ASSERT_EQ(m.attachments().size(), 1u);
    EXPECT_EQ(m.attachments()[0]->decodedBody(), "file bytes");
    EXPECT_EQ(m.attachments()[0]->headerValue("X-Vantor-Attachment"), "data.bin");
    EXPECT_THROW(m.attachFile(dir / "missing.bin"), std::filesystem::filesystem_error);
    std::filesystem::remove_all(dir);
}

TEST(Building, MessageIdHasDateRandomPartsAndHost)
{
    using namespace std::chrono;
    MailMessage m;
    m.setMessageId("192.168.1.2", local_days{year{2002} / 2 / 5} + hours{9} + minutes{8} + seconds{7});
    const std::string id = m.headerValue("Message-ID");
    const auto isHex = [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) || (c >= 'A' && c <= 'F');
    };
    ASSERT_GT(id.size(), 16u);
    EXPECT_EQ(id.substr(0, 16), "<20020205090807.");
    const std::size_t dot = id.find('.', 16);
    const std::size_t at = id.find('@');
    ASSERT_NE(dot, std::string::npos);
    ASSERT_NE(at, std::string::npos);
    EXPECT_TRUE(dot > 16 && std::all_of(id.begin() + 16, id.begin() + static_cast<long>(dot), isHex)) << id;
    EXPECT_TRUE(at > dot + 1 && std::all_of(id.begin() + static_cast<long>(dot) + 1,
                                            id.begin() + static_cast<long>(at), isHex))
        << id;
    EXPECT_EQ(id.substr(at), "@192.168.1.2>");
}

TEST(Files, SaveAndLoadKeepTheMessage)
{
    const auto dir = std::filesystem::temp_directory_path() / "vantor_mime_files";
    std::filesystem::create_directories(dir);
    MailMessage m;
    m.setSubject("A subject long enough to need folding when the header is written out to the file, surely");
    m.setTextPlain("text");
    m.attachStream(binaryBytes(300), "a.bin");
    m.assembleBody();
    m.saveToFile(dir / "m.eml");
    MailMessage back;
    back.loadFromFile(dir / "m.eml");
    EXPECT_EQ(back.subject(), m.subject());
    EXPECT_EQ(back.textPlain().at(0), "text");
    ASSERT_EQ(back.attachments().size(), 1u);
    back.attachments()[0]->decode();
    EXPECT_EQ(back.attachments()[0]->decodedBody(), binaryBytes(300));

    std::ofstream(dir / "lf.eml", std::ios::binary) << "Subject: lf only\nX-A: 1\n\nbody\n";
    back.loadFromFile(dir / "lf.eml");
    EXPECT_EQ(back.headerLines().size(), 2u);
    EXPECT_EQ(back.encodedBody(), "body\r\n");
    EXPECT_THROW(back.loadFromFile(dir / "none.eml"), std::filesystem::filesystem_error);
    EXPECT_THROW(back.loadFromFile(dir), std::filesystem::filesystem_error);
    EXPECT_THROW(m.saveToFile(dir / "no-such-dir" / "x.eml"), std::filesystem::filesystem_error);
    std::filesystem::remove_all(dir);
}
