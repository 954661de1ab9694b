#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace vantor::bench {

// A reproducible corpus of mail messages as a mailbox holds them: plain texts, multipart/alternative,
// multipart/mixed with base64 attachments of 10 KB to 2 MB, and plain messages with uuencoded files.
class CorpusGenerator
{
public:
    explicit CorpusGenerator(std::uint32_t seed);

    // count messages in a fixed mix of the four kinds.
    [[nodiscard]] std::vector<std::string> generate(std::size_t count);

private:
    std::string header(const std::string& subject, const std::string& contentType);
    std::string words(std::size_t lines);
    std::string bytes(std::size_t size);
    std::size_t attachmentSize();
    std::string plainMessage(std::size_t n);
    std::string alternativeMessage(std::size_t n);
    std::string mixedMessage(std::size_t n);
    std::string uuencodedMessage(std::size_t n);

    std::mt19937 m_random;
};

} // namespace vantor::bench
