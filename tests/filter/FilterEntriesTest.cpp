#include "HeaderMessage.h"
#include "ProfileText.h"
#include "RecordingActions.h"
#include "TempHome.h"
#include "filter/FilterEngine.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vantor::filter {
namespace {

using test::headerMessage;
using test::ProfileText;
using test::RecordingActions;
using test::TempHome;
using Calls = std::vector<std::string>;

// The entries the check cycles call, seen through what they ask of the cycle, in order.
class FilterEntriesTest : public ::testing::TestWithParam<bool>
{
protected:
    FilterEntriesTest()
    {
        home.write("Profile/P.vtf", ProfileText()
                                        .exceptionRule("EMail", "Equals", "friend@example.org")
                                        .senderRule("Domain", "Equals", "spam.example")
                                        .set("Fil5", "EBLF", "1")
                                        .set("Fil5", "BList", "Known")
                                        .text());
        home.write("BList/Known.vtl", "listed.example\r\n");
    }

    static std::unique_ptr<mail::mime::MailMessage> from(const std::string& address)
    {
        return headerMessage({"From: " + address, "To: me@home.example", "Subject: Offer"});
    }

    void filter(int number, const std::string& address, const std::string& profile = "P")
    {
        engine.filterMessage(number, *from(address), 3000, profile, actions);
    }

    void preview(int number, const std::string& address, const std::string& profile = "P")
    {
        engine.previewMessage(number, *from(address), 3000, profile, actions);
    }

