#pragma once

#include <chrono>
#include <string>

namespace vantor::storage {

// Local time as "dd/mm/yyyy hh.mm.ss", the key form of the error log.
std::string errorLogTimeStamp(std::chrono::system_clock::time_point time);

} // namespace vantor::storage
