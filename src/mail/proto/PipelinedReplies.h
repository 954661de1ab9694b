#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace vantor::mail::proto {

// Splits the byte stream that answers a window of pipelined POP3 commands (RFC 2449) into its replies,
// strictly in the order the commands went out. Each command is expected to answer in one line or, when
// accepted, in many lines ending with a "." line; a "-ERR" status line is always the whole reply. The
// buffer only grows while the window is read; every scan looks mostly at the bytes added since the last.
class PipelinedReplies
{
public:
    // What the next reply in order is: one line (DELE) or, when accepted, many (TOP, RETR).
    void expect(bool multiLine) { m_multiLine.push_back(multiLine); }
    // Forgets the window: nothing expected, nothing split.
    void clear();

    // Takes note of the bytes of buffer not seen before; buffer must be the same buffer, grown.
    void scan(std::string_view buffer);
    // Every expected reply has arrived.
    [[nodiscard]] bool isComplete() const { return !m_isBroken && m_ends.size() == m_multiLine.size(); }
    // A reply began with neither "+OK" nor "-ERR", or bytes came beyond the last expected reply: the
    // replies can no longer be matched to their commands.
    [[nodiscard]] bool isBroken() const { return m_isBroken; }
    // Number of whole replies split so far.
    [[nodiscard]] std::size_t count() const { return m_ends.size(); }
    // Reply i (in the order expected), with its status line and, when many lines, its "." line.
    [[nodiscard]] std::string_view reply(std::string_view buffer, std::size_t i) const;

private:
    std::vector<bool> m_multiLine;
    std::vector<std::size_t> m_ends;
    std::size_t m_start = 0; // where the reply being received begins
    std::size_t m_scanned = 0;
    bool m_isBroken = false;
};

} // namespace vantor::mail::proto