    TempHome home;
    FilterEngine engine{home.path(), GetParam()};
    RecordingActions actions;
};

TEST_P(FilterEntriesTest, AutomaticModeRecordsThenDeletesThenReports)
{
    filter(7, "boss@spam.example");
    EXPECT_EQ(actions.calls(),
              (Calls{"column: P", "record: 3", "delete: 7",
                     "report: Msg 7 deleted: Sender: spam.example --> Equals spam.example"}));
}

TEST_P(FilterEntriesTest, AutomaticModeReportsBlackListVerdictsBeforeDeleting)
{
    filter(2, "x@listed.example");
    EXPECT_EQ(actions.calls(),
              (Calls{"column: P", "report: Msg 2 deleted: Spammer: x@listed.example --> listed.example",
                     "record: 5", "delete: 2"}));
}

TEST_P(FilterEntriesTest, AutomaticModeOnlyReportsMessagesThatStay)
{
    filter(1, "friend@example.org");
    filter(3, "someone@else.example");
    EXPECT_EQ(actions.calls(),
              (Calls{"column: P",
                     "report: Msg 1 filtered: Exceptions: friend@example.org --> Equals friend@example.org",
                     "column: P", "report: Msg 3 clear"}));
}

TEST_P(FilterEntriesTest, PreviewAddsOneRowAndOneReasonPerMessageAndDeletesNothing)
{
    preview(1, "friend@example.org");
    preview(2, "boss@spam.example");
    preview(3, "someone@else.example");
    EXPECT_EQ(
        actions.calls(),
        (Calls{"column: P", "row: 2",
               "reason: Msg filtered: Exceptions: friend@example.org --> Equals friend@example.org",
               "report: Msg 1 filtered: Exceptions: friend@example.org --> Equals friend@example.org",
               "column: P", "row: 3", "reason: Msg deleted: Sender: spam.example --> Equals spam.example",
               "report: Msg 2 deleted: Sender: spam.example --> Equals spam.example", "column: P", "row: 6",
               "reason: Msg clear", "report: Msg 3 clear"}));
}

TEST_P(FilterEntriesTest, MissingProfileFallsBackToDefaultWithCode00004)
{
    home.write("Profile/Default.vtf", ProfileText().senderRule("EMail", "Contains", "boss").text());
    filter(4, "boss@else.example", "Gone");
    EXPECT_EQ(actions.calls(),
              (Calls{"column: ->Default<-", "report: ERROR: Used Default profile not Gone profile",
                     "error: 00004 - used Default profile not Gone", "record: 3", "delete: 4",
                     "report: Msg 4 deleted: Sender: boss@else.example --> Contains boss"}));
}

TEST_P(FilterEntriesTest, PreviewReportsAMissingProfileOnlyInTheErrorLogWithCode00010)
{
    preview(1, "boss@else.example", "Gone");
    EXPECT_EQ(actions.calls(), (Calls{"column: ->Default<-", "error: 00010 - used Default profile not Gone",
                                      "row: 6", "reason: Msg clear", "report: Msg 1 clear"}));
}

TEST_P(FilterEntriesTest, WithoutAnyProfileFileTheReaderDefaultsStillDeleteEmptySubjects)
{
    std::filesystem::remove(home.file("Profile/P.vtf"));
    engine.filterMessage(1, *headerMessage({"From: a@b.example"}), 3000, "P", actions);
    engine.filterMessage(2, *from("a@b.example"), 3000, "P", actions);
    EXPECT_EQ(actions.calls()[3], "record: 4");
    EXPECT_EQ(actions.calls()[5], "report: Msg 1 deleted: Subject empty");
    EXPECT_EQ(actions.calls().back(), "report: Msg 2 clear");
}

TEST_P(FilterEntriesTest, MissingBlackListFallsBackToDefaultInBothModes)
{
    home.write("Profile/Q.vtf", ProfileText().set("Fil5", "EBLF", "1").set("Fil5", "BList", "Lost").text());
    home.write("BList/Default.vtl", "x@y.example\r\n");
    filter(5, "x@y.example", "Q");
    preview(6, "x@y.example", "Q");
    EXPECT_EQ(actions.calls(),
              (Calls{"column: Q", "report: ERROR: Used Default Black List not Lost",
                     "error: 00004 - used Default Black List not Lost",
                     "report: Msg 5 deleted: Spammer: x@y.example --> x@y.example", "record: 5", "delete: 5",
                     "column: Q", "report: ERROR: Used Default Black List not Lost",
                     "error: 00004 - used Default Black List not Lost", "row: 5",
                     "reason: Msg deleted: Spammer: x@y.example --> x@y.example",
                     "report: Msg 6 deleted: Spammer: x@y.example --> x@y.example"}));
}

TEST_P(FilterEntriesTest, NoBlackListFileAtAllIsAnEmptyListStillReported)
{
    std::filesystem::remove(home.file("BList/Known.vtl"));
    filter(1, "x@listed.example");
    EXPECT_EQ(actions.calls(),
              (Calls{"column: P", "report: ERROR: Used Default Black List not Known",
                     "error: 00004 - used Default Black List not Known", "report: Msg 1 clear"}));
}

TEST_P(FilterEntriesTest, ExceptionsTestMarksTrustedSendersWhateverTheSwitch)
{
    EXPECT_EQ(engine.isException("Offer", "Friend@Example.ORG", "P", actions), VerdictCode::Exception);
    EXPECT_EQ(engine.isException("Offer", "boss@spam.example", "P", actions), VerdictCode::Clear);
    home.write("Profile/P.vtf", ProfileText()
                                    .set("FilterActive", "Exceptions", "0")
                                    .exceptionRule("EMail", "Equals", "friend@example.org")
                                    .exceptionRule("Subject", "Starts with", "[list]")
                                    .text());
    EXPECT_EQ(engine.isException("Offer", "friend@example.org", "P", actions), VerdictCode::Exception);
    EXPECT_EQ(engine.isException("[LIST] news", "x@y.example", "P", actions), VerdictCode::Exception);
    EXPECT_EQ(actions.calls(), (Calls(4, "column: P")));
}

TEST_P(FilterEntriesTest, ExceptionsTestWithoutRulesMarksEveryMessageClear)
{
    home.write("Profile/P.vtf", ProfileText().senderRule("EMail", "Contains", "friend").text());
    EXPECT_EQ(engine.isException("Offer", "friend@example.org", "P", actions), VerdictCode::Clear);
}

TEST_P(FilterEntriesTest, ExceptionsTestReportsAMissingProfileWithCode00003EveryTime)
{
    home.write("Profile/Default.vtf", ProfileText().exceptionRule("Domain", "Equals", "example.org").text());
    EXPECT_EQ(engine.isException("s", "friend@example.org", "Gone", actions), VerdictCode::Exception);
    EXPECT_EQ(engine.isException("s", "x@other.example", "Gone", actions), VerdictCode::Clear);
    const Calls once = {"column: ->Default<-", "report: ERROR: Used Default profile not Gone profile",
                        "error: 00003 - used Default profile not Gone"};
    Calls twice = once;
    twice.insert(twice.end(), once.begin(), once.end());
    EXPECT_EQ(actions.calls(), twice);
}

INSTANTIATE_TEST_SUITE_P(CachedAndUncached, FilterEntriesTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Cached" : "Uncached";
                         });

} // namespace
} // namespace vantor::filter
