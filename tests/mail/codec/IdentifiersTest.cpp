#include "mail/codec/Identifiers.h"

#include <gtest/gtest.h>
#include <set>

namespace vantor::mail::codec {
namespace {

bool isUpperHex(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("0123456789ABCDEF") == std::string_view::npos;
}

// A random number as identifiers write it: upper-case hex of 1 to 8 digits without leading zeros.
bool isRandomNumber(std::string_view text)
{
    return isUpperHex(text) && text.size() <= 8 && (text.size() == 1 || text.front() != '0');
}

TEST(NewBoundary, WordAndEightHexDigitsDifferingEachTime)
{
    std::set<std::string> seen;
    for (int i = 0; i < 200; ++i) {
        const std::string boundary = newBoundary();
        EXPECT_EQ(boundary.size(), 16u) << boundary;
        EXPECT_TRUE(boundary.starts_with("boundary")) << boundary;
        EXPECT_TRUE(isUpperHex(std::string_view(boundary).substr(8))) << boundary;
        seen.insert(boundary);
    }
    EXPECT_GE(seen.size(), 199u);
}

TEST(NewMessageId, DateTimeRandomNumbersAndHost)
{
    const LocalTime when{std::chrono::local_days{std::chrono::year{2002} / 2 / 5} + std::chrono::hours{9} +
                         std::chrono::minutes{8} + std::chrono::seconds{7}};
    const std::string_view prefix = "<20020205090807.";
    const std::string_view suffix = "@192.168.1.2>";
    std::set<std::string> seen;
    for (int i = 0; i < 50; ++i) {
        const std::string id = newMessageId(when, "192.168.1.2");
        ASSERT_TRUE(id.starts_with(prefix) && id.ends_with(suffix)) << id;
        const std::string_view numbers =
            std::string_view(id).substr(prefix.size(), id.size() - prefix.size() - suffix.size());
        const std::size_t dot = numbers.find('.');
        ASSERT_NE(dot, std::string_view::npos) << id;
        EXPECT_TRUE(isRandomNumber(numbers.substr(0, dot))) << id;
        EXPECT_TRUE(isRandomNumber(numbers.substr(dot + 1))) << id;
        seen.insert(id);
    }
    EXPECT_GE(seen.size(), 49u);
}

} // namespace
} // namespace vantor::mail::codec
