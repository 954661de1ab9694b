#pragma once

#include <chrono>
#include <ctime>

namespace vantor::base {

// The one source of "now" for everything that stamps time: the error log, the check report, message
// identifiers, emails.log, the chart's default range and the profile cache's file-change checks. The
// program runs on systemClock(); tests hand in a SettableClock so that time-stamped output can be compared.
class Clock
{
public:
    using TimePoint = std::chrono::system_clock::time_point;

    virtual ~Clock() = default;
    [[nodiscard]] virtual TimePoint now() const = 0;

    // Now on the local wall clock of the machine's zone, whole seconds.
    [[nodiscard]] std::chrono::local_seconds localNow() const { return toLocal(now()); }
    // The broken-down local time of now, for strftime and for Qt's dates.
    [[nodiscard]] std::tm localCalendar() const { return toCalendar(now()); }

    // A time point on the local wall clock of the machine's zone (as in force at that time), whole seconds.
    [[nodiscard]] static std::chrono::local_seconds toLocal(TimePoint time);
    [[nodiscard]] static std::tm toCalendar(TimePoint time);
};

// The system's real-time clock.
[[nodiscard]] const Clock& systemClock();

// A clock that stands still until it is set or moved on.
class SettableClock : public Clock
{
public:
    explicit SettableClock(TimePoint start = std::chrono::system_clock::now())
        : m_now(start)
    {}

    [[nodiscard]] TimePoint now() const override { return m_now; }
    void set(TimePoint time) { m_now = time; }
    void advance(std::chrono::system_clock::duration step) { m_now += step; }

private:
    TimePoint m_now;
};

} // namespace vantor::base
