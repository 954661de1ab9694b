#pragma once

#include <algorithm>
#include <cstddef>
#include <string>

namespace vantor::mail::codec {

// Makes room for extra more bytes, growing geometrically, so that callers appending line by line to
// one buffer stay linear.
inline void reserveMore(std::string& out, std::size_t extra)
{
    const std::size_t needed = out.size() + extra;
    if (needed > out.capacity()) {
        out.reserve(std::max(needed, out.capacity() * 2));
    }
}

} // namespace vantor::mail::codec
