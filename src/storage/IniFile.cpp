#include "storage/IniFile.h"

#include "storage/FileBytes.h"
#include "storage/IniText.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace vantor::storage {

namespace {

constexpr char EndOfFileMark = '\x1A';

std::string_view cutName(std::string_view name)
{
    return name.substr(0, IniFile::MaxLineLength);
}

// A line break inside a name or value would split the line when the file is read again (and could
// even forge a section header), so writes store it as a blank.
std::string withoutLineBreaks(std::string text)
{
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

// Out of line on purpose: inlined after a cut to 255 characters, g++ 12 expands the copy of a short
// text into "rep movsq", which costs more than the whole key lookup around it.
[[gnu::noinline]] std::string copyOf(std::string_view text)
{
    return std::string(text.data(), text.size());
}

} // namespace

void IniFile::Line::tooLong()
{
    throw std::length_error("INI line too long");
}

template <typename Lines> auto IniFile::findKeyLine(Lines& lines, std::string_view key)
{
    return std::find_if(lines.begin(), lines.end(),
                        [lookup = LookupKey(key)](const Line& line) { return line.hasKey(lookup); });
}

IniFile::IniFile(std::string fileName)
    : m_fileName(std::move(fileName))
{
    if (m_fileName.empty())
        return;
    if (auto bytes = filebytes::read(m_fileName)) {
        m_text = std::move(*bytes);
        parse();
    }
}

IniFile::~IniFile()
{
    try {
        updateFile();
    } catch (...) {
        // Release has no caller to tell; callers that care call updateFile() themselves.
    }
}

void IniFile::parse()
{
    // Lines are gathered here and each section gets one exactly sized copy.
    std::vector<Line> pending;
    bool inSection = false;
    // Where the current section's bytes begin and where its closing blank line ends (0 until seen), and
    // whether they are still exactly its file form.
    std::size_t sourceBegin = 0;
    std::size_t sourceEnd = 0;
    bool exactSource = false;
    const std::string_view text = m_text;
    const auto closeSection = [&] {
        if (inSection) {
            Section& section = m_sections.back();
            section.lines.assign(pending.begin(), pending.end());
            if (exactSource && sourceEnd != 0)
                section.source = text.substr(sourceBegin, sourceEnd - sourceBegin);
        }
        pending.clear();
    };
    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t lineBegin = position;
        const std::size_t lineFeed = std::min(text.find('\n', position), text.size());
        std::string_view line = text.substr(position, lineFeed - position);
        position = lineFeed + 1;
        // Whether the line is stored as it stands and ends in CR LF, as the file form writes it.
        bool exact = lineFeed < text.size() && !line.empty() && line.back() == '\r';
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        // Only a lone carriage return inside the line needs a copy of its own.
        if (line.find('\r') != std::string_view::npos) {
            std::string kept(line);
            kept.erase(std::remove(kept.begin(), kept.end(), '\r'), kept.end());
            line = ownLine(std::move(kept)).text();
            exact = false;
        }
        if (line.size() > MaxLineLength) {
            line = line.substr(0, MaxLineLength);
            exact = false;
        }
        if (!line.empty() && line.front() == EndOfFileMark)
            break;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            closeSection();
            m_sections.push_back(Section{std::string(line.substr(1, line.size() - 2)), {}, {}});
            inSection = true;
            sourceBegin = lineBegin;
            sourceEnd = 0;
            exactSource = exact;
        } else if (line.empty()) {
            // One blank line closes a section in file form; any other is dropped and changes the bytes.
            if (exact && sourceEnd == 0 && !pending.empty())
                sourceEnd = position;
            else
                exactSource = false;
        } else if (inSection) {
            exactSource = exactSource && exact && sourceEnd == 0;
            pending.emplace_back(line);
        }
    }
    closeSection();
    removeDuplicateSections();
}

void IniFile::removeDuplicateSections()
{
    // An open-addressing table of the first section of each name, at least twice as large as the
    // number of sections, so that probe runs stay short.
    constexpr std::uint32_t Empty = std::numeric_limits<std::uint32_t>::max();
    std::size_t capacity = 16;
    while (capacity < 2 * m_sections.size())
        capacity *= 2;
    std::vector<std::uint32_t> firstOfName(capacity, Empty);
    std::vector<bool> dropped(m_sections.size(), false);
    bool anyDropped = false;
    for (std::uint32_t index = 0; index < m_sections.size(); ++index) {
        const std::string& name = m_sections[index].name;
        std::size_t slot = initext::hashNoCase(name) & (capacity - 1);
        while (firstOfName[slot] != Empty && !initext::equalsNoCase(m_sections[firstOfName[slot]].name, name))
            slot = (slot + 1) & (capacity - 1);
        if (firstOfName[slot] == Empty) {
            firstOfName[slot] = index;
        } else {
            dropped[index] = true;
            anyDropped = true;
        }
    }
    if (!anyDropped)
        return;
    std::size_t index = 0;
    m_sections.erase(std::remove_if(m_sections.begin(), m_sections.end(),
                                    [&](const Section&) { return dropped[index++]; }),
                     m_sections.end());
    // The next write-back stores the file without the dropped sections.
    m_modified = true;
}

