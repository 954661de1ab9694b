#include "base/Clock.h"

namespace vantor::base {

namespace {

class SystemClock final : public Clock
{
public:
    TimePoint now() const override { return std::chrono::system_clock::now(); }
};

} // namespace

std::tm Clock::toCalendar(TimePoint time)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    return local;
}

std::chrono::local_seconds Clock::toLocal(TimePoint time)
{
    using namespace std::chrono;
    const std::tm local = toCalendar(time);
    const local_days day{year{local.tm_year + 1900} / (local.tm_mon + 1) / local.tm_mday};
    return day + hours{local.tm_hour} + minutes{local.tm_min} + seconds{local.tm_sec};
}

const Clock& systemClock()
{
    static const SystemClock clock;
    return clock;
}

} // namespace vantor::base
