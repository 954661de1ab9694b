#include "records/DbxReader.h"

#include "support/TempHome.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using vantor::records::DbxFileKind;
using vantor::records::DbxReader;
using vantor::test::TempHome;

namespace {

const std::string DbxData = std::string(VANTOR_TEST_DATA) + "/dbx/";

// Lays out a message store byte by byte, as the mail client writes one.
class StoreBuilder
{
public:
    explicit StoreBuilder(std::size_t size = 0x4000)
        : m_bytes(size, '\0')
    {
        const unsigned char header[] = {0xCF, 0xAD, 0x12, 0xFE, 0xC5, 0xFD, 0x74, 0x6F, 0x66, 0xE3,
                                        0xD1, 0x11, 0x9A, 0x4E, 0x00, 0xC0, 0x4F, 0xA3, 0x09, 0xD4};
        m_bytes.replace(0, sizeof header, reinterpret_cast<const char*>(header), sizeof header);
        put(0xC4, 1);
    }

    void put(std::size_t at, std::uint32_t value)
    {
        for (int i = 0; i < 4; ++i)
            m_bytes[at + i] = static_cast<char>(value >> (8 * i));
    }
    void root(std::uint32_t node) { put(0x30, node); }
    void itemCount(std::uint32_t count) { put(0xC4, count); }

    struct Entry
    {
        std::uint32_t record = 0;
        std::uint32_t child = 0;
    };
    void node(std::uint32_t at, std::uint32_t left, std::uint32_t parent, const std::vector<Entry>& entries)
    {
        put(at, at);
        put(at + 8, left);
        put(at + 12, parent);
        put(at + 16, static_cast<std::uint32_t>(entries.size()) << 8);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            put(at + 24 + 12 * i, entries[i].record);
            put(at + 28 + 12 * i, entries[i].child);
        }
    }
    // A message record with a subject (tag 0x08) and its text offset as a value (tag 0x84).
    void message(std::uint32_t at, const std::string& subject, std::uint32_t textOffset)
    {
        put(at, at);
        put(at + 4, static_cast<std::uint32_t>(8 + subject.size() + 1));
        m_bytes[at + 10] = 2;
        put(at + 12, 0x08);
        put(at + 16, 0x84 | textOffset << 8);
        m_bytes.replace(at + 20, subject.size(), subject);
    }
    void block(std::uint32_t at, const std::string& text, std::uint32_t next)
    {
        put(at, at);
        put(at + 4, 0x200);
        put(at + 8, static_cast<std::uint32_t>(text.size()));
        put(at + 12, next);
        m_bytes.replace(at + 16, text.size(), text);
    }
    std::string write(const TempHome& home, const std::string& name) const { return home.write(name, m_bytes); }

private:
    std::string m_bytes;
};

std::vector<std::string> subjects(const vantor::records::DbxIndex& index)
{
    std::vector<std::string> result;
    for (const auto& message : index.messages)
        result.push_back(message.subject);
    return result;
}

} // namespace

TEST(DbxReader, ReadsTheFolderListOfARealStore)
{
    const auto index = DbxReader::readDbxIndex(DbxData + "DbxOutlookExpress/Folders.dbx");
    EXPECT_EQ(index.error, "");
    EXPECT_EQ(index.kind, DbxFileKind::FolderList);
    std::vector<std::string> names;
    std::vector<std::string> files;
    for (const auto& folder : index.folders) {
        names.push_back(folder.name);
        files.push_back(folder.fileName);
    }
    // "Sent Items", "Deleted Items" and "Drafts" are records without a file of their own: not folders the
    // client has ever opened, so not listed.
    EXPECT_EQ(names, (std::vector<std::string>{"Outlook Express", "Local Folders", "Inbox", "Outbox", "Hotmail"}));
    EXPECT_EQ(files, (std::vector<std::string>{"", "", "Inbox.dbx", "Outbox.dbx", ""}));
}

TEST(DbxReader, ReadsAMessageAndItsText)
{
    // A folder the client created and never filled.
    const auto outbox = DbxReader::readDbxIndex(DbxData + "DbxOutlookExpress/Outbox.dbx");
    EXPECT_EQ(outbox.error, "");
    EXPECT_TRUE(outbox.messages.empty());

    const std::string file = DbxData + "Mail-Transport-Dbx/test.dbx";
    const auto index = DbxReader::readDbxIndex(file);
    ASSERT_EQ(index.error, "");
    ASSERT_EQ(index.messages.size(), 1u);
    const auto& message = index.messages.front();
    EXPECT_EQ(message.subject, "Please read you won't be sorry........");
    EXPECT_EQ(message.sender, "Wealth_Enterprises_2002");
    EXPECT_EQ(message.senderAddress, "off_1@webstation.com");
    // Sun Apr 14 00:27:57 2002 GMT.
    EXPECT_EQ(vantor::records::unixSecondsOfFileTime(message.receivedDateTime), 1018744077);
    const auto text = DbxReader::readDbxMessageText(file, message.textOffset);
    EXPECT_EQ(text.error, "");
    EXPECT_NE(text.bytes.find("Subject: Please read you won't be sorry"), std::string::npos);
    EXPECT_EQ(text.bytes.find('\0'), std::string::npos);
}

TEST(DbxReader, RejectsAFileThatIsNotAMailStore)
{
    for (const std::string name : {"DbxOutlookExpress/Offline.dbx", "DbxOutlookExpress/missing.dbx"}) {
        const auto index = DbxReader::readDbxIndex(DbxData + name);
        EXPECT_NE(index.error, "") << name;
        EXPECT_TRUE(index.messages.empty() && index.folders.empty()) << name;
    }
    EXPECT_NE(DbxReader::readDbxMessageText(DbxData + "DbxOutlookExpress/Folders.dbx", 0x100).error, "");
}

