#include "records/DbxReader.h"

#include "records/WindowedFile.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <unordered_set>

namespace vantor::records {

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t RootOffsetAt = 0x30;
constexpr std::uint32_t ItemCountAt = 0xC4;
constexpr std::size_t HeaderSize = ItemCountAt + 4;
constexpr std::size_t NodeHeaderSize = 24;
constexpr std::size_t EntrySize = 12;
constexpr std::size_t RecordHeaderSize = 12;
constexpr std::size_t BlockHeaderSize = 16;
constexpr std::size_t BlockTextSize = 512;
constexpr std::size_t BlockSize = BlockHeaderSize + BlockTextSize;
// Enough for a record of a dozen short texts in one read of the disk, little enough that reading the records
// scattered over a large file does not read the file whole.
constexpr std::size_t IndexWindow = 1024;

constexpr std::array<unsigned char, 4> Signature{0xCF, 0xAD, 0x12, 0xFE};
// Bytes 4 to 19: the class of the file. The two kinds differ only in their first byte.
constexpr std::array<unsigned char, 16> MessageStoreClass{0xC5, 0xFD, 0x74, 0x6F, 0x66, 0xE3, 0xD1, 0x11,
                                                          0x9A, 0x4E, 0x00, 0xC0, 0x4F, 0xA3, 0x09, 0xD4};
constexpr unsigned char FolderListClassFirstByte = 0xC6;

const char* const DamagedText = "the file is damaged; what was read before the damage is shown";

std::uint32_t u32(const unsigned char* bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

std::uint64_t u64(const unsigned char* bytes)
{
    return static_cast<std::uint64_t>(u32(bytes)) | static_cast<std::uint64_t>(u32(bytes + 4)) << 32;
}

// The tag list and data area of one data record.
class DataRecord
{
public:
    DataRecord(std::vector<unsigned char> body, std::size_t tagCount)
        : m_body(std::move(body))
        , m_tagCount(tagCount)
    {}

    std::size_t tagCount() const { return m_tagCount; }
    unsigned tagId(std::size_t i) const { return m_body[4 * i]; }
    // Tags 0x80 and above carry their value; the others an offset into the data area.
    std::uint32_t tagValue(std::size_t i) const { return u32(&m_body[4 * i]) >> 8; }

    std::string text(std::size_t i) const
    {
        const std::size_t at = dataStart() + tagValue(i);
        if (at >= m_body.size())
            return {};
        const auto begin = m_body.begin() + static_cast<std::ptrdiff_t>(at);
        return std::string(begin, std::find(begin, m_body.end(), 0));
    }
    std::uint32_t number(std::size_t i) const { return fits(i, 4) ? u32(dataAt(i)) : 0; }
    std::uint64_t fileTime(std::size_t i) const { return fits(i, 8) ? u64(dataAt(i)) : 0; }

private:
    std::size_t dataStart() const { return 4 * m_tagCount; }
    bool fits(std::size_t i, std::size_t length) const
    {
        const std::size_t at = dataStart() + tagValue(i);
        return at <= m_body.size() && length <= m_body.size() - at;
    }
    const unsigned char* dataAt(std::size_t i) const { return &m_body[dataStart() + tagValue(i)]; }

    std::vector<unsigned char> m_body;
    std::size_t m_tagCount;
};

std::optional<DbxFolderInfo> folderOf(const DataRecord& record)
{
    DbxFolderInfo folder;
    bool isFolder = false;
    for (std::size_t i = 0; i < record.tagCount(); ++i) {
        switch (record.tagId(i)) {
        case 0x80: folder.id = record.tagValue(i); break;
        case 0x81: folder.parentId = record.tagValue(i); break;
        case 0x02: folder.name = record.text(i); break;
        case 0x03:
            folder.fileName = record.text(i);
            isFolder = true;
            break;
        case 0x06: isFolder = true; break;
        default: break;
        }
    }
    if (!isFolder)
        return std::nullopt;
    return folder;
}

DbxMessageInfo messageOf(const DataRecord& record, std::uint32_t recordOffset)
{
    DbxMessageInfo message;
    message.recordOffset = recordOffset;
    for (std::size_t i = 0; i < record.tagCount(); ++i) {
        switch (record.tagId(i)) {
        case 0x80: message.index = record.tagValue(i); break;
        case 0x81: message.flags = record.tagValue(i); break;
        case 0x02: message.dateTime = record.fileTime(i); break;
        case 0x12: message.receivedDateTime = record.fileTime(i); break;
        case 0x08: message.subject = record.text(i); break;
        case 0x0D: message.sender = record.text(i); break;
        case 0x0E: message.senderAddress = record.text(i); break;
        case 0x13: message.recipient = record.text(i); break;
        case 0x91: message.size = record.tagValue(i); break;
        case 0x04: message.textOffset = record.number(i); break;
        case 0x84: message.textOffset = record.tagValue(i); break;
        default: break;
        }
    }
    return message;
}

std::optional<DbxFileKind> kindOf(const unsigned char* header)
{
    if (!std::equal(Signature.begin(), Signature.end(), header))
        return std::nullopt;
    if (std::equal(MessageStoreClass.begin(), MessageStoreClass.end(), header + 4))
        return DbxFileKind::MessageStore;
    if (header[4] == FolderListClassFirstByte &&
        std::equal(MessageStoreClass.begin() + 1, MessageStoreClass.end(), header + 5))
        return DbxFileKind::FolderList;
    return std::nullopt;
}

// Walks the index tree in order: a node's left subtree (+8), then each entry's record followed by the
// entry's subtree. +12 leads back to the parent, which the visited set has already seen. The walk keeps its
// own stack, so a hostile file cannot exhaust the program's.
class IndexWalk
{
public:
    IndexWalk(WindowedFile& file, DbxIndex& index)
        : m_file(file)
        , m_index(index)
        // A sound tree lists every entry once, and entries lie in the file: more than fit in it is a loop.
        , m_entryBudget(file.size() / EntrySize)
    {}

    void run(std::uint32_t root)
    {
        enter(root);
        while (!m_stack.empty() && m_index.error.empty()) {
            Frame& frame = m_stack.back();
            const std::uint32_t step = frame.step++;
            if (step == 0)
                enter(frame.parentLink);
            else if (step == 1)
                enter(frame.leftLink);
            else if (const std::size_t entry = (step - 2) / 2; entry >= frame.entryCount)
                m_stack.pop_back();
            else if ((step - 2) % 2 == 0)
                readRecord(u32(&frame.entries[entry * EntrySize]));
            else
                enter(u32(&frame.entries[entry * EntrySize + 4]));
        }
        if (m_isCut && m_index.error.empty())
            m_index.error = DamagedText;
    }

private:
    struct Frame
    {
        std::uint32_t parentLink = 0;
        std::uint32_t leftLink = 0;
        std::vector<unsigned char> entries;
        std::size_t entryCount = 0;
        std::uint32_t step = 0;
    };

    void enter(std::uint32_t node)
    {
        if (node == 0 || m_visited.contains(node))
            return;
        std::array<unsigned char, NodeHeaderSize> header{};
        if (!m_file.read(node, header.data(), header.size())) {
            m_index.error = DamagedText;
            return;
        }
        // A node that does not name itself is not a node: the spot is skipped, as the client skips it.
        if (u32(header.data()) != node)
            return;
        m_visited.insert(node);
        Frame frame;
        frame.leftLink = u32(&header[8]);
        frame.parentLink = u32(&header[12]);
        frame.entryCount = u32(&header[16]) >> 8;
        if (frame.entryCount > m_entryBudget) {
            m_index.error = DamagedText;
            return;
        }
        // A file cut inside a node still gives the entries before the cut.
        const std::uint64_t entriesAt = std::uint64_t{node} + NodeHeaderSize;
        const std::uint64_t room = (m_file.size() - entriesAt) / EntrySize;
        if (frame.entryCount > room) {
            frame.entryCount = static_cast<std::size_t>(room);
            m_isCut = true;
        }
        if (!m_file.read(entriesAt, frame.entries, frame.entryCount * EntrySize)) {
            m_index.error = DamagedText;
            return;
        }
        m_entryBudget -= frame.entryCount;
        m_stack.push_back(std::move(frame));
    }

    void readRecord(std::uint32_t offset)
    {
        if (offset == 0)
            return;
        std::array<unsigned char, RecordHeaderSize> header{};
        if (!m_file.read(offset, header.data(), header.size())) {
            m_index.error = DamagedText;
            return;
        }
        if (u32(header.data()) != offset)
            return;
        const std::uint32_t length = u32(&header[4]);
        const std::size_t tagCount = header[10];
        std::vector<unsigned char> body;
        if (4 * tagCount > length || !m_file.read(std::uint64_t{offset} + RecordHeaderSize, body, length)) {
            m_index.error = DamagedText;
            return;
        }
        const DataRecord record(std::move(body), tagCount);
        if (m_index.kind == DbxFileKind::MessageStore)
            m_index.messages.push_back(messageOf(record, offset));
        else if (auto folder = folderOf(record))
            m_index.folders.push_back(std::move(*folder));
    }

    WindowedFile& m_file;
    DbxIndex& m_index;
    std::uint64_t m_entryBudget;
    std::unordered_set<std::uint32_t> m_visited;
    std::vector<Frame> m_stack;
    bool m_isCut = false;
};

} // namespace

std::int64_t unixSecondsOfFileTime(std::uint64_t fileTime)
{
    constexpr std::int64_t SecondsFrom1601To1970 = 11644473600;
    return static_cast<std::int64_t>(fileTime / 10'000'000) - SecondsFrom1601To1970;
}

DbxReader::DbxReader(const fs::path& path)
    : m_path(path)
    , m_file(std::make_unique<WindowedFile>(path))
{
    std::array<unsigned char, HeaderSize> header{};
    if (!m_file->isOpen())
        m_openError = "cannot open " + path.string();
    else if (!m_file->read(0, header.data(), header.size()) || !(m_kind = kindOf(header.data())))
        m_openError = path.filename().string() + " is not a mail store file";
    else {
        m_itemCount = u32(&header[ItemCountAt]);
        m_rootOffset = u32(&header[RootOffsetAt]);
    }
}

DbxReader::~DbxReader() = default;

DbxIndex DbxReader::readIndex()
{
    DbxIndex index;
    if (!m_openError.empty()) {
        index.error = m_openError;
        return index;
    }
    index.kind = *m_kind;
    if (m_itemCount > 0) {
        // Records are small and lie anywhere among the message texts.
        m_file->setWindow(IndexWindow);
        IndexWalk(*m_file, index).run(m_rootOffset);
    }
    return index;
}

DbxReader::MessageText DbxReader::readMessageText(std::uint32_t offset)
{
    MessageText text;
    if (!m_openError.empty() || m_kind != DbxFileKind::MessageStore) {
        text.error = m_openError.empty() ? m_path.filename().string() + " holds no messages" : m_openError;
        return text;
    }
    if (m_itemCount == 0)
        return text;
    // A message's blocks mostly follow each other.
    m_file->setWindow(WindowedFile::DefaultWindow);
    // A chain that comes back to a block it has passed is caught by Brent's method: the block it last stood
    // on at a power of two steps is remembered, and a loop reaches it again within a few times its length,
    // without keeping the whole chain.
    std::uint32_t remembered = 0;
    std::size_t stepsSinceRemembered = 0;
    std::size_t nextPower = 1;
    for (std::uint32_t at = offset; at != 0;) {
        const unsigned char* block = at != remembered ? m_file->view(at, BlockSize) : nullptr;
        if (block == nullptr) {
            text.error = DamagedText;
            break;
        }
        if (u32(block) != at)
            break;
        const std::size_t used = std::min<std::size_t>(u32(block + 8), BlockTextSize);
        const char* bytes = reinterpret_cast<const char*>(block + BlockHeaderSize);
        const void* zero = std::memchr(bytes, 0, used);
        text.bytes.append(bytes, zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - bytes) : used);
        if (++stepsSinceRemembered == nextPower) {
            remembered = at;
            stepsSinceRemembered = 0;
            nextPower *= 2;
        }
        at = u32(block + 12);
    }
    return text;
}

} // namespace vantor::records
