#include "mail/proto/PipelinedReplies.h"

#include <algorithm>

namespace vantor::mail::proto {

void PipelinedReplies::clear()
{
    m_multiLine.clear();
    m_ends.clear();
    m_start = 0;
    m_scanned = 0;
    m_isBroken = false;
}

void PipelinedReplies::scan(std::string_view buffer)
{
    while (!m_isBroken) {
        if (m_ends.size() == m_multiLine.size()) {
            // Nothing more was asked for: a further byte answers no command of this window.
            m_isBroken = buffer.size() > m_start;
            break;
        }
        const std::size_t lineEnd = buffer.find("\r\n", m_start);
        if (lineEnd == std::string_view::npos)
            break;
        const std::string_view status = buffer.substr(m_start, lineEnd + 2 - m_start);
        const bool isRefusal = status.starts_with("-ERR");
        if (!isRefusal && !status.starts_with("+OK")) {
            m_isBroken = true;
            break;
        }
        std::size_t end = lineEnd + 2;
        if (!isRefusal && m_multiLine[m_ends.size()]) {
            // The "." line may follow the status line at once, so the search starts at its CR LF; a
            // search resumed after a piece looks back far enough for a terminator cut in two.
            const std::size_t from = std::max(lineEnd, m_scanned >= 4 ? m_scanned - 4 : 0);
            const std::size_t dot = buffer.find("\r\n.\r\n", from);
            if (dot == std::string_view::npos)
                break;
            end = dot + 5;
        }
        m_ends.push_back(end);
        m_start = end;
        m_scanned = end;
    }
    m_scanned = std::max(m_scanned, buffer.size());
}

std::string_view PipelinedReplies::reply(std::string_view buffer, std::size_t i) const
{
    const std::size_t begin = i == 0 ? 0 : m_ends[i - 1];
    return buffer.substr(begin, m_ends[i] - begin);
}

} // namespace vantor::mail::proto