// Builds a complete tree of the given depth with fanOut entries a node, numbering the messages in the order
// the client lists them: a node's left subtree, then each entry's record followed by the entry's subtree.
class TreeBuilder
{
public:
    explicit TreeBuilder(StoreBuilder& store)
        : m_store(store)
    {}

    std::uint32_t build(int depth, std::uint32_t parent, int fanOut)
    {
        const std::uint32_t node = allocate(24 + 12 * static_cast<std::uint32_t>(fanOut));
        std::vector<StoreBuilder::Entry> entries;
        const std::uint32_t left = depth > 1 ? build(depth - 1, node, fanOut) : 0;
        for (int i = 0; i < fanOut; ++i) {
            const std::uint32_t record = allocate(48);
            m_store.message(record, "m" + std::to_string(m_count++), 0);
            entries.push_back({record, depth > 1 ? build(depth - 1, node, fanOut) : 0});
        }
        m_store.node(node, left, parent, entries);
        return node;
    }
    int count() const { return m_count; }

private:
    std::uint32_t allocate(std::uint32_t size)
    {
        const std::uint32_t at = m_next;
        m_next += size;
        return at;
    }

    StoreBuilder& m_store;
    std::uint32_t m_next = 0x200;
    int m_count = 0;
};

TEST(DbxReader, WalksATreeOfThreeLevelsInOrderAndJoinsTextBlocks)
{
    TempHome home;
    StoreBuilder store(0x10000);
    TreeBuilder tree(store);
    store.root(tree.build(3, 0, 4));
    // Three blocks; a zero byte ends the middle block's share early.
    store.block(0x8000, "one ", 0x8400);
    store.block(0x8400, std::string("two\0junk", 8), 0x8800);
    store.block(0x8800, " three", 0);
    const std::string file = store.write(home, "Levels.dbx");

    const auto index = DbxReader::readDbxIndex(file);
    EXPECT_EQ(index.error, "");
    std::vector<std::string> expected;
    for (int i = 0; i < tree.count(); ++i)
        expected.push_back("m" + std::to_string(i));
    EXPECT_GT(tree.count(), 51);
    EXPECT_EQ(subjects(index), expected);
    EXPECT_EQ(DbxReader::readDbxMessageText(file, 0x8000).bytes, "one two three");
}

TEST(DbxReader, EndsOnDamageWithWhatWasReadSoFar)
{
    TempHome home;
    {
        // No items: nothing is walked, even a root that is not there.
        StoreBuilder store;
        store.itemCount(0);
        store.root(0x7FFFFFF0);
        const auto index = DbxReader::readDbxIndex(store.write(home, "Empty.dbx"));
        EXPECT_EQ(index.error, "");
        EXPECT_TRUE(index.messages.empty());
    }
    {
        // A record with neither tags nor data is a message that says nothing.
        StoreBuilder store;
        store.root(0x100);
        store.node(0x100, 0, 0, {{0x1000, 0}});
        store.put(0x1000, 0x1000);
        const auto index = DbxReader::readDbxIndex(store.write(home, "Bare.dbx"));
        EXPECT_EQ(index.error, "");
        ASSERT_EQ(index.messages.size(), 1u);
        EXPECT_EQ(index.messages.front().subject, "");
    }
    {
        // Nodes that lead into each other and to themselves, an entry whose record lies outside the file.
        StoreBuilder store;
        store.root(0x100);
        store.node(0x100, 0x200, 0x200, {{0x1000, 0x100}, {0x7FFFFF00, 0}, {0x1100, 0}});
        store.node(0x200, 0x200, 0x100, {{0x1200, 0x200}});
        store.message(0x1000, "kept", 0);
        store.message(0x1100, "never reached", 0);
        store.message(0x1200, "left", 0);
        const auto index = DbxReader::readDbxIndex(store.write(home, "Loops.dbx"));
        EXPECT_NE(index.error, "");
        EXPECT_EQ(subjects(index), (std::vector<std::string>{"left", "kept"}));
    }
    {
        // An entry count that claims more entries than the file can hold, and a text chain in a circle.
        StoreBuilder store;
        store.root(0x100);
        store.put(0x100, 0x100);
        store.put(0x110, 0xFFFFFF00);
        store.block(0x2000, "round ", 0x2400);
        store.block(0x2400, "and round ", 0x2000);
        const std::string file = store.write(home, "Hostile.dbx");
        EXPECT_NE(DbxReader::readDbxIndex(file).error, "");
        const auto text = DbxReader::readDbxMessageText(file, 0x2000);
        EXPECT_NE(text.error, "");
        EXPECT_EQ(text.bytes, "round and round ");
    }
    {
        // A real store cut inside its index: the messages before the cut, and never a read past the end.
        const std::string whole = vantor::test::readBytes(DbxData + "IPED/test_OutlookDBX.dbx");
        const std::uint32_t root = 0x1E254; // where the sample's index node lies
        const std::string file = home.write("Cut.dbx", whole.substr(0, root + 24 + 12 * 10 + 5));
        const auto index = DbxReader::readDbxIndex(file);
        EXPECT_NE(index.error, "");
        const auto full = DbxReader::readDbxIndex(DbxData + "IPED/test_OutlookDBX.dbx");
        ASSERT_EQ(index.messages.size(), 10u);
        for (std::size_t i = 0; i < index.messages.size(); ++i)
            EXPECT_EQ(index.messages[i].subject, full.messages[i].subject);
        EXPECT_NE(DbxReader::readDbxMessageText(file, full.messages.back().textOffset).error, "");
    }
}