IniFile::Line IniFile::ownLine(std::string line)
{
    return Line(m_ownedLines.emplace_back(std::move(line)));
}

std::vector<std::string_view> IniFile::fileForm(std::string& built) const
{
    constexpr std::string_view LineEnd = "\r\n";
    std::size_t size = 0;
    for (const Section& section : m_sections) {
        if (section.lines.empty() || !section.source.empty())
            continue;
        size += section.name.size() + 2 + 2 * LineEnd.size(); // "[" name "]" CR LF, and the blank line after
        for (const Line& line : section.lines)
            size += line.text().size() + LineEnd.size();
    }
    // Filled through a cursor: a megabyte of short pieces costs several times more through append().
    built.assign(size, '\0');
    char* cursor = built.data();
    const auto put = [&cursor](std::string_view piece) {
        std::memcpy(cursor, piece.data(), piece.size());
        cursor += piece.size();
    };
    std::vector<std::string_view> pieces;
    // Sections whose bytes follow each other (unchanged neighbours, or built ones) make one piece.
    const auto addPiece = [&pieces](std::string_view piece) {
        if (!pieces.empty() && pieces.back().data() + pieces.back().size() == piece.data())
            pieces.back() = std::string_view(pieces.back().data(), pieces.back().size() + piece.size());
        else
            pieces.push_back(piece);
    };
    for (const Section& section : m_sections) {
        if (section.lines.empty())
            continue;
        if (!section.source.empty()) {
            addPiece(section.source);
            continue;
        }
        const char* begin = cursor;
        put("[");
        put(section.name);
        put("]\r\n");
        for (const Line& line : section.lines) {
            put(line.text());
            put(LineEnd);
        }
        put(LineEnd);
        addPiece({begin, static_cast<std::size_t>(cursor - begin)});
    }
    return pieces;
}

void IniFile::sectionChanged(Section& section)
{
    section.source = {};
    m_modified = true;
}

void IniFile::updateFile()
{
    if (!m_modified)
        return;
    if (!m_fileName.empty()) {
        std::string built;
        filebytes::replace(m_fileName, fileForm(built), m_fileMode);
    }
    m_modified = false;
}

std::size_t IniFile::findSection(std::string_view name) const
{
    name = cutName(name);
    const auto matches = [this, name](std::size_t index) {
        return initext::equalsNoCase(m_sections[index].name, name);
    };
    // Circular search from the most recently used section: runs of reads in one section, and walks
    // through the sections in file order, find their section at the first or second step.
    const std::size_t start = std::min(m_recentSection, m_sections.size());
    for (std::size_t index = start; index < m_sections.size(); ++index) {
        if (matches(index))
            return m_recentSection = index;
    }
    for (std::size_t index = 0; index < start; ++index) {
        if (matches(index))
            return m_recentSection = index;
    }
    return NotFound;
}

IniFile::Section& IniFile::findOrCreateSection(std::string_view name)
{
    const std::size_t index = findSection(name);
    if (index != NotFound)
        return m_sections[index];
    m_recentSection = m_sections.size();
    return m_sections.emplace_back(Section{withoutLineBreaks(std::string(cutName(name))), {}, {}});
}

std::optional<std::string_view> IniFile::findValue(std::string_view section, std::string_view key) const
{
    const std::size_t index = findSection(section);
    if (index == NotFound)
        return std::nullopt;
    const auto& lines = m_sections[index].lines;
    const auto found = findKeyLine(lines, key);
    if (found == lines.end())
        return std::nullopt;
    return found->text().substr(found->keyLength() + 1);
}

std::string IniFile::readString(std::string_view section, std::string_view key, std::string_view def) const
{
    return copyOf(findValue(section, key).value_or(def).substr(0, MaxLineLength));
}

std::string IniFile::readAnsiString(std::string_view section, std::string_view key,
                                    std::string_view def) const
{
    return copyOf(findValue(section, key).value_or(def));
}

