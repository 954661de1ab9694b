// Loads arbitrary bytes as an INI file, writes the document back and loads it again: every section
// that has lines must come back with the same name and the same lines, whatever the input held. The
// written bytes must be exactly the file form of the document.
#include "fuzz_support/Require.h"
#include "fuzz_support/ScratchDirectory.h"
#include "storage/IniFile.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

using vantor::fuzz::require;
using vantor::fuzz::ScratchDirectory;
using vantor::storage::IniFile;
using Document = std::vector<std::pair<std::string, std::vector<std::string>>>;

std::string fileForm(const Document& document)
{
    std::string text;
    for (const auto& [name, lines] : document) {
        text += "[" + name + "]\r\n";
        for (const std::string& line : lines)
            text += line + "\r\n";
        text += "\r\n";
    }
    return text;
}

std::string fileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

Document linedSections(const IniFile& ini)
{
    Document document;
    for (const std::string& name : ini.readSections()) {
        auto lines = ini.readSectionValues(name);
        if (!lines.empty())
            document.emplace_back(name, std::move(lines));
    }
    return document;
}

const std::string& scratchPath()
{
    static const ScratchDirectory directory("vantor-ini-fuzz");
    static const std::string path = (directory.path() / "input.ini").string();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& path = scratchPath();
    vantor::fuzz::writeFile(path, data, size);
    Document before;
    {
        IniFile ini(path);
        before = linedSections(ini);
        // A write that changes the document and one that undoes it force the write-back. Headers read
        // from a file name at most 253 characters, so this section cannot be one of the input's.
        const std::string scratchSection(IniFile::MaxLineLength, 's');
        ini.writeString(scratchSection, "k", "v");
        ini.eraseSection(scratchSection);
        ini.updateFile();
        require(!ini.isModified());
    }
    require(fileBytes(path) == fileForm(before));
    require(linedSections(IniFile(path)) == before);
    return 0;
}
