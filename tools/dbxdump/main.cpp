// vantor-dbxdump FILE...: one JSON object a line for each message of a message store (where its text lies,
// what its record says, and the SHA-256 of the text exactly as stored) or each folder of a folder list.
// A file that cannot be read whole adds a line with its error; the exit status is then 1.
#include "JsonWriter.h"
#include "mail/codec/Charsets.h"
#include "records/DbxReader.h"

#include <QCryptographicHash>

#include <ctime>
#include <iostream>
#include <string>

using vantor::records::DbxReader;
using vantor::tools::JsonWriter;

namespace {

std::string utcText(std::uint64_t fileTime)
{
    if (fileTime == 0)
        return {};
    const std::time_t seconds = vantor::records::unixSecondsOfFileTime(fileTime);
    std::tm utc{};
    char text[32] = {};
    if (gmtime_r(&seconds, &utc) == nullptr || std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc) == 0)
        return {};
    return text;
}

// The client stores its texts in the system's code page; JSON wants UTF-8.
std::string utf8(const std::string& stored)
{
    return vantor::mail::codec::isWellFormedUtf8(stored) ? stored
                                                         : vantor::mail::codec::decodeCharset(stored, "windows-1252");
}

std::string sha256(const std::string& bytes)
{
    return QCryptographicHash::hash(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
                                    QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

// Prints the file's lines; false when something could not be read.
bool dump(const std::string& file)
{
    DbxReader reader(file);
    const vantor::records::DbxIndex index = reader.readIndex();
    bool isWhole = index.error.empty();
    for (const auto& folder : index.folders) {
        JsonWriter json;
        json.beginObject();
        json.field("file", file);
        json.field("folder", utf8(folder.name));
        json.field("file_name", utf8(folder.fileName));
        json.field("id", folder.id);
        json.field("parent", folder.parentId);
        json.endObject();
        std::cout << json.text() << '\n';
    }
    for (const auto& message : index.messages) {
        const DbxReader::MessageText text = reader.readMessageText(message.textOffset);
        JsonWriter json;
        json.beginObject();
        json.field("file", file);
        json.field("position", message.textOffset);
        json.field("subject", utf8(message.subject));
        json.field("sender", utf8(message.sender));
        json.field("sender_address", utf8(message.senderAddress));
        json.field("to", utf8(message.recipient));
        json.field("received_utc", utcText(message.receivedDateTime));
        json.field("size", message.size);
        json.field("text_bytes", static_cast<long long>(text.bytes.size()));
        json.field("sha256", sha256(text.bytes));
        if (!text.error.empty())
            json.field("error", text.error);
        json.endObject();
        std::cout << json.text() << '\n';
        isWhole = isWhole && text.error.empty();
    }
    if (!index.error.empty()) {
        JsonWriter json;
        json.beginObject();
        json.field("file", file);
        json.field("error", index.error);
        json.endObject();
        std::cout << json.text() << '\n';
    }
    return isWhole;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: vantor-dbxdump FILE...\n";
        return 2;
    }
    bool isWhole = true;
    for (int i = 1; i < argc; ++i)
        isWhole = dump(argv[i]) && isWhole;
    return isWhole ? 0 : 1;
}
