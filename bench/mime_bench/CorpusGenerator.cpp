#include "CorpusGenerator.h"

#include "mail/codec/Base64.h"
#include "mail/codec/QuotedPrintable.h"

#include <array>
#include <cmath>

namespace vantor::bench {

namespace {

constexpr std::array<const char*, 16> kWords = {
    "offer", "free",   "meeting", "report",  "quarterly", "invoice", "please", "attached",
    "money", "urgent", "hello",   "regards", "schedule",  "project", "très",   "größe"};

// One uuencoded line of up to 45 bytes.
std::string uuLine(const std::string& data, std::size_t from, std::size_t count)
{
    const auto enc = [](unsigned int v) { return static_cast<char>(v == 0 ? '`' : v + 32); };
    std::string line(1, enc(static_cast<unsigned int>(count)));
    for (std::size_t i = 0; i < count; i += 3) {
        unsigned int group = 0;
        for (std::size_t k = 0; k < 3; ++k) {
            const std::size_t at = from + i + k;
            group = (group << 8) | (i + k < count ? static_cast<unsigned char>(data[at]) : 0u);
        }
        for (int shift = 18; shift >= 0; shift -= 6)
            line += enc((group >> shift) & 0x3Fu);
    }
    return line + "\r\n";
}

} // namespace

CorpusGenerator::CorpusGenerator(std::uint32_t seed)
    : m_random(seed)
{}

std::vector<std::string> CorpusGenerator::generate(std::size_t count)
{
    std::vector<std::string> corpus;
    corpus.reserve(count);
    for (std::size_t n = 0; n < count; ++n) {
        switch (n % 20) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 4:
        case 5:
        case 6:
        case 7:
            corpus.push_back(plainMessage(n));
            break;
        case 8:
        case 9:
        case 10:
        case 11:
        case 12:
            corpus.push_back(alternativeMessage(n));
            break;
        case 13:
        case 14:
        case 15:
        case 16:
            corpus.push_back(mixedMessage(n));
            break;
        default:
            corpus.push_back(uuencodedMessage(n));
        }
    }
    return corpus;
}

std::string CorpusGenerator::header(const std::string& subject, const std::string& contentType)
{
    std::string h = "Return-Path: <sender" + std::to_string(m_random() % 1000) +
                    "@example.com>\r\n"
                    "Received: from mx.example.com (mx.example.com [192.0.2.1])\r\n"
                    "\tby pop.example.net (Postfix) with ESMTP id 4F2A1\r\n"
                    "\tfor <user@example.net>; Tue, 05 Feb 2002 10:20:30 +0100\r\n"
                    "From: \"Sender Name\" <sender@example.com>\r\n"
                    "To: user@example.net, \"Other\" <other@example.net>\r\n"
                    "Subject: " +
                    subject +
                    "\r\n"
                    "Date: Tue, 05 Feb 2002 10:20:30 +0100\r\n"
                    "Message-ID: <" +
                    std::to_string(m_random()) +
                    "@example.com>\r\n"
                    "MIME-Version: 1.0\r\n";
    if (!contentType.empty())
        h += "Content-Type: " + contentType + "\r\n";
    return h + "\r\n";
}

std::string CorpusGenerator::words(std::size_t lines)
{
    std::string text;
    for (std::size_t l = 0; l < lines; ++l) {
        const std::size_t count = 6 + m_random() % 8;
        for (std::size_t w = 0; w < count; ++w) {
            text += kWords[m_random() % kWords.size()];
            text += w + 1 < count ? " " : "\r\n";
        }
    }
    return text;
}

std::string CorpusGenerator::bytes(std::size_t size)
{
    std::string data(size, '\0');
    for (auto& c : data)
        c = static_cast<char>(m_random() & 0xFFu);
    return data;
}

std::size_t CorpusGenerator::attachmentSize()
{
    // Spread evenly on a log scale between 10 KB and 2 MB.
    std::uniform_real_distribution<double> exponent(std::log(10.0 * 1024), std::log(2.0 * 1024 * 1024));
    return static_cast<std::size_t>(std::exp(exponent(m_random)));
}

std::string CorpusGenerator::plainMessage(std::size_t n)
{
    return header("Plain message " + std::to_string(n), "text/plain; charset=\"us-ascii\"") +
           words(10 + m_random() % 60);
}

std::string CorpusGenerator::alternativeMessage(std::size_t n)
{
    const std::string b = "alt" + std::to_string(n) + "_boundary";
    const std::string text = words(20 + m_random() % 80);
    std::string html = "<html><body><p>\r\n" + text + "</p></body></html>\r\n";
    return header("Alternative " + std::to_string(n), "multipart/alternative; boundary=\"" + b + "\"") +
           "This is a multi-part message in MIME format.\r\n\r\n--" + b +
           "\r\nContent-Type: text/plain; charset=\"utf-8\"\r\nContent-Transfer-Encoding: "
           "quoted-printable\r\n\r\n" +
           mail::codec::encodeQuotedPrintable(text, false) + "\r\n--" + b +
           "\r\nContent-Type: text/html; charset=\"utf-8\"\r\nContent-Transfer-Encoding: "
           "quoted-printable\r\n\r\n" +
           mail::codec::encodeQuotedPrintable(html, false) + "\r\n--" + b + "--\r\n";
}

std::string CorpusGenerator::mixedMessage(std::size_t n)
{
    const std::string b = "mixed" + std::to_string(n) + "_boundary";
    std::string message = header("Mixed " + std::to_string(n), "multipart/mixed; boundary=\"" + b + "\"") +
                          "--" + b + "\r\nContent-Type: text/plain; charset=\"us-ascii\"\r\n\r\n" +
                          words(15 + m_random() % 30) + "\r\n";
    const std::size_t files = 1 + m_random() % 2;
    for (std::size_t f = 0; f < files; ++f) {
        const std::string name = "file" + std::to_string(f) + ".pdf";
        message += "--" + b + "\r\nContent-Type: application/pdf; name=\"" + name +
                   "\"\r\nContent-Transfer-Encoding: base64\r\nContent-Disposition: attachment; filename=\"" +
                   name + "\"\r\n\r\n" + mail::codec::encodeBase64Stream(bytes(attachmentSize())) + "\r\n";
    }
    return message + "--" + b + "--\r\n";
}

std::string CorpusGenerator::uuencodedMessage(std::size_t n)
{
    std::string message = header("Uuencoded " + std::to_string(n), "") + words(5 + m_random() % 20);
    const std::string data = bytes(1024 + m_random() % (64 * 1024));
    message += "begin 644 data" + std::to_string(n) + ".bin\r\n";
    for (std::size_t at = 0; at < data.size(); at += 45)
        message += uuLine(data, at, std::min<std::size_t>(45, data.size() - at));
    return message + "`\r\nend\r\n";
}

} // namespace vantor::bench
