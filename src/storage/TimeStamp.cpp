#include "storage/TimeStamp.h"

#include <ctime>

namespace vantor::storage {

std::string errorLogTimeStamp(std::chrono::system_clock::time_point time)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    const std::size_t length = std::strftime(text, sizeof text, "%d/%m/%Y %H.%M.%S", &local);
    return std::string(text, length);
}

} // namespace vantor::storage
