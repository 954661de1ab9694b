#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::filter {

// Many patterns matched against one text in a single pass (an Aho-Corasick automaton over the bytes that
// occur in the patterns). Each pattern carries the position of its rule; every query answers the lowest
// position among the patterns that match, so the first rule in list order wins as if tried one by one.
class PatternTrie
{
public:
    // Backward tries hold their patterns reversed and read texts from the end (for "Ends with").
    enum class Direction
    {
        Forward,
        Backward
    };

    static constexpr std::size_t NoMatch = std::numeric_limits<std::size_t>::max();

    // foldCase: patterns and texts compare with the letters A to Z lowered, without lowering any text.
    explicit PatternTrie(Direction direction = Direction::Forward, bool foldCase = false);

    // Adds a non-empty pattern (empty ones are ignored) for the rule at position.
    void add(std::string_view pattern, std::size_t position);
    // Builds the automaton; call once after the last add and before any query.
    void build();
    bool empty() const { return m_patterns.empty(); }
    // Lowest position of any pattern: no query can answer lower.
    std::size_t lowestPosition() const { return m_lowestPosition; }

    // Lowest position of a pattern that text starts with (Backward: ends with); NoMatch when none.
    std::size_t firstAnchored(std::string_view text) const;
    // Lowest position of a pattern that occurs in text (Forward tries only); NoMatch when none.
    std::size_t firstContained(std::string_view text) const;

private:
    void assignByteClasses();
    void insertPatterns();
    void linkFailures();
    std::int32_t& transition(std::int32_t node, std::uint16_t byteClass);
    std::int32_t next(std::int32_t node, char c) const;
    std::int32_t addNode(std::int32_t depth);

    void markStartByte(char c);

    Direction m_direction;
    bool m_foldCase;
    std::vector<std::pair<std::string, std::size_t>> m_patterns;
    // Bytes that occur in no pattern share class 0, which always leads back to the root.
    std::array<std::uint16_t, 256> m_classOf{};
    std::size_t m_classCount = 1;
    std::vector<std::int32_t> m_transitions;
    std::vector<std::int32_t> m_depth;
    // Lowest position of a pattern ending exactly at the node.
    std::vector<std::size_t> m_terminal;
    // Lowest position of a pattern ending at the node or at any suffix of it (the failure chain).
    std::vector<std::size_t> m_output;
    std::size_t m_lowestPosition = NoMatch;
    // The bytes that begin a pattern: away from them the root stays the root, so a scan skips ahead to
    // the next one instead of walking the automaton byte by byte.
    std::array<bool, 256> m_startsPattern{};
    std::string m_startBytes;
};

} // namespace vantor::filter
