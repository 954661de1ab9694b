#pragma once

#include "storage/IniError.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::storage {

// One INI document held in memory: an ordered list of sections, each an ordered list of raw lines.
// Loaded whole at construction, written back whole (atomically) only when something changed.
// Names and keys compare ASCII case-insensitively; section names and keys are cut to 255 characters.
// Writes store line breaks inside names and values as blanks, so that each entry stays one line.
class IniFile
{
public:
    // Maximum length of a line read from a file, of a ReadString result and of a WriteString line.
    static constexpr std::size_t MaxLineLength = 255;

    // Loads fileName (a missing file gives an empty document; an empty name keeps the document in memory
    // only). Throws IniError when the file exists but cannot be read.
    explicit IniFile(std::string fileName);
    // Best-effort write-back when modified; never throws (call updateFile() first to see errors).
    ~IniFile();

    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    // Writes the document back now if it is modified; throws IniError and then stays modified.
    void updateFile();
    // True when the document differs from the file it was loaded from.
    bool isModified() const { return m_modified; }
    // Permission bits (e.g. 0600) every write-back gives the file, whatever it had; by default an existing
    // file keeps its own and a new one gets 0666 less the umask.
    void setFileMode(unsigned mode) { m_fileMode = mode; }
    const std::string& fileName() const { return m_fileName; }

    // Value after the first "=" of the first matching key line, cut to 255 characters; def when missing.
    std::string readString(std::string_view section, std::string_view key, std::string_view def) const;
    // Like readString, without the 255-character cut.
    std::string readAnsiString(std::string_view section, std::string_view key, std::string_view def) const;
    // Decimal, "$hex" or "0xhex" with optional leading blanks and sign; anything else gives def.
    int readInteger(std::string_view section, std::string_view key, int def) const;
    // readInteger with def as 1/0; true when the stored number is not 0.
    bool readBool(std::string_view section, std::string_view key, bool def) const;
    // The stored text as hexadecimal digits; def when the key is missing.
    // Throws IniConversionError when the stored text (also an empty one) is not hexadecimal.
    std::uint32_t readHexInteger(std::string_view section, std::string_view key, std::uint32_t def) const;

    // Section names in document order.
    std::vector<std::string> readSections() const;
    // Keys of the section's key lines in order (lines without "=" and empty keys skipped); empty when
    // missing.
    std::vector<std::string> readSection(std::string_view section) const;
    // Raw lines of the section in order; empty when missing.
    std::vector<std::string> readSectionValues(std::string_view section) const;
    bool sectionExists(std::string_view section) const;

    // Replaces the first key line of key (or appends one) with key=value cut to 255 characters.
    // An empty key erases the section (or, with section and value empty too, writes the file back).
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    // Like writeString, without the 255-character cut.
    void writeAnsiString(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, int value);
    // Stores "1" or "0".
    void writeBool(std::string_view section, std::string_view key, bool value);
    // Stores exactly 8 upper-case hexadecimal digits ("000000FF").
    void writeHexInteger(std::string_view section, std::string_view key, std::uint32_t value);

    // Removes the first key line of key.
    void deleteKey(std::string_view section, std::string_view key);
    // Removes the section with all its lines; nothing when missing.
    void eraseSection(std::string_view section);
    // Gives the existing section oldName the name newName in place; another section already named
    // newName is replaced by it. Nothing when oldName is missing or the names are identical.
    void renameSection(std::string_view oldName, std::string_view newName);

private:
    struct Section
    {
        std::string name;
        // Views into m_text or m_ownedLines, so that loading allocates no line of its own.
        std::vector<std::string_view> lines;
    };

    static constexpr std::size_t NotFound = static_cast<std::size_t>(-1);

    void parse();
    std::string_view ownLine(std::string line);
    std::string fileForm() const;

    std::size_t findSection(std::string_view name) const;
    Section& findOrCreateSection(std::string_view name);
    // What follows "=" in the section's first key line of key; empty when there is none.
    std::optional<std::string_view> findValue(std::string_view section, std::string_view key) const;
    void writeLine(std::string_view section, std::string_view key, std::string_view value, bool cut);

    std::string m_fileName;
    // The bytes as loaded; never changed afterwards, since the document's lines point into it.
    std::string m_text;
    // Lines written, or loaded with carriage returns inside; a deque keeps each one in place.
    std::deque<std::string> m_ownedLines;
    std::vector<Section> m_sections;
    // The most recently used section: the circular search starts here, so runs of reads stay cheap.
    mutable std::size_t m_recentSection = 0;
    std::optional<unsigned> m_fileMode;
    bool m_modified = false;
};

} // namespace vantor::storage
