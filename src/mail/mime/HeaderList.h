#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::mail::mime {

// Field lookup over header lines. A line beginning with a blank continues the field before it (raw
// lines of a header-only fetch); lookups read such a field whole, joined as parsing joins it.
class HeaderList
{
public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    // Index of the ordinal-th (from 0) line starting with name + ":" (any case), or npos.
    [[nodiscard]] static std::size_t find(const std::vector<std::string>& lines, std::string_view name,
                                          int ordinal = 0);
    // Indexes of every line starting with name + ":" (any case), in order, found in one pass.
    [[nodiscard]] static std::vector<std::size_t> findAll(const std::vector<std::string>& lines,
                                                          std::string_view name);
    // The field at index with its continuation lines appended: one space, their leading blanks dropped.
    [[nodiscard]] static std::string joined(const std::vector<std::string>& lines, std::size_t index);
    // Makes the field at index one entry (its continuation lines joined in and removed).
    static void collapse(std::vector<std::string>& lines, std::size_t index);
    // Removes the field at index and its continuation lines.
    static void erase(std::vector<std::string>& lines, std::size_t index);
    // Removes every field of that name and their continuation lines, in one pass.
    static void eraseAll(std::vector<std::string>& lines, std::string_view name);
    // Appends `rest` of a continuation line (first byte is the blank) to an entry as parsing does.
    static void appendContinuation(std::string& entry, std::string_view continuation);

private:
    [[nodiscard]] static std::size_t continuationEnd(const std::vector<std::string>& lines,
                                                     std::size_t index);
};

} // namespace vantor::mail::mime
