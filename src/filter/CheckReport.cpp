#include "filter/CheckReport.h"

#include <array>
#include <ctime>

namespace vantor::filter {

CheckReport::CheckReport(TimeText timeText)
    : m_timeText(timeText ? std::move(timeText) : [] { return localTimeText(); })
{}

void CheckReport::clear()
{
    m_lines.clear();
}

void CheckReport::add(std::string_view text)
{
    m_lines.push_back(m_timeText() + " - " + std::string(text));
}

std::string CheckReport::localTimeText(const base::Clock& clock)
{
    const std::tm local = clock.localCalendar();
    std::array<char, 64> buffer{};
    const std::size_t length = std::strftime(buffer.data(), buffer.size(), "%X", &local);
    return std::string(buffer.data(), length);
}

} // namespace vantor::filter
