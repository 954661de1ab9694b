#pragma once

namespace vantor::fuzz {

// A failed invariant: stops the run with a crash report the fuzzer saves the input for.
inline void require(bool condition)
{
    if (!condition)
        __builtin_trap();
}

} // namespace vantor::fuzz
