#include "filter/OpenedProfile.h"
#include "filter/PatternTrie.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace vantor::filter {
namespace {

constexpr std::size_t None = PatternTrie::NoMatch;

PatternTrie trie(PatternTrie::Direction direction, const std::vector<std::string>& patterns)
{
    PatternTrie made(direction);
    for (std::size_t i = 0; i < patterns.size(); ++i)
        made.add(patterns[i], i);
    made.build();
    return made;
}

TEST(PatternTrieTest, ContainedGivesTheLowestPositionAmongAllOccurrences)
{
    const PatternTrie t = trie(PatternTrie::Direction::Forward, {"hers", "she", "he", "his"});
    EXPECT_EQ(t.firstContained("ushers"), 0u);
    EXPECT_EQ(t.firstContained("ushe"), 1u);
    EXPECT_EQ(t.firstContained("the"), 2u);
    EXPECT_EQ(t.firstContained("this"), 3u);
    EXPECT_EQ(t.firstContained("hi"), None);
    EXPECT_EQ(t.firstContained(""), None);
}

TEST(PatternTrieTest, FailureLinksFindPatternsInsideLongerPartialMatches)
{
    const PatternTrie t = trie(PatternTrie::Direction::Forward, {"abcd", "bcx", "c"});
    EXPECT_EQ(t.firstContained("abcx"), 1u);
    EXPECT_EQ(t.firstContained("abcabcd"), 0u);
    EXPECT_EQ(t.firstContained("ab"), None);
}

TEST(PatternTrieTest, AnchoredWalksMatchOnlyAtTheStartOrTheEnd)
{
    const PatternTrie prefixes = trie(PatternTrie::Direction::Forward, {"abc", "ab", "b"});
    EXPECT_EQ(prefixes.firstAnchored("abcdef"), 0u);
    EXPECT_EQ(prefixes.firstAnchored("abd"), 1u);
    EXPECT_EQ(prefixes.firstAnchored("cab"), None);
    EXPECT_EQ(prefixes.firstAnchored("a"), None);
    const PatternTrie suffixes = trie(PatternTrie::Direction::Backward, {".org", "g", "example.org"});
    EXPECT_EQ(suffixes.firstAnchored("mail.example.org"), 0u);
    EXPECT_EQ(suffixes.firstAnchored("ping"), 1u);
    EXPECT_EQ(suffixes.firstAnchored(".orgx"), None);
    EXPECT_EQ(suffixes.firstAnchored("org"), 1u);
}

TEST(PatternTrieTest, EveryByteValueIsAPatternByte)
{
    const std::string binary("\x00\xff\x80", 3);
    const PatternTrie t = trie(PatternTrie::Direction::Forward, {binary, "\xc3\xa4"});
    EXPECT_EQ(t.firstContained(std::string("x\x00\xff\x80y", 5)), 0u);
    EXPECT_EQ(t.firstContained("\xc3\x84\xc3\xa4"), 1u);
    EXPECT_EQ(t.firstContained(std::string("\x00\xff", 2)), None);
}

TEST(PatternTrieTest, FoldedTriesIgnoreTheCaseOfAsciiLettersOnly)
{
    PatternTrie contained(PatternTrie::Direction::Forward, true);
    contained.add("Mailer: X", 0);
    contained.add("\xC3\xA4", 1);
    contained.build();
    EXPECT_EQ(contained.firstContained("x-MAILER: x1"), 0u);
    EXPECT_EQ(contained.firstContained("\xC3\x84"), None);
    PatternTrie suffixes(PatternTrie::Direction::Backward, true);
    suffixes.add(".ORG", 0);
    suffixes.build();
    EXPECT_EQ(suffixes.firstAnchored("a@b.Org"), 0u);
}

// Random rule lists over a small alphabet, so that matches, overlaps and empty texts are frequent: the
// prepared lists must name the same first rule as trying the rules one by one.
class RandomRules
{
public:
    explicit RandomRules(unsigned seed)
        : m_random(seed)
    {}

    std::string text(std::size_t maxLength)
    {
        static constexpr char Alphabet[] = {'a', 'b', 'A', 'B', '.', '@', ' '};
        std::string made(pick(maxLength + 1), ' ');
        for (char& c : made)
            c = Alphabet[pick(sizeof Alphabet)];
        return made;
    }

    FilterRule rule()
    {
        static const char* Types[] = {"EMail", "Domain", "Subject", "Other"};
        static const char* Conditions[] = {"Contains", "Ends with", "Equals", "Starts with", "contains"};
        FilterRule made;
        made.type = Types[pick(4)];
        made.condition = Conditions[pick(5)];
        made.pattern = text(4);
        made.caseText = pick(2) == 0 ? "Yes" : "No";
        made.check = pick(5) != 0;
        return made;
    }

    MessageFields fields()
    {
        MessageFields made;
        made.senderAddress = text(10);
        made.senderDomain = MessageFields::domainOf(made.senderAddress);
        made.subject = text(12);
        made.headerText = text(40);
        return made;
    }

    std::size_t pick(std::size_t count)
    {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(m_random);
    }

private:
    std::mt19937 m_random;
};

TEST(RuleIndexTest, PreparedListsAgreeWithTryingRulesOneByOne)
{
    RandomRules random(20240607);
    int matches = 0;
    for (int round = 0; round < 400; ++round) {
        Profile profile;
        for (RuleList list : {RuleList::Sender, RuleList::Subject, RuleList::Headers, RuleList::Exceptions}) {
            const std::size_t count = random.pick(12);
            for (std::size_t i = 0; i < count; ++i)
                profile.rules(list).push_back(random.rule());
        }
        const OpenedProfile plain(profile, false);
        const OpenedProfile indexed(profile, true);
        for (int message = 0; message < 40; ++message) {
            const MessageFields sample = random.fields();
            const FieldView fields(sample);
            for (RuleList list :
                 {RuleList::Sender, RuleList::Subject, RuleList::Headers, RuleList::Exceptions}) {
                const std::optional<std::size_t> expected = plain.firstMatchingRule(list, fields);
                ASSERT_EQ(indexed.firstMatchingRule(list, fields), expected)
                    << "round " << round << " list " << static_cast<int>(list) << " address '"
                    << sample.senderAddress << "' subject '" << sample.subject << "'";
                matches += expected.has_value();
            }
        }
    }
    // The comparison only means something when both answers are often a match.
    EXPECT_GT(matches, 10000);
}

} // namespace
} // namespace vantor::filter
