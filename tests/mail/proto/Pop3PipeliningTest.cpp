#include "mail/proto/PipelinedReplies.h"
#include "mail/proto/Pop3Extensions.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace vantor::mail::proto;
using namespace std::string_literals;

namespace {

// The answer to TOP 1 0, DELE 2 (refused), TOP 3 0 (with a dot-stuffed line and an empty header), RETR 4.
const std::string Window = "+OK\r\nSubject: a\r\n\r\n.\r\n"
                           "-ERR message 2 already deleted\r\n"
                           "+OK\r\n.\r\n"
                           "+OK 20 octets\r\n..dot\r\n\r\nbody\r\n.\r\n";

PipelinedReplies expectWindow()
{
    PipelinedReplies replies;
    for (const bool multiLine : {true, false, true, true})
        replies.expect(multiLine);
    return replies;
}

} // namespace

TEST(Pop3PipeliningTest, RepliesAreSplitInOrderWhereverThePiecesEnd)
{
    for (std::size_t pieceSize = 1; pieceSize <= Window.size(); ++pieceSize) {
        PipelinedReplies replies = expectWindow();
        std::string buffer;
        for (std::size_t at = 0; at < Window.size(); at += pieceSize) {
            EXPECT_FALSE(replies.isComplete());
            buffer += Window.substr(at, pieceSize);
            replies.scan(buffer);
        }
        ASSERT_TRUE(replies.isComplete()) << pieceSize;
        EXPECT_EQ(replies.reply(buffer, 0), "+OK\r\nSubject: a\r\n\r\n.\r\n");
        EXPECT_EQ(replies.reply(buffer, 1), "-ERR message 2 already deleted\r\n");
        EXPECT_EQ(replies.reply(buffer, 2), "+OK\r\n.\r\n");
        EXPECT_EQ(replies.reply(buffer, 3), "+OK 20 octets\r\n..dot\r\n\r\nbody\r\n.\r\n");
    }
}

TEST(Pop3PipeliningTest, BytesThatFitNoReplyBreakTheWindow)
{
    for (const std::string& stream : {Window + "+OK\r\n", "+OK\r\n.\r\ngarbage\r\n"s}) {
        PipelinedReplies replies = expectWindow();
        replies.scan(stream);
        EXPECT_TRUE(replies.isBroken()) << stream;
        EXPECT_FALSE(replies.isComplete());
    }
}

TEST(Pop3PipeliningTest, CapabilitiesAreFirstWordsOfTheirLines)
{
    EXPECT_TRUE(hasCapability("+OK\r\nTOP\r\npipelining\r\nUIDL\r\n.\r\n", "PIPELINING"));
    EXPECT_FALSE(hasCapability("+OK\r\nTOP\r\nSASL PIPELINING\r\n.\r\n", "PIPELINING"));
    EXPECT_FALSE(hasCapability("-ERR PIPELINING\r\n", "PIPELINING"));
}

TEST(Pop3PipeliningTest, UniqueIdsMustTellEveryMessageApart)
{
    const auto ids = parseUniqueIds("+OK\r\n1 whqtswO00WBw418f9t5JxYwZ\r\n3 QhdPYR:00WBw1Ph7x7\r\n.\r\n", 3);
    ASSERT_TRUE(ids);
    EXPECT_EQ(*ids, (std::vector<std::string>{"", "whqtswO00WBw418f9t5JxYwZ", "", "QhdPYR:00WBw1Ph7x7"}));

    for (const char* bad : {"+OK\r\n1 a\r\n2 a\r\n.\r\n", "+OK\r\n1 a\r\n1 b\r\n.\r\n", "+OK\r\n4 a\r\n.\r\n",
                            "+OK\r\n0 a\r\n.\r\n", "+OK\r\n1\r\n.\r\n", "+OK\r\n1 a b\r\n.\r\n",
                            "+OK\r\nx a\r\n.\r\n", "-ERR no UIDL\r\n"})
        EXPECT_FALSE(parseUniqueIds(bad, 3)) << bad;
}
