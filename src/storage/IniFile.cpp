#include "storage/IniFile.h"

#include "storage/FileBytes.h"
#include "storage/IniText.h"

#include <algorithm>

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

// The first line among lines whose text before its first "=" equals key without regard to case.
// A key that holds "=" itself therefore names no line.
template <typename Lines>
auto findKeyLine(Lines& lines, std::string_view key)
{
    if (key.find('=') != std::string_view::npos)
        return lines.end();
    return std::find_if(lines.begin(), lines.end(), [key](std::string_view line) {
        return line.size() > key.size() && line[key.size()] == '=' &&
               initext::equalsNoCase(line.substr(0, key.size()), key);
    });
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
    // Lines are gathered here and each section gets one exactly sized copy.
    std::vector<std::string_view> pending;
    bool inSection = false;
    const auto closeSection = [&] {
        if (inSection)
            m_sections.back().lines.assign(pending.begin(), pending.end());
        pending.clear();
    };
    const std::string_view text = m_text;
    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t lineFeed = std::min(text.find('\n', position), text.size());
        std::string_view line = text.substr(position, lineFeed - position);
        position = lineFeed + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        // Only a lone carriage return inside the line needs a copy of its own.
        if (line.find('\r') != std::string_view::npos) {
            std::string kept(line);
            kept.erase(std::remove(kept.begin(), kept.end(), '\r'), kept.end());
            line = ownLine(std::move(kept));
        }
        line = line.substr(0, MaxLineLength);
        if (!line.empty() && line.front() == EndOfFileMark)
            break;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            closeSection();
            m_sections.push_back(Section{std::string(line.substr(1, line.size() - 2)), {}});
            inSection = true;
        } else if (!line.empty() && inSection) {
            pending.push_back(line);
        }
    }
    closeSection();
    removeDuplicateSections();
}

void IniFile::removeDuplicateSections()
{
    // Sorting (name hash, position) pairs brings equal names together in file order; within a run of
    // one hash, a name that equals an earlier one is a duplicate.
    std::vector<std::pair<std::uint64_t, std::size_t>> order;
    order.reserve(m_sections.size());
    for (std::size_t i = 0; i < m_sections.size(); ++i)
        order.emplace_back(initext::hashNoCase(m_sections[i].name), i);
    std::sort(order.begin(), order.end());
    std::vector<bool> dropped(m_sections.size(), false);
    const auto sameName = [this](std::size_t a, std::size_t b) {
        return initext::equalsNoCase(m_sections[a].name, m_sections[b].name);
    };
    for (std::size_t run = 0; run < order.size();) {
        std::size_t end = run + 1;
        while (end < order.size() && order[end].first == order[run].first)
            ++end;
        for (std::size_t later = run + 1; later < end; ++later) {
            for (std::size_t earlier = run; earlier < later; ++earlier) {
                if (!dropped[order[earlier].second] && sameName(order[earlier].second, order[later].second)) {
                    dropped[order[later].second] = true;
                    break;
                }
            }
        }
        run = end;
    }
    std::size_t index = 0;
    const auto kept = std::remove_if(m_sections.begin(), m_sections.end(),
                                     [&](const Section&) { return dropped[index++]; });
    if (kept == m_sections.end())
        return;
    m_sections.erase(kept, m_sections.end());
    // The next write-back stores the file without the dropped sections.
    m_modified = true;
}

std::string_view IniFile::ownLine(std::string line)
{
    return m_ownedLines.emplace_back(std::move(line));
}

std::string IniFile::serialize() const
{
    std::size_t size = 0;
    for (const Section& section : m_sections)
        for (const std::string_view line : section.lines)
            size += line.size() + 2;
    std::string text;
    text.reserve(size + m_sections.size() * 8);
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
        filebytes::replace(m_fileName, serialize());
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
    return m_sections.emplace_back(Section{withoutLineBreaks(std::string(cutName(name))), {}});
}

std::optional<std::string_view> IniFile::findValue(std::string_view section, std::string_view key) const
{
    const std::size_t index = findSection(section);
    if (index == NotFound)
        return std::nullopt;
    key = cutName(key);
    const auto& lines = m_sections[index].lines;
    const auto found = findKeyLine(lines, key);
    if (found == lines.end())
        return std::nullopt;
    return found->substr(key.size() + 1);
}

std::string IniFile::readString(std::string_view section, std::string_view key, std::string_view def) const
{
    return std::string(findValue(section, key).value_or(def).substr(0, MaxLineLength));
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
        names.push_back(section.name);
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
    key = cutName(key);
    std::string line = withoutLineBreaks(std::string(key).append("=").append(value));
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
    key = cutName(key);
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
