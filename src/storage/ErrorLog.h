#pragma once

#include "base/Clock.h"

#include <string>
#include <string_view>

namespace vantor::storage {

// The permanent error log Error.log: section "Error List", one "dd/mm/yyyy hh.mm.ss=text" line per entry.
class ErrorLog
{
public:
    inline static constexpr std::string_view FileName = "Error.log";
    inline static constexpr std::string_view SectionName = "Error List";

    // homeDir: the directory that holds Error.log; clock: the source of the entries' times, which must
    // outlive the log.
    explicit ErrorLog(std::string homeDir, const base::Clock& clock = base::systemClock());

    // Appends text (cut to 255 characters) under the current local time; an entry of the same second
    // is replaced. Never throws, even when the file cannot be read or written.
    void write(std::string_view text) noexcept;

private:
    std::string m_homeDir;
    const base::Clock* m_clock;
};

} // namespace vantor::storage
