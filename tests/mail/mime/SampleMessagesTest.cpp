#include "base/AsciiCase.h"
#include "base/TextLines.h"
#include "mail/mime/MailMessage.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>

using vantor::mail::mime::MailMessage;
using vantor::mail::mime::MimePart;

namespace {

const std::filesystem::path kData = VANTOR_TEST_DATA;

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// One entry per part in depth-first order: its depth and type ("text/plain" where none is given).
using Tree = std::vector<std::pair<int, std::string>>;

Tree treeOf(const MimePart& root)
{
    Tree tree;
    std::vector<std::pair<const MimePart*, int>> pending{{&root, 0}};
    while (!pending.empty()) {
        const auto [part, depth] = pending.back();
        pending.pop_back();
        const std::string type = part->contentType();
        tree.emplace_back(depth, type.empty() ? "text/plain" : type);
        for (auto it = part->subParts().rbegin(); it != part->subParts().rend(); ++it)
            pending.emplace_back(it->get(), depth + 1);
    }
    return tree;
}

struct Expected
{
    std::string subject;
    Tree tree;
};

// The third party's summary nests the parts of attached messages, which this model keeps unparsed.
Tree withoutAttachedMessageParts(const Tree& tree)
{
    Tree pruned;
    int skipBelow = -1;
    for (const auto& [depth, type] : tree) {
        if (skipBelow >= 0 && depth > skipBelow)
            continue;
        skipBelow = type == "message/rfc822" ? depth : -1;
        pruned.emplace_back(depth, vantor::base::toLowerAscii(type));
    }
    return pruned;
}

std::vector<Expected> readSummary(const std::string& text)
{
    std::vector<Expected> all;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("From ", 0) == 0) {
            all.emplace_back();
        } else if (line.rfind("Subject: ", 0) == 0 && !all.empty()) {
            all.back().subject = line.substr(9);
        } else if (const auto at = line.find("Content-Type: "); at != std::string::npos && !all.empty()) {
            all.back().tree.emplace_back(static_cast<int>(at / 3), line.substr(at + 14));
        }
    }
    for (auto& expected : all)
        expected.tree = withoutAttachedMessageParts(expected.tree);
    return all;
}

// Messages of an mbox file, each without its "From " line, with CR LF line breaks.
std::vector<std::string> splitMbox(const std::string& text)
{
    std::vector<std::string> messages;
    for (const auto& line : vantor::base::splitLines(text)) {
        if (line.rfind("From - ", 0) == 0) {
            messages.emplace_back();
            continue;
        }
        if (!messages.empty())
            messages.back() += line + "\r\n";
    }
    return messages;
}

// The decoded bytes of the text bodies and attachments, in a stable order. A text re-encoded as
// quoted-printable always ends with a line break, so one final line break does not count; empty parts
// carry nothing (an empty message reads back as an empty attachment of itself).
std::vector<std::string> contentOf(MailMessage& m)
{
    std::vector<std::string> bodies;
    const auto add = [&](MimePart* part) {
        part->decode();
        std::string body = part->decodedBody();
        if (body.size() >= 2 && body.compare(body.size() - 2, 2, "\r\n") == 0)
            body.resize(body.size() - 2);
        if (!body.empty())
            bodies.push_back(std::move(body));
    };
    for (MimePart* part : m.attachments())
        add(part);
    for (MimePart* part : {m.textPlainPart(), m.textHtmlPart()}) {
        if (part != nullptr)
            add(part);
    }
    std::sort(bodies.begin(), bodies.end());
    return bodies;
}

std::string collapsedBlanks(std::string text)
{
    text.erase(std::unique(text.begin(), text.end(), [](char a, char b) { return a == ' ' && b == ' '; }),
               text.end());
    return text;
}

} // namespace

TEST(TortureMbox, PartTreesMatchTheThirdPartySummary)
{
    const auto messages = splitMbox(readFile(kData / "mimekit/mbox/content-length.mbox.txt"));
    const auto expected = readSummary(readFile(kData / "mimekit/mbox/content-length-summary.txt"));
    ASSERT_EQ(messages.size(), 29u);
    ASSERT_EQ(expected.size(), messages.size());
    for (std::size_t i = 0; i < messages.size(); ++i) {
        MailMessage m;
        m.fill(messages[i], true);
        EXPECT_EQ(treeOf(m), expected[i].tree) << "message " << i;
        if (expected[i].subject.find(';') == std::string::npos) {
            EXPECT_EQ(m.subject(), collapsedBlanks(expected[i].subject)) << "message " << i;
        }
    }
}

TEST(HostileSamples, EveryMimeSampleParsesAndRebuildsWithTheSameContent)
{
    std::size_t files = 0;
    for (const auto& dir : {kData / "mimekit/messages", kData / "spamassassin"}) {
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            const std::string name = entry.path().filename().string();
            const bool sample = dir.filename() == "messages" || name.rfind("badmime", 0) == 0 ||
                                name.rfind("badctype", 0) == 0;
            if (!entry.is_regular_file() || !sample)
                continue;
            ++files;
            MailMessage m;
            m.loadFromFile(entry.path());
            (void)m.subject();
            (void)m.fromAddress();
            (void)m.toList().allAddresses();
            (void)m.messageDate();
            const auto before = contentOf(m);
            // Rebuilt the way a backup of a deleted message does it, then read back.
            m.rebuildReceived();
            m.assembleBody();
            MailMessage back;
            back.fill(m.getSource(), true);
            EXPECT_EQ(contentOf(back), before) << entry.path();
        }
    }
    EXPECT_EQ(files, 37u);
}

TEST(HostileSamples, DeepFoldedRecipientListOfEncodedWords)
{
    MailMessage m;
    m.loadFromFile(kData / "mimekit/messages/stack-overflow.txt");
    EXPECT_GT(m.toList().count(), 0);
    EXPECT_EQ(m.fromAddress(), "test@test.com");
}

TEST(HostileSamples, BadMimeKeepsItsTextBody)
{
    MailMessage m;
    m.loadFromFile(kData / "spamassassin/badmime.txt");
    EXPECT_FALSE(m.textPlain().empty() && m.textHtml().empty());
}
