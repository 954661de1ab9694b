#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vantor::bench {

// The same work done by GMime 3: parse each message and decode every leaf part's content.
class GmimePeer
{
public:
    explicit GmimePeer(const std::vector<std::string>& corpus);
    ~GmimePeer();
    GmimePeer(const GmimePeer&) = delete;
    GmimePeer& operator=(const GmimePeer&) = delete;

    // Parses the whole corpus once; returns the number of decoded bytes (so the work is not optimised away).
    std::size_t parseAll();

private:
    struct Buffers;
    Buffers* m_buffers;
};

} // namespace vantor::bench
