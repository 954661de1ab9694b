#pragma once

#include <fstream>
#include <iterator>
#include <string>

namespace vantor::mail::codec::test {

// Whole file under tests/data as bytes; empty when it cannot be read (the comparisons then fail).
inline std::string readTestFile(const std::string& relativePath)
{
    std::ifstream file(std::string(VANTOR_TEST_DATA) + "/" + relativePath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Text with every LF made CR LF, as lines arrive from a mail server.
inline std::string withCrLf(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 40);
    for (const char c : text) {
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}

} // namespace vantor::mail::codec::test
