#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantor::records {

// One card of an address book export: the name a person would read and every e-mail address, in the
// card's order. Texts are UTF-8.
struct VCardContact
{
    std::string displayName;
    std::vector<std::string> emails;
};

// The cards of a vCard file (versions 2.1, 3.0 and 4.0), in file order.
struct VCardFile
{
    enum class Problem
    {
        None,
        // The file is missing or cannot be read.
        Unreadable,
        // Larger than any address book export; not read at all.
        TooLarge,
        // Readable, but not a single card in it.
        NoCards
    };

    Problem problem = Problem::None;
    std::vector<VCardContact> contacts;
};

// The cards in bytes: unfolded lines, QUOTED-PRINTABLE and CHARSET honoured, FN or else N as the display
// name. Damaged input gives what could be read, never a crash.
std::vector<VCardContact> parseVCards(std::string_view bytes);

// Reads the file at path (UTF-8 path) and parses it.
VCardFile readVCardFile(const std::string& path);

} // namespace vantor::records
