#include "mail/proto/ReplyScanner.h"

#include "mail/proto/SmtpReplies.h"

namespace vantor::mail::proto {

void ReplyScanner::restart(Rule rule, std::string suffix)
{
    m_rule = (rule == Rule::Suffix && suffix.empty()) ? Rule::FirstPiece : rule;
    m_suffix = std::move(suffix);
    m_scanned = 0;
    m_firstLineEnd = 0;
    m_currentLineStart = 0;
    m_lastLineStart = 0;
    m_hasCompleteLine = false;
    m_isMarkedComplete = false;
}

void ReplyScanner::clearRule()
{
    m_rule = Rule::FirstPiece;
    m_suffix.clear();
}

void ReplyScanner::scan(std::string_view buffer)
{
    // Beyond the first line only SMTP replies need their line starts; a long message is not walked.
    if (m_hasCompleteLine && m_rule != Rule::SmtpFinalLine) {
        m_scanned = buffer.size();
        return;
    }
    // A CR at the end of the previous piece pairs with an LF at the start of this one: look back one byte.
    for (std::size_t i = buffer.find('\n', m_scanned); i != std::string_view::npos;
         i = buffer.find('\n', i + 1)) {
        if (i == 0 || buffer[i - 1] != '\r')
            continue;
        if (!m_hasCompleteLine)
            m_firstLineEnd = i + 1;
        m_hasCompleteLine = true;
        m_lastLineStart = m_currentLineStart;
        m_currentLineStart = i + 1;
        if (m_rule != Rule::SmtpFinalLine)
            break;
    }
    m_scanned = buffer.size();
}

bool ReplyScanner::isComplete(std::string_view buffer) const
{
    switch (m_rule) {
    case Rule::FirstPiece:
        return true;
    case Rule::Suffix:
        return buffer.ends_with(m_suffix);
    case Rule::Listener:
        return m_isMarkedComplete;
    case Rule::SmtpFinalLine:
        if (!m_hasCompleteLine || m_currentLineStart != buffer.size())
            return false;
        return isSmtpFinalLine(buffer.substr(m_lastLineStart, m_currentLineStart - 2 - m_lastLineStart));
    }
    return false;
}

std::string_view ReplyScanner::statusLine(std::string_view buffer) const
{
    return m_hasCompleteLine ? buffer.substr(0, m_firstLineEnd) : std::string_view();
}

} // namespace vantor::mail::proto
