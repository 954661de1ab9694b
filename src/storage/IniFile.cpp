#include "storage/IniFile.h"

#include "storage/FileBytes.h"
#include "storage/IniText.h"

#include <algorithm>
#include <unordered_set>

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

// A line's key is what stands before its first "=", so a key that holds "=" itself names no line.
bool isKeyLineOf(std::string_view line, std::string_view key)
{
    return line.size() > key.size() && line[key.size()] == '=' &&
           initext::equalsNoCase(line.substr(0, key.size()), key) && key.find('=') == std::string_view::npos;
}

// The first of lines whose key is key, cut to 255 characters like every stored key.
// A name as a write stores it, so that a name with a line break finds what was written under it instead
// of adding a second entry that a reload would drop.
// Lookups are frequent and such names rare, so only they pay for a copy (kept in buffer).
std::string_view storedName(std::string_view name, std::string& buffer)
{
    name = cutName(name);
    if (name.find_first_of("\r\n") == std::string_view::npos)
        return name;
    buffer = withoutLineBreaks(std::string(name));
    return buffer;
}

template <typename Lines> auto findKeyLine(Lines& lines, std::string_view key)
{
    std::string buffer;
    key = storedName(key, buffer);
    return std::find_if(lines.begin(), lines.end(),
                        [key](std::string_view line) { return isKeyLineOf(line, key); });
}

} // namespace

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
    // Names seen so far, whatever their case: a later section of one of them is dropped with its lines.
    std::unordered_set<std::string_view, decltype(&initext::hashNoCase), decltype(&initext::equalsNoCase)>
        seenNames(0, initext::hashNoCase, initext::equalsNoCase);
    Section* current = nullptr;
    const std::string_view text = m_text;
    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t lineFeed = std::min(text.find('\n', position), text.size());
        std::string_view line = text.substr(position, lineFeed - position);
        position = lineFeed + 1;
        // Carriage returns are dropped; only one inside the line, not the usual one at its end, needs a copy.
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.find('\r') != std::string_view::npos) {
            std::string kept(line);
            std::erase(kept, '\r');
            line = ownLine(std::move(kept));
        }
        line = line.substr(0, MaxLineLength);
        if (!line.empty() && line.front() == EndOfFileMark)
            break;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            const std::string_view name = line.substr(1, line.size() - 2);
            current = nullptr;
            if (seenNames.insert(name).second)
                current = &m_sections.emplace_back(Section{std::string(name), {}});
            else
                m_modified = true; // the next write-back stores the file without the duplicate
        } else if (!line.empty() && current != nullptr) {
            current->lines.push_back(line);
        }
    }
}

std::string_view IniFile::ownLine(std::string line)
{
    return m_ownedLines.emplace_back(std::move(line));
}

std::string IniFile::fileForm() const
{
    // Sized first: a large file grown piece by piece is copied over and over into fresh memory.
    std::size_t size = 0;
    for (const Section& section : m_sections) {
        size += section.name.size() + 6; // "[" name "]" and two line ends
        for (const std::string_view line : section.lines)
            size += line.size() + 2;
    }
    std::string text;
    text.reserve(size);
    for (const Section& section : m_sections) {
        if (section.lines.empty())
            continue;
        text.append("[").append(section.name).append("]\r\n");
        for (const std::string_view line : section.lines)
            text.append(line).append("\r\n");
        text.append("\r\n");
    }
    return text;
}

void IniFile::updateFile()
{
    if (!m_modified)
        return;
    if (!m_fileName.empty())
        filebytes::replace(m_fileName, fileForm(), m_fileMode);
    m_modified = false;
}

std::size_t IniFile::findSection(std::string_view name) const
{
    std::string buffer;
    const std::string_view stored = storedName(name, buffer);
    // Circular search from the most recently used section: runs of reads in one section, and walks
    // through the sections in file order, find their section at the first or second step.
    std::size_t index = m_recentSection;
    for (std::size_t step = 0; step < m_sections.size(); ++step, ++index) {
        if (index >= m_sections.size())
            index = 0;
        if (initext::equalsNoCase(m_sections[index].name, stored))
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
    std::string buffer;
    return m_sections.emplace_back(Section{std::string(storedName(name, buffer)), {}});
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
    return found->substr(found->find('=') + 1);
}

std::string IniFile::readString(std::string_view section, std::string_view key, std::string_view def) const
{
    std::string value = readAnsiString(section, key, def);
    value.resize(std::min(value.size(), MaxLineLength));
    return value;
}

std::string IniFile::readAnsiString(std::string_view section, std::string_view key,
                                    std::string_view def) const
{
    return std::string(findValue(section, key).value_or(def));
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
    for (const std::string_view line : m_sections[index].lines) {
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos && equals > 0)
            keys.emplace_back(line.substr(0, equals));
    }
    return keys;
}

std::vector<std::string> IniFile::readSectionValues(std::string_view section) const
{
    const std::size_t index = findSection(section);
    if (index == NotFound)
        return {};
    const auto& lines = m_sections[index].lines;
    return {lines.begin(), lines.end()};
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
    std::string line = withoutLineBreaks(std::string(cutName(key)).append("=").append(value));
    if (cut && line.size() > MaxLineLength)
        line.resize(MaxLineLength);

    Section& target = findOrCreateSection(section);
    const auto found = findKeyLine(target.lines, key);
    if (found == target.lines.end()) {
        target.lines.push_back(ownLine(std::move(line)));
        m_modified = true;
    } else if (*found != line) {
        *found = ownLine(std::move(line));
        m_modified = true;
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
    m_modified = true;
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
    m_modified = true;
}

} // namespace vantor::storage
