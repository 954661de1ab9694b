#include "filter/PatternTrie.h"

#include "base/AsciiCase.h"
#include "filter/TextCompare.h"

#include <queue>

#include <algorithm>

namespace vantor::filter {

namespace {

std::uint8_t byteOf(char c)
{
    return static_cast<std::uint8_t>(c);
}

} // namespace

PatternTrie::PatternTrie(Direction direction, bool foldCase)
    : m_direction(direction)
    , m_foldCase(foldCase)
{}

void PatternTrie::add(std::string_view pattern, std::size_t position)
{
    if (pattern.empty())
        return;
    std::string stored = m_foldCase ? base::toLowerAscii(pattern) : std::string(pattern);
    if (m_direction == Direction::Backward)
        std::reverse(stored.begin(), stored.end());
    m_patterns.emplace_back(std::move(stored), position);
}

void PatternTrie::build()
{
    assignByteClasses();
    insertPatterns();
    linkFailures();
}

void PatternTrie::assignByteClasses()
{
    std::array<bool, 256> used{};
    for (const auto& [pattern, position] : m_patterns) {
        for (char c : pattern)
            used[byteOf(c)] = true;
    }
    m_classCount = 1;
    for (std::size_t b = 0; b < used.size(); ++b)
        m_classOf[b] = used[b] ? static_cast<std::uint16_t>(m_classCount++) : 0;
    // Patterns are stored lowered, so a capital letter walks the automaton like its small letter.
    if (m_foldCase) {
        for (char c = 'A'; c <= 'Z'; ++c)
            m_classOf[byteOf(c)] = m_classOf[byteOf(static_cast<char>(c - 'A' + 'a'))];
    }
}

void PatternTrie::markStartByte(char c)
{
    if (m_startsPattern[byteOf(c)])
        return;
    m_startsPattern[byteOf(c)] = true;
    m_startBytes += c;
}

std::int32_t PatternTrie::addNode(std::int32_t depth)
{
    const auto node = static_cast<std::int32_t>(m_depth.size());
    m_transitions.resize(m_transitions.size() + m_classCount, -1);
    m_depth.push_back(depth);
    m_terminal.push_back(NoMatch);
    m_output.push_back(NoMatch);
    return node;
}

std::int32_t& PatternTrie::transition(std::int32_t node, std::uint16_t byteClass)
{
    return m_transitions[static_cast<std::size_t>(node) * m_classCount + byteClass];
}

void PatternTrie::insertPatterns()
{
    addNode(0);
    for (const auto& [pattern, position] : m_patterns) {
        markStartByte(pattern.front());
        if (m_foldCase && pattern.front() >= 'a' && pattern.front() <= 'z')
            markStartByte(static_cast<char>(pattern.front() - 'a' + 'A'));
        std::int32_t node = 0;
        for (char c : pattern) {
            std::int32_t child = transition(node, m_classOf[byteOf(c)]);
            if (child < 0) {
                child = addNode(m_depth[static_cast<std::size_t>(node)] + 1);
                transition(node, m_classOf[byteOf(c)]) = child;
            }
            node = child;
        }
        std::size_t& terminal = m_terminal[static_cast<std::size_t>(node)];
        terminal = std::min(terminal, position);
        m_lowestPosition = std::min(m_lowestPosition, position);
    }
}

// Breadth-first over the trie: every missing transition takes the one of the failure node, so a query
// follows exactly one transition per byte; each node's output folds in its failure node's output.
void PatternTrie::linkFailures()
{
    std::vector<std::int32_t> failure(m_depth.size(), 0);
    std::queue<std::int32_t> pending;
    m_output[0] = m_terminal[0];
    for (std::uint16_t c = 0; c < m_classCount; ++c) {
        std::int32_t& child = transition(0, c);
        if (child < 0) {
            child = 0;
        } else {
            pending.push(child);
        }
    }
    while (!pending.empty()) {
        const std::int32_t node = pending.front();
        pending.pop();
        const auto index = static_cast<std::size_t>(node);
        const std::int32_t fail = failure[index];
        m_output[index] = std::min(m_terminal[index], m_output[static_cast<std::size_t>(fail)]);
        for (std::uint16_t c = 0; c < m_classCount; ++c) {
            std::int32_t& child = transition(node, c);
            if (child < 0) {
                child = transition(fail, c);
            } else {
                failure[static_cast<std::size_t>(child)] = transition(fail, c);
                pending.push(child);
            }
        }
    }
}

std::int32_t PatternTrie::next(std::int32_t node, char c) const
{
    return m_transitions[static_cast<std::size_t>(node) * m_classCount + m_classOf[byteOf(c)]];
}

std::size_t PatternTrie::firstAnchored(std::string_view text) const
{
    if (m_patterns.empty())
        return NoMatch;
    std::size_t best = NoMatch;
    std::int32_t node = 0;
    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size; ++i) {
        const char c = m_direction == Direction::Forward ? text[i] : text[size - 1 - i];
        const std::int32_t child = next(node, c);
        // Only a trie edge goes one level deeper; any other transition means no pattern continues here.
        if (m_depth[static_cast<std::size_t>(child)] != m_depth[static_cast<std::size_t>(node)] + 1)
            break;
        node = child;
        best = std::min(best, m_terminal[static_cast<std::size_t>(node)]);
    }
    return best;
}

namespace {

// Where each of a few start bytes next occurs in a text, found with memchr and kept until the scan has
// passed it, so a scan with several start bytes still runs at memchr speed.
class StartByteFinder
{
public:
    static constexpr std::size_t MaxBytes = 4;

    StartByteFinder(std::string_view text, std::string_view startBytes)
        : m_text(text)
        , m_startBytes(startBytes)
    {
        m_next.fill(Unknown);
    }

    // The first position at or after from holding a start byte; the text's size when there is none.
    std::size_t nextFrom(std::size_t from)
    {
        std::size_t nearest = m_text.size();
        for (std::size_t b = 0; b < m_startBytes.size(); ++b) {
            if (m_next[b] == Unknown || m_next[b] < from) {
                const std::size_t found = m_text.find(m_startBytes[b], from);
                m_next[b] = found == std::string_view::npos ? m_text.size() : found;
            }
            nearest = std::min(nearest, m_next[b]);
        }
        return nearest;
    }

private:
    static constexpr std::size_t Unknown = std::numeric_limits<std::size_t>::max();

    std::string_view m_text;
    std::string_view m_startBytes;
    std::array<std::size_t, MaxBytes> m_next{};
};

} // namespace

std::size_t PatternTrie::firstContained(std::string_view text) const
{
    if (m_patterns.empty())
        return NoMatch;
    const bool findStarts = m_startBytes.size() <= StartByteFinder::MaxBytes;
    StartByteFinder starts(text, m_startBytes);
    std::size_t best = NoMatch;
    std::int32_t node = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // Away from a start byte the root stays the root: jump to the next one.
        if (node == 0) {
            if (findStarts) {
                i = starts.nextFrom(i);
            } else {
                while (i < text.size() && !m_startsPattern[byteOf(text[i])])
                    ++i;
            }
            if (i == text.size())
                break;
        }
        node = next(node, text[i]);
        const std::size_t output = m_output[static_cast<std::size_t>(node)];
        if (output < best) {
            best = output;
            if (best == m_lowestPosition)
                break;
        }
    }
    return best;
}

} // namespace vantor::filter
