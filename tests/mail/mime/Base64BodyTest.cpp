#include "mail/mime/Base64Body.h"

#include "mail/codec/Base64.h"

#include <gtest/gtest.h>
#include <random>

using vantor::mail::mime::decodeBase64Body;

// The fast body decoder must give exactly the bytes of the codec's line-by-line decoding.
TEST(Base64Body, MatchesLineByLineDecodingOnEdgeCases)
{
    const char* cases[] = {"",
                           "YWJj\r\nZGVm\r\n",
                           "  YWJj  \r\n\tZGVm\r\nZ\r\n",
                           "YQ==YWJj\r\nYWI=\r\n",
                           "YW Jj\r\n!!!!\r\nYWJ\r\nj\r\n",
                           "=YWJ\r\nYWJj=\r\nYWJjZA\r\n",
                           "YWJj\nZGVm\rZ2hp",
                           "\r\n\r\n\n"};
    for (const char* text : cases)
        EXPECT_EQ(decodeBase64Body(text), vantor::mail::codec::decodeBase64Lines(text)) << text;
}

TEST(Base64Body, MatchesLineByLineDecodingOnRandomText)
{
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/=\r\n \t!";
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        std::string text(random() % 200, ' ');
        for (auto& c : text)
            c = alphabet[random() % (random() % 4 == 0 ? alphabet.size() : 64)];
        ASSERT_EQ(decodeBase64Body(text), vantor::mail::codec::decodeBase64Lines(text)) << text;
    }
}
