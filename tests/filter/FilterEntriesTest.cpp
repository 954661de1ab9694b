#include "HeaderMessage.h"
#include "ProfileText.h"
#include "support/TempHome.h"
#include "filter/FilterEngine.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vantor::filter {
namespace {

using test::headerMessage;
using test::ProfileText;
using vantor::test::TempHome;
using Lines = std::vector<std::string>;

// The judgements the check cycles act on: verdict, report line, profile column and fallback notices.
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

    Judgement judge(int number, const std::string& address, const std::string& profile = "P",
                    FilterEngine::Mode mode = FilterEngine::Mode::Automatic)
    {
        return engine.judge(number, *from(address), 3000, profile, mode);
    }

    TempHome home;
    FilterEngine engine{home.path(), GetParam()};
};

TEST_P(FilterEntriesTest, AJudgementCarriesTheVerdictItsReportLineAndTheProfileColumn)
{
    const Judgement spam = judge(7, "boss@spam.example");
    EXPECT_EQ(spam.verdict.code, VerdictCode::SenderRule);
    EXPECT_EQ(spam.reportLine, "Msg 7 deleted: Sender: spam.example --> Equals spam.example");
    EXPECT_EQ(spam.verdict.reasonText, "Msg deleted: Sender: spam.example --> Equals spam.example");
    EXPECT_EQ(spam.profileColumn, "P");
    EXPECT_TRUE(spam.fallbackReports.empty() && spam.fallbackErrors.empty());

    EXPECT_EQ(judge(2, "x@listed.example").reportLine,
              "Msg 2 deleted: Spammer: x@listed.example --> listed.example");
    EXPECT_EQ(judge(1, "friend@example.org").reportLine,
              "Msg 1 filtered: Exceptions: friend@example.org --> Equals friend@example.org");
    const Judgement clear = judge(3, "someone@else.example", "P", FilterEngine::Mode::Preview);
    EXPECT_EQ(clear.verdict.code, VerdictCode::Clear);
    EXPECT_EQ(clear.reportLine, "Msg 3 clear");
    EXPECT_EQ(clear.verdict.reasonText, "Msg clear");
}

TEST_P(FilterEntriesTest, AMissingProfileIsReportedAndLoggedInTheAutomaticModeButOnlyLoggedInThePreview)
{
    home.write("Profile/Default.vtf", ProfileText().senderRule("EMail", "Contains", "boss").text());
    const Judgement automatic = judge(4, "boss@else.example", "Gone");
    EXPECT_EQ(automatic.profileColumn, "->Default<-");
    EXPECT_EQ(automatic.reportLine, "Msg 4 deleted: Sender: boss@else.example --> Contains boss");
    EXPECT_EQ(automatic.fallbackReports, Lines{"ERROR: Used Default profile not Gone profile"});
    EXPECT_EQ(automatic.fallbackErrors, Lines{" 00004 - used Default profile not Gone"});

    const Judgement preview = judge(1, "x@else.example", "Gone", FilterEngine::Mode::Preview);
    EXPECT_EQ(preview.profileColumn, "->Default<-");
    EXPECT_TRUE(preview.fallbackReports.empty());
    EXPECT_EQ(preview.fallbackErrors, Lines{" 00010 - used Default profile not Gone"});
}

TEST_P(FilterEntriesTest, WithoutAnyProfileFileTheReaderDefaultsStillDeleteEmptySubjects)
{
    std::filesystem::remove(home.file("Profile/P.vtf"));
    const Judgement empty =
        engine.judge(1, *headerMessage({"From: a@b.example"}), 3000, "P", FilterEngine::Mode::Automatic);
    EXPECT_EQ(empty.verdict.code, VerdictCode::GeneralRule);
    EXPECT_EQ(empty.reportLine, "Msg 1 deleted: Subject empty");
    EXPECT_EQ(judge(2, "a@b.example").reportLine, "Msg 2 clear");
}

TEST_P(FilterEntriesTest, AMissingBlackListFallsBackToDefaultAndIsReportedInBothModes)
{
    home.write("Profile/Q.vtf", ProfileText().set("Fil5", "EBLF", "1").set("Fil5", "BList", "Lost").text());
    home.write("BList/Default.vtl", "x@y.example\r\n");
    for (const FilterEngine::Mode mode : {FilterEngine::Mode::Automatic, FilterEngine::Mode::Preview}) {
        const Judgement judgement = judge(5, "x@y.example", "Q", mode);
        EXPECT_EQ(judgement.reportLine, "Msg 5 deleted: Spammer: x@y.example --> x@y.example");
        EXPECT_EQ(judgement.fallbackReports, Lines{"ERROR: Used Default Black List not Lost"});
        EXPECT_EQ(judgement.fallbackErrors, Lines{" 00004 - used Default Black List not Lost"});
    }
    std::filesystem::remove(home.file("BList/Default.vtl"));
    // No black list file at all is an empty list, still reported.
    const Judgement none = judge(1, "x@y.example", "Q");
    EXPECT_EQ(none.reportLine, "Msg 1 clear");
    EXPECT_EQ(none.fallbackReports, Lines{"ERROR: Used Default Black List not Lost"});
}

TEST_P(FilterEntriesTest, ExceptionsTestMarksTrustedSendersWhateverTheSwitch)
{
    EXPECT_EQ(engine.judgeKept("Offer", "Friend@Example.ORG", "P").verdict.code, VerdictCode::Exception);
    EXPECT_EQ(engine.judgeKept("Offer", "boss@spam.example", "P").verdict.code, VerdictCode::Clear);
    home.write("Profile/P.vtf", ProfileText()
                                    .set("FilterActive", "Exceptions", "0")
                                    .exceptionRule("EMail", "Equals", "friend@example.org")
                                    .exceptionRule("Subject", "Starts with", "[list]")
                                    .text());
    EXPECT_EQ(engine.judgeKept("Offer", "friend@example.org", "P").verdict.code, VerdictCode::Exception);
    const Judgement listed = engine.judgeKept("[LIST] news", "x@y.example", "P");
    EXPECT_EQ(listed.verdict.code, VerdictCode::Exception);
    EXPECT_EQ(listed.profileColumn, "P");
    EXPECT_TRUE(listed.fallbackReports.empty() && listed.fallbackErrors.empty());

    home.write("Profile/P.vtf", ProfileText().senderRule("EMail", "Contains", "friend").text());
    EXPECT_EQ(engine.judgeKept("Offer", "friend@example.org", "P").verdict.code, VerdictCode::Clear);
}

TEST_P(FilterEntriesTest, ExceptionsTestReportsAMissingProfileWithCode00003)
{
    home.write("Profile/Default.vtf", ProfileText().exceptionRule("Domain", "Equals", "example.org").text());
    const Judgement kept = engine.judgeKept("s", "friend@example.org", "Gone");
    EXPECT_EQ(kept.verdict.code, VerdictCode::Exception);
    EXPECT_EQ(kept.profileColumn, "->Default<-");
    EXPECT_EQ(kept.fallbackReports, Lines{"ERROR: Used Default profile not Gone profile"});
    EXPECT_EQ(kept.fallbackErrors, Lines{" 00003 - used Default profile not Gone"});
    EXPECT_EQ(engine.judgeKept("s", "x@other.example", "Gone").verdict.code, VerdictCode::Clear);
}

INSTANTIATE_TEST_SUITE_P(CachedAndUncached, FilterEntriesTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Cached" : "Uncached";
                         });

} // namespace
} // namespace vantor::filter
