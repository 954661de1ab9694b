#include "filter/PatternTrie.h"

#include <algorithm>
#include <queue>

namespace vantor::filter {

namespace {

std::uint8_t byteOf(char c)
{
    return static_cast<std::uint8_t>(c);
}

} // namespace

PatternTrie::PatternTrie(Direction direction)
    : m_direction(direction)
{
}

void PatternTrie::add(std::string_view pattern, std::size_t position)
{
    if (pattern.empty())
        return;
    std::string stored(pattern);
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

std::size_t PatternTrie::firstContained(std::string_view text) const
{
    if (m_patterns.empty())
        return NoMatch;
    std::size_t best = NoMatch;
    std::int32_t node = 0;
    for (char c : text) {
        node = next(node, c);
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
