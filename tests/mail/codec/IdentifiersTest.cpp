#include "mail/codec/Identifiers.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

namespace vantor::mail::codec {
namespace {

TEST(NewBoundary, WordAndEightHexDigitsDifferingEachTime)
{
    const std::regex shape("boundary[0-9A-F]{8}");
    std::set<std::string> seen;
    for (int i = 0; i < 200; ++i) {
        const std::string boundary = newBoundary();
        EXPECT_TRUE(std::regex_match(boundary, shape)) << boundary;
        seen.insert(boundary);
    }
    EXPECT_GE(seen.size(), 199u);
}

TEST(NewMessageId, DateTimeRandomNumbersAndHost)
{
    const LocalTime when{std::chrono::local_days{std::chrono::year{2002} / 2 / 5} + std::chrono::hours{9} +
                         std::chrono::minutes{8} + std::chrono::seconds{7}};
    const std::regex shape(R"(<20020205090807\.(0|[1-9A-F][0-9A-F]{0,7})\.(0|[1-9A-F][0-9A-F]{0,7})@192\.168\.1\.2>)");
    std::set<std::string> seen;
    for (int i = 0; i < 50; ++i) {
        const std::string id = newMessageId(when, "192.168.1.2");
        EXPECT_TRUE(std::regex_match(id, shape)) << id;
        seen.insert(id);
    }
    EXPECT_GE(seen.size(), 49u);
    EXPECT_TRUE(newMessageId("10.0.0.1").ends_with("@10.0.0.1>"));
}

} // namespace
} // namespace vantor::mail::codec
