#include "storage/TimeStamp.h"

#include "base/Clock.h"

#include <ctime>

namespace vantor::storage {

std::string errorLogTimeStamp(std::chrono::system_clock::time_point time)
{
    const std::tm local = base::Clock::toCalendar(time);
    char text[32];
    const std::size_t length = std::strftime(text, sizeof text, "%d/%m/%Y %H.%M.%S", &local);
    return std::string(text, length);
}

} // namespace vantor::storage
