#pragma once

#include "base/Clock.h"

namespace vantor::test {

// A clock that moves on by one second each time it is read, so that every entry of the error log gets a
// second of its own and none replaces another.
class SteppingClock : public base::Clock
{
public:
    explicit SteppingClock(TimePoint start = std::chrono::system_clock::now())
        : m_last(start)
    {}

    TimePoint now() const override { return m_last += std::chrono::seconds(1); }

private:
    mutable TimePoint m_last;
};

} // namespace vantor::test
