#pragma once

#include "filter/Profile.h"

namespace vantor::storage {
class IniFile;
}

namespace vantor::filter {

// Writes profiles into an opened profile document; the caller releases (writes back) the document.
class ProfileWriter
{
public:
    // Erases every section, then writes FilterActive, General, the rule sections, Fil5 and the 250 entries
    // of Fil6 in their fixed key order.
    static void write(storage::IniFile& document, const Profile& profile);
    // Raises the list's count by one and writes the rule's section under the new number.
    static void appendRule(storage::IniFile& document, RuleList list, const FilterRule& rule);
};

} // namespace vantor::filter
