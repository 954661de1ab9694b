#pragma once

#include "base/Clock.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::filter {

// The check report: the timestamped lines of the last check, emptied when a check starts.
class CheckReport
{
public:
    // The current local time as the report shows it.
    using TimeText = std::function<std::string()>;

    // timeText: the desktop passes the system's long time format; the default is the C library's "%X".
    explicit CheckReport(TimeText timeText = nullptr);

    // Empties the report (at the start of each check, preview build and preview finish).
    void clear();
    // Appends time + " - " + text.
    void add(std::string_view text);
    const std::vector<std::string>& lines() const { return m_lines; }

    // The local time of clock's now formatted with strftime("%X").
    static std::string localTimeText(const base::Clock& clock = base::systemClock());

private:
    TimeText m_timeText;
    std::vector<std::string> m_lines;
};

} // namespace vantor::filter