int IniFile::readInteger(std::string_view section, std::string_view key, int def) const
{
    const auto value = findValue(section, key);
    return value ? initext::parseInteger(value->substr(0, MaxLineLength)).value_or(def) : def;
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool def) const
{
    return readInteger(section, key, def ? 1 : 0) != 0;
}

std::uint32_t IniFile::readHexInteger(std::string_view section, std::string_view key, std::uint32_t def) const
{
    const auto value = findValue(section, key);
    if (!value)
        return def;
    const std::string_view text = value->substr(0, MaxLineLength);
    if (const auto value = initext::parseHex(text))
        return *value;
    throw IniConversionError("'$" + std::string(text) + "' is not a valid integer value");
}

std::vector<std::string> IniFile::readSections() const
{
    std::vector<std::string> names;
    names.reserve(m_sections.size());
    for (const Section& section : m_sections)
        names.emplace_back(section.name);
    return names;
}

std::vector<std::string> IniFile::readSection(std::string_view section) const
{
    std::vector<std::string> keys;
    const std::size_t index = findSection(section);
    if (index == NotFound)
        return keys;
    keys.reserve(m_sections[index].lines.size());
    for (const Line& line : m_sections[index].lines) {
        if (line.keyLength() != NotFound && line.keyLength() > 0)
            keys.emplace_back(line.text().data(), line.keyLength());
    }
    return keys;
}

std::vector<std::string> IniFile::readSectionValues(std::string_view section) const
{
    const std::size_t index = findSection(section);
    if (index == NotFound)
        return {};
    std::vector<std::string> lines;
    lines.reserve(m_sections[index].lines.size());
    for (const Line& line : m_sections[index].lines)
        lines.emplace_back(line.text());
    return lines;
}

bool IniFile::sectionExists(std::string_view section) const
{
    return findSection(section) != NotFound;
}

void IniFile::writeLine(std::string_view section, std::string_view key, std::string_view value, bool cut)
{
    if (key.empty()) {
        if (!section.empty() || !value.empty())
            eraseSection(section);
        else
            updateFile();
        return;
    }
    key = cutName(key);
    std::string line = withoutLineBreaks(std::string(key).append("=").append(value));
    if (cut && line.size() > MaxLineLength)
        line.resize(MaxLineLength);

    Section& target = findOrCreateSection(section);
    const auto found = findKeyLine(target.lines, key);
    if (found == target.lines.end()) {
        target.lines.push_back(ownLine(std::move(line)));
        sectionChanged(target);
    } else if (found->text() != line) {
        *found = ownLine(std::move(line));
        sectionChanged(target);
    }
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    writeLine(section, key, value, true);
}

void IniFile::writeAnsiString(std::string_view section, std::string_view key, std::string_view value)
{
    writeLine(section, key, value, false);
}

void IniFile::writeInteger(std::string_view section, std::string_view key, int value)
{
    writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(std::string_view section, std::string_view key, bool value)
{
    writeString(section, key, value ? "1" : "0");
}

void IniFile::writeHexInteger(std::string_view section, std::string_view key, std::uint32_t value)
{
    writeString(section, key, initext::formatHex8(value));
}

void IniFile::deleteKey(std::string_view section, std::string_view key)
{
    const std::size_t index = findSection(section);
    if (index == NotFound)
        return;
    auto& lines = m_sections[index].lines;
    const auto found = findKeyLine(lines, key);
    if (found == lines.end())
        return;
    lines.erase(found);
    sectionChanged(m_sections[index]);
}

void IniFile::eraseSection(std::string_view section)
{
    const std::size_t index = findSection(section);
    if (index == NotFound)
        return;
    m_sections.erase(m_sections.begin() + static_cast<std::ptrdiff_t>(index));
    m_recentSection = 0;
    m_modified = true;
}

void IniFile::renameSection(std::string_view oldName, std::string_view newName)
{
    oldName = cutName(oldName);
    newName = cutName(newName);
    if (oldName == newName)
        return;
    std::size_t index = findSection(oldName);
    if (index == NotFound)
        return;
    // Two sections of one name would collapse into the first at the next load; the renamed one wins
    // now, as a file renamed over another replaces it.
    const std::size_t other = findSection(newName);
    if (other != NotFound && other != index) {
        m_sections.erase(m_sections.begin() + static_cast<std::ptrdiff_t>(other));
        if (other < index)
            --index;
    }
    m_sections[index].name = withoutLineBreaks(std::string(newName));
    m_recentSection = index;
    // Unlike a key write, a rename always changes the document, and it must reach the file.
    sectionChanged(m_sections[index]);
}

} // namespace vantor::storage
