#include "mail/proto/Commands.h"

#include <gtest/gtest.h>
#include <string>

using namespace vantor::mail::proto;

TEST(CommandsTest, CommandLinesEndWithCrLf)
{
    EXPECT_EQ(commandLine("LIST"), "LIST\r\n");
    EXPECT_EQ(commandLine("USER", "anna"), "USER anna\r\n");
    EXPECT_EQ(commandLine("TOP", "12 0"), "TOP 12 0\r\n");
    EXPECT_EQ(pathCommand("MAIL FROM:", "a@example.org"), "MAIL FROM: <a@example.org>\r\n");
    EXPECT_EQ(pathCommand("RCPT TO:", ""), "RCPT TO: <>\r\n");
}

TEST(CommandsTest, ArgumentsWithLineBreaksAreRefused)
{
    EXPECT_FALSE(isSafeArgument("pw\r\nDELE 1"));
    EXPECT_FALSE(isSafeArgument("a\rb"));
    EXPECT_FALSE(isSafeArgument("a\nb"));
    EXPECT_TRUE(isSafeArgument("with spaces and \t tabs"));
    EXPECT_FALSE(commandLine("PASS", "secret\r\nDELE 1"));
    EXPECT_FALSE(pathCommand("RCPT TO:", "a@b.c>\r\nRCPT TO:<evil@x.y"));
    EXPECT_FALSE(authLoginLine("user\n"));
}

TEST(CommandsTest, AuthLoginEncodesTheWholeValueOnOneLine)
{
    EXPECT_EQ(authLoginLine("anna"), "YW5uYQ==\r\n");
    EXPECT_EQ(authLoginLine(""), "\r\n");
    // 60 bytes: more than the 57 that make one line of the base64 stream form.
    std::string expected;
    for (int group = 0; group < 20; ++group)
        expected += "eHh4";
    EXPECT_EQ(authLoginLine(std::string(60, 'x')), expected + "\r\n");
}
