#include "mail/proto/Recipients.h"

#include <gtest/gtest.h>

using vantor::mail::proto::sortedRecipients;
using List = std::vector<std::string>;

TEST(RecipientsTest, SortedWithoutRegardToCase)
{
    EXPECT_EQ(sortedRecipients("carl@x.org,anna@x.org,Ben@x.org"),
              (List{"anna@x.org", "Ben@x.org", "carl@x.org"}));
}

TEST(RecipientsTest, TheSameAddressInAnotherCaseIsOneRecipient)
{
    EXPECT_EQ(sortedRecipients("Anna@X.org,bob@x.org,anna@x.org"), (List{"Anna@X.org", "bob@x.org"}));
}

TEST(RecipientsTest, QuotedItemsKeepCommasBlanksAndDoubledQuotes)
{
    EXPECT_EQ(sortedRecipients(R"("odd, name@x.org","say ""hi""@x.org")"),
              (List{"odd, name@x.org", R"(say "hi"@x.org)"}));
}

TEST(RecipientsTest, BlanksSeparateAndEmptyItemsVanish)
{
    EXPECT_EQ(sortedRecipients(" b@x.org  a@x.org,,,c@x.org, "), (List{"a@x.org", "b@x.org", "c@x.org"}));
    EXPECT_TRUE(sortedRecipients("").empty());
    EXPECT_TRUE(sortedRecipients(" , ,").empty());
    EXPECT_TRUE(sortedRecipients("\"\"").empty());
}
