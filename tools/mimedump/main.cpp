// vantor-mimedump FILE...: one JSON object per message file with what the mail check reads of it.
// --header-only reads only the header lines, as a header fetch from the server gives them.
#include "JsonWriter.h"
#include "base/FileReader.h"
#include "base/TextLines.h"
#include "mail/codec/MailDate.h"
#include "mail/codec/TextHelpers.h"
#include "mail/mime/MailMessage.h"

#include <chrono>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

using vantor::mail::mime::MailMessage;
using vantor::mail::mime::MimePart;
using vantor::tools::JsonWriter;

namespace {

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += '\n';
        text += lines[i];
    }
    return text;
}

// The header of a message file as a header fetch returns it: up to and including the empty line.
void loadHeaderOnly(MailMessage& message, const std::filesystem::path& path)
{
    const std::string raw = vantor::base::readFile(path);
    const std::string text = vantor::base::joinLinesCrLf(vantor::base::splitLines(raw));
    const std::size_t end = text.find("\r\n\r\n");
    message.loadRawHeader(end == std::string::npos ? text : text.substr(0, end + 4));
}

void writeMessage(JsonWriter& json, MailMessage& m)
{
    const auto date = m.messageDate();
    json.field("from", m.fromAddress());
    json.field("subject", m.subject());
    json.field("date", date ? vantor::mail::codec::formatListDateTime(date) : std::string());
    // The same instant at offset zero, so that other parsers can be compared whatever the local zone.
    const auto utc = vantor::mail::codec::parseMailDate(
        vantor::mail::codec::trimBlanks(m.headerValue("Date")), std::chrono::minutes{0});
    json.field("date_utc", utc ? vantor::mail::codec::formatListDateTime(utc) : std::string());
    json.field("to", m.toList().allAddresses());
    json.field("cc", m.ccList().allAddresses());
    json.field("priority", m.priority());
    MimePart* plain = m.textPlainPart();
    // The text as a person reads it: in UTF-8 whatever its charset, one line per line.
    json.field("text_plain",
               plain != nullptr ? joined(vantor::base::splitLines(plain->decodedText())) : std::string());
    json.field("text_html_lines", static_cast<long long>(m.textHtml().size()));
    json.beginArray("attachments");
    for (MimePart* part : m.attachments()) {
        part->decode();
        json.beginObject();
        json.field("file_name", part->fileName());
        json.field("content_type", part->contentType());
        json.field("size", static_cast<long long>(part->decodedBody().size()));
        json.endObject();
    }
    json.endArray();
}

} // namespace

int main(int argc, char** argv)
{
    bool headerOnly = false;
    std::vector<std::filesystem::path> files;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--header-only")
            headerOnly = true;
        else
            files.emplace_back(arg);
    }
    if (files.empty()) {
        std::cerr << "usage: vantor-mimedump [--header-only] FILE...\n";
        return 2;
    }
    int status = 0;
    for (const auto& file : files) {
        JsonWriter json;
        json.beginObject();
        json.field("file", file.string());
        try {
            MailMessage message;
            if (headerOnly)
                loadHeaderOnly(message, file);
            else
                message.loadFromFile(file);
            writeMessage(json, message);
        } catch (const std::filesystem::filesystem_error& error) {
            json.field("error", error.what());
            status = 1;
        }
        json.endObject();
        std::cout << json.text() << '\n';
    }
    return status;
}
