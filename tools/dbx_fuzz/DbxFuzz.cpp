// Reads arbitrary bytes as a .dbx store file: the walk ends, a file that does not start as a store gives an
// error and nothing else, no more records come out than the file has room for, and every message text
// read is no longer than the file and holds no zero byte.
#include "fuzz_support/Require.h"
#include "fuzz_support/ScratchDirectory.h"
#include "records/DbxReader.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

using vantor::fuzz::require;
using vantor::records::DbxReader;

// Reading every text of a large walk says no more than reading the first few dozen.
constexpr std::size_t TextsRead = 64;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const vantor::fuzz::ScratchDirectory scratch("vantor-dbx-fuzz");
    const auto file = scratch.path() / "store.dbx";
    vantor::fuzz::writeFile(file, data, size);

    const auto index = DbxReader::readDbxIndex(file);
    const bool hasSignature = size >= 4 && std::memcmp(data, "\xCF\xAD\x12\xFE", 4) == 0;
    if (!hasSignature)
        require(!index.error.empty() && index.messages.empty() && index.folders.empty());
    require(index.messages.size() + index.folders.size() <= size / 12);
    for (std::size_t i = 0; i < index.messages.size() && i < TextsRead; ++i) {
        const auto text = DbxReader::readDbxMessageText(file, index.messages[i].textOffset);
        require(text.bytes.size() <= size);
        require(text.bytes.find('\0') == std::string::npos);
    }
    return 0;
}
