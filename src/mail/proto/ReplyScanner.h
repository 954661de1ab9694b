#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vantor::mail::proto {

// Decides when a reply that arrives in pieces is complete. The reply buffer only grows while a reply is
// awaited; every scan looks at the bytes added since the previous one, so a long reply costs linear time.
class ReplyScanner
{
public:
    enum class Rule
    {
        FirstPiece,    // whatever the first piece holds is the reply
        Suffix,        // the reply ends with a given text ("\r\n", or "\r\n.\r\n" for POP3 listings)
        SmtpFinalLine, // the reply ends with a line that is not a "ddd-" continuation line
        Listener       // the owner splits the bytes itself and says when it has all it waits for
    };

    // A new reply with an empty buffer; suffix only for Rule::Suffix (an empty suffix means FirstPiece).
    void restart(Rule rule, std::string suffix = {});
    // Drops the rule (a cancelled or finished wait): the next piece completes whatever has arrived.
    void clearRule();
    // Under Rule::Listener: what has arrived is complete.
    void markComplete() { m_isMarkedComplete = true; }
    Rule rule() const { return m_rule; }

    // Takes note of the bytes of buffer not seen before; buffer must be the same buffer, grown.
    void scan(std::string_view buffer);
    // True when buffer, as scanned, holds a whole reply under the current rule.
    [[nodiscard]] bool isComplete(std::string_view buffer) const;
    // The reply's first line with its CR LF once that has arrived; empty before.
    [[nodiscard]] std::string_view statusLine(std::string_view buffer) const;

private:
    Rule m_rule = Rule::FirstPiece;
    std::string m_suffix;
    std::size_t m_scanned = 0;
    std::size_t m_firstLineEnd = 0;     // 0 while no line break has arrived
    std::size_t m_currentLineStart = 0; // start of the line being received
    std::size_t m_lastLineStart = 0;    // start of the last complete line
    bool m_hasCompleteLine = false;
    bool m_isMarkedComplete = false;
};

} // namespace vantor::mail::proto
