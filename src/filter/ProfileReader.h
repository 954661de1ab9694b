#pragma once

#include "filter/Profile.h"

namespace vantor::storage {
class IniFile;
}

namespace vantor::filter {

// Reads a whole profile from an opened profile document, each key with its reader default.
class ProfileReader
{
public:
    // The rule lists hold the rule sections numbered 1 .. count that exist, in number order; a missing
    // section would only read as an inactive rule, so it is left out rather than made up (which also keeps
    // a damaged count of millions from costing anything).
    static Profile read(const storage::IniFile& document);
};

} // namespace vantor::filter
