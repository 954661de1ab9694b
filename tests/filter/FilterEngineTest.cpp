#include "filter/FilterEngine.h"

#include "HeaderMessage.h"
#include "ProfileText.h"
#include "support/TempHome.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vantor::filter {
namespace {

using test::headerMessage;
using test::ProfileText;
using vantor::test::TempHome;
using Lines = std::initializer_list<std::string>;

const Lines Ordinary = {"From: Alice <alice@example.org>", "To: bob@example.net", "Subject: Hello there"};

// Every case runs twice: with the parsed-file cache and with every file read and parsed afresh.
class FilterEngineTest : public ::testing::TestWithParam<bool>
{
protected:
    void writeProfile(const ProfileText& text, const std::string& name = "P") const
    {
        home.write("Profile/" + name + ".vtf", text.text());
    }

    Verdict judge(Lines lines, std::int64_t size = 5000, const std::string& profile = "P")
    {
        const auto message = headerMessage(lines);
        return engine.evaluate(*message, size, profile).verdict;
    }

    Verdict judge(const ProfileText& text, Lines lines = Ordinary, std::int64_t size = 5000)
    {
        writeProfile(text);
        return judge(lines, size);
    }

    VerdictCode code(const ProfileText& text, Lines lines = Ordinary, std::int64_t size = 5000)
    {
        return judge(text, lines, size).code;
    }

    TempHome home;
    FilterEngine engine{home.path(), GetParam()};
};

ProfileText allFamiliesMatching()
{
    return ProfileText()
        .exceptionRule("EMail", "Equals", "alice@example.org")
        .senderRule("EMail", "Equals", "alice@example.org")
        .subjectRule("Contains", "hello")
        .headerRule("Contains", "bob@")
        .set("Fil5", "GR4", "0")
        .set("Fil5", "Est", "1")
        .set("Fil5", "EstValue", "1000000");
}

TEST_P(FilterEngineTest, FamiliesAreTriedInTheirFixedOrder)
{
    ProfileText text = allFamiliesMatching();
    EXPECT_EQ(code(text), VerdictCode::Exception);
    EXPECT_EQ(code(text.set("FilterActive", "Exceptions", "0")), VerdictCode::SenderRule);
    EXPECT_EQ(code(text.set("FilterActive", "Sender", "0")), VerdictCode::SubjectRule);
    EXPECT_EQ(code(text.set("FilterActive", "Subject", "0")), VerdictCode::HeaderRule);
    EXPECT_EQ(code(text.set("FilterActive", "Headers", "0")), VerdictCode::GeneralRule);
    EXPECT_EQ(code(text.set("FilterActive", "Other", "0")), VerdictCode::Clear);
}

TEST_P(FilterEngineTest, OtherSwitchAlsoCoversBlackListAndMainLevelDomain)
{
    home.write("BList/Default.vtl", "example.org\r\n");
    ProfileText text = ProfileText().set("Fil5", "EBLF", "1");
    EXPECT_EQ(code(text), VerdictCode::BlackList);
    EXPECT_EQ(code(text.set("FilterActive", "Other", "0")), VerdictCode::Clear);
    text = ProfileText().set("Fil5", "MLD", "1").set("Fil5", "MLDNum", "1").set("Fil6", "Domain1", ".org");
    text.set("Fil6", "DomainValue1", "1");
    EXPECT_EQ(code(text), VerdictCode::BlackList);
    EXPECT_EQ(code(text.set("FilterActive", "Other", "0")), VerdictCode::Clear);
}

TEST_P(FilterEngineTest, RuleTextsNameFieldConditionAndPatternAsCompared)
{
    EXPECT_EQ(judge(ProfileText().exceptionRule("Domain", "Equals", "Example.ORG")),
              (Verdict{VerdictCode::Exception, " filtered: Exceptions: example.org --> Equals example.org",
                       "Msg filtered: Exceptions: example.org --> Equals example.org"}));
    EXPECT_EQ(judge(ProfileText().senderRule("EMail", "Starts with", "ALICE")),
              (Verdict{VerdictCode::SenderRule, " deleted: Sender: alice@example.org --> Starts with alice",
                       "Msg deleted: Sender: alice@example.org --> Starts with alice"}));
    EXPECT_EQ(judge(ProfileText().subjectRule("Ends with", "There", "Yes"),
                    {"From: a@b.example", "Subject: Out There"}),
              (Verdict{VerdictCode::SubjectRule, " deleted: Subject: Out There --> Ends with There",
                       "Msg deleted: Subject: Out There --> Ends with There"}));
    EXPECT_EQ(judge(ProfileText().headerRule("Starts with", "from: alice"),
                    {"From: alice@x.example", "Subject: s"}),
              (Verdict{VerdictCode::HeaderRule,
                       " deleted: Headers: from: alice@x.examplesubject: s --> Starts with from: alice",
                       "Msg deleted: Headers: from: alice@x.examplesubject: s --> Starts with from: alice"}));
}

TEST_P(FilterEngineTest, HeaderContainsReasonKeepsItsLeadingDash)
{
    const Verdict verdict = judge(ProfileText().headerRule("Contains", "X-Mailer: Bulk", "Yes"),
                                  {"From: a@b.example", "Subject: s", "X-Mailer: Bulk 1.0"});
    EXPECT_EQ(verdict.reportText,
              " deleted: Headers: From: a@b.exampleSubject: sX-Mailer: Bulk 1.0 --> Contains X-Mailer: Bulk");
    EXPECT_EQ(
        verdict.reasonText,
        " - Msg deleted: Headers: From: a@b.exampleSubject: sX-Mailer: Bulk 1.0 --> Contains X-Mailer: Bulk");
}

TEST_P(FilterEngineTest, FirstActiveRuleOfAListWins)
{
    ProfileText text = ProfileText()
                           .senderRule("EMail", "Contains", "alice", "No", "0")
                           .senderRule("Nobody", "Contains", "alice")
                           .senderRule("Domain", "Ends with", ".org")
                           .senderRule("EMail", "Contains", "alice");
    EXPECT_EQ(judge(text).reportText, " deleted: Sender: example.org --> Ends with .org");
}

TEST_P(FilterEngineTest, ExceptionsOnAddressOrDomainHonourOnlyEquals)
{
    EXPECT_EQ(code(ProfileText().exceptionRule("EMail", "Contains", "alice")), VerdictCode::Clear);
    EXPECT_EQ(code(ProfileText().exceptionRule("Domain", "Ends with", ".org")), VerdictCode::Clear);
    EXPECT_EQ(code(ProfileText().exceptionRule("Subject", "Contains", "hello")), VerdictCode::Exception);
    EXPECT_EQ(code(ProfileText().exceptionRule("Sender", "Equals", "alice@example.org")), VerdictCode::Clear);
}

TEST_P(FilterEngineTest, CaseYesKeepsLetterCaseAnyOtherValueLowersBothSides)
{
    const Lines capitals = {"From: Alice <alice@EXAMPLE.ORG>", "To: b@c.example", "Subject: s"};
    EXPECT_EQ(code(ProfileText().senderRule("Domain", "Equals", "example.org", "No"), capitals),
              VerdictCode::SenderRule);
    EXPECT_EQ(code(ProfileText().senderRule("Domain", "Equals", "example.org", "Yes"), capitals),
              VerdictCode::Clear);
    EXPECT_EQ(code(ProfileText().senderRule("Domain", "Equals", "example.org", "yes"), capitals),
              VerdictCode::SenderRule);
    EXPECT_EQ(code(ProfileText().senderRule("Domain", "Equals", "EXAMPLE.ORG", "Yes"), capitals),
              VerdictCode::SenderRule);
}

TEST_P(FilterEngineTest, LoweringTouchesOnlyAsciiLetters)
{
    // "Ä" is C3 84 and "ä" C3 A4 in UTF-8: only the A to Z bytes are lowered.
    const ProfileText text = ProfileText().subjectRule("Equals", "\xC3\x84rger");
    EXPECT_EQ(code(text, {"From: a@b.example", "Subject: \xC3\x84RGER"}), VerdictCode::SubjectRule);
    EXPECT_EQ(code(text, {"From: a@b.example", "Subject: \xC3\xA4rger"}), VerdictCode::Clear);
}

TEST_P(FilterEngineTest, SubjectRulesSeeTheWholeDecodedSubject)
{
    // Words split over two encoded words of a folded line, and words hidden behind a semicolon.
    const ProfileText rule = ProfileText().subjectRule("Contains", "势在必行");
    EXPECT_EQ(code(rule, {"From: a@b.example",
                          "Subject: =?UTF-8?Q?=E5=8A=BF=E5=9C=A8=E5=BF=85?=", "\t=?UTF-8?Q?=E8=A1=8C?="}),
              VerdictCode::SubjectRule);
    EXPECT_EQ(code(ProfileText().subjectRule("Contains", "viagra"),
                   {"From: a@b.example", "Subject: Hello; VIAGRA for you"}),
              VerdictCode::SubjectRule);
}

TEST_P(FilterEngineTest, EmptyPatternsFollowEachConditionsRule)
{
    EXPECT_EQ(code(ProfileText().subjectRule("Starts with", "")), VerdictCode::SubjectRule);
    EXPECT_EQ(code(ProfileText().subjectRule("Ends with", "")), VerdictCode::SubjectRule);
    EXPECT_EQ(code(ProfileText().subjectRule("Contains", "")), VerdictCode::Clear);
    EXPECT_EQ(code(ProfileText().subjectRule("Equals", "")), VerdictCode::Clear);
    EXPECT_EQ(code(ProfileText().subjectRule("Equals", ""), {"From: a@b.example"}), VerdictCode::SubjectRule);
}

TEST_P(FilterEngineTest, MissingKeysReadAsTheirDefaults)
{
    // Without String the pattern is "ERROR", lowered like any other pattern.
    ProfileText text = ProfileText().set("General", "Filter2", "1").set("Fil2-1", "Type", "Contains");
    text.set("Fil2-1", "Check", "1");
    EXPECT_EQ(judge(text, {"From: a@b.example", "Subject: An Error occurred"}).reportText,
              " deleted: Subject: an error occurred --> Contains error");
    // Without Condition a subject rule still works: its Type holds the condition.
    EXPECT_EQ(code(ProfileText().subjectRule("Equals", "hello there")), VerdictCode::SubjectRule);
    // Without Type a sender rule matches nothing; without Check no rule is active.
    text = ProfileText().set("General", "Filter1", "1").set("Fil1-1", "Condition", "Starts with");
    text.set("Fil1-1", "String", "").set("Fil1-1", "Check", "1");
    EXPECT_EQ(code(text), VerdictCode::Clear);
    text = ProfileText()
               .set("General", "Filter2", "1")
               .set("Fil2-1", "Type", "Starts with")
               .set("Fil2-1", "String", "");
    EXPECT_EQ(code(text), VerdictCode::Clear);
}

TEST_P(FilterEngineTest, ConditionsAreNamedExactly)
{
    EXPECT_EQ(code(ProfileText().subjectRule("contains", "hello")), VerdictCode::Clear);
    EXPECT_EQ(code(ProfileText().subjectRule("Ends With", "there")), VerdictCode::Clear);
    EXPECT_EQ(code(ProfileText().subjectRule("Equals ", "hello there")), VerdictCode::Clear);
}

TEST_P(FilterEngineTest, EndsWithOnAnAddressCatchesDomainSubdomainsAndLongerNames)
{
    const ProfileText text = ProfileText().senderRule("EMail", "Ends with", "example.org");
    EXPECT_EQ(code(text, {"From: a@example.org", "Subject: s"}), VerdictCode::SenderRule);
    EXPECT_EQ(code(text, {"From: a@mail.example.org", "Subject: s"}), VerdictCode::SenderRule);
    EXPECT_EQ(code(text, {"From: a@badexample.org", "Subject: s"}), VerdictCode::SenderRule);
    EXPECT_EQ(code(text, {"From: a@example.org.uk", "Subject: s"}), VerdictCode::Clear);
    EXPECT_EQ(code(ProfileText().senderRule("EMail", "Ends with", "xa@example.org"),
                   {"From: a@example.org", "Subject: s"}),
              VerdictCode::Clear);
}

TEST_P(FilterEngineTest, AddressWithoutAtIsItsOwnDomain)
{
    EXPECT_EQ(
        judge(ProfileText().senderRule("Domain", "Equals", "localuser"), {"From: localuser", "Subject: s"})
            .reportText,
        " deleted: Sender: localuser --> Equals localuser");
}

TEST_P(FilterEngineTest, HeaderTextJoinsLinesWithoutSeparator)
{
    const Lines folded = {"From: a@b.example", "Subject: first part", "\tsecond part", "X-Spam: yes"};
    EXPECT_EQ(code(ProfileText().headerRule("Contains", "b.examplesubject"), folded),
              VerdictCode::HeaderRule);
    EXPECT_EQ(code(ProfileText().headerRule("Contains", "part\tsecond partx-spam"), folded),
              VerdictCode::HeaderRule);
    EXPECT_EQ(code(ProfileText().headerRule("Ends with", "x-spam: yes"), folded), VerdictCode::HeaderRule);
    EXPECT_EQ(code(ProfileText().headerRule("Contains", "example subject"), folded), VerdictCode::Clear);
}

TEST_P(FilterEngineTest, EmptySenderIsDeletedByDefaultGeneralRules)
{
    EXPECT_EQ(judge(ProfileText(), {"To: b@c.example", "Subject: s"}),
              (Verdict{VerdictCode::GeneralRule, " deleted: Sender empty", "Msg deleted: Sender empty"}));
    EXPECT_EQ(judge(ProfileText(), {"From: a@b.example"}).reportText, " deleted: Subject empty");
    EXPECT_EQ(code(ProfileText().set("Fil5", "GR1", "0").set("Fil5", "GR2", "0"), {"To: b@c.example"}),
              VerdictCode::Clear);
}

TEST_P(FilterEngineTest, ReceiverRules)
{
    const ProfileText receiverEmpty = ProfileText().set("Fil5", "GR3", "1");
    EXPECT_EQ(judge(receiverEmpty, {"From: a@b.example", "Subject: s"}).reportText,
              " deleted: Receiver empty");
    EXPECT_EQ(code(receiverEmpty), VerdictCode::Clear);
    const ProfileText same = ProfileText().set("Fil5", "GR4", "1");
    EXPECT_EQ(judge(same, {"From: Me <me@b.example>", "To: me@b.example", "Subject: s"}).reportText,
              " deleted: Sender = Receiver");
    EXPECT_EQ(code(same, {"From: me@b.example", "To: me@b.example, you@b.example", "Subject: s"}),
              VerdictCode::Clear);
}

TEST_P(FilterEngineTest, SizeThresholdsAreExclusive)
{
    const ProfileText small = ProfileText().set("Fil5", "Est", "1").set("Fil5", "EstValue", "100");
    EXPECT_EQ(code(small, Ordinary, 100), VerdictCode::Clear);
    EXPECT_EQ(judge(small, Ordinary, 99).reportText, " deleted: Size");
    const ProfileText big = ProfileText().set("Fil5", "Ebt", "1");
    EXPECT_EQ(code(big, Ordinary, 20000), VerdictCode::Clear);
    EXPECT_EQ(judge(big, Ordinary, 20001).reasonText, "Msg deleted: Size");
}

TEST_P(FilterEngineTest, PriorityBelowThresholdIsDeleted)
{
    const ProfileText text = ProfileText().set("Fil5", "Pry", "1");
    EXPECT_EQ(judge(text, {"From: a@b.example", "Subject: s", "X-Priority: 4"}).reportText,
              " deleted: Priority 4");
    EXPECT_EQ(judge(text, {"From: a@b.example", "Subject: s", "X-Priority: 5 (Lowest)"}).reportText,
              " deleted: Priority 5");
    EXPECT_EQ(code(text, {"From: a@b.example", "Subject: s", "X-Priority: 3"}), VerdictCode::Clear);
    EXPECT_EQ(code(text, {"From: a@b.example", "Subject: s"}), VerdictCode::Clear);
    const ProfileText lowest = ProfileText().set("Fil5", "Pry", "1").set("Fil5", "PryValue", "4");
    EXPECT_EQ(code(lowest, {"From: a@b.example", "Subject: s", "X-Priority: 5"}), VerdictCode::Clear);
    // Numbers beyond the five levels compare as numbers.
    EXPECT_EQ(code(lowest, {"From: a@b.example", "Subject: s", "X-Priority: 9"}), VerdictCode::GeneralRule);
    EXPECT_EQ(code(text, {"From: a@b.example", "Subject: s", "X-Priority: 0"}), VerdictCode::Clear);
}

TEST_P(FilterEngineTest, BlackListReportsTheFirstLineEqualToAddressOrDomain)
{
    const ProfileText text = ProfileText().set("Fil5", "EBLF", "1").set("Fil5", "BList", "Spam");
    home.write("BList/Spam.vtl", "other.example\r\nexample.org\r\nalice@example.org\r\n");
    EXPECT_EQ(judge(text),
              (Verdict{VerdictCode::BlackList, " deleted: Spammer: alice@example.org --> example.org",
                       "Msg deleted: Spammer: alice@example.org --> example.org"}));
    home.write("BList/Spam.vtl", "alice@example.org\r\nexample.org\r\nalice@example.org\r\n");
    EXPECT_EQ(judge(text).reportText, " deleted: Spammer: alice@example.org --> alice@example.org");
    home.write("BList/Spam.vtl", "Example.org\r\nALICE@example.org\r\n example.org\r\n");
    EXPECT_EQ(code(text), VerdictCode::Clear);
}

TEST_P(FilterEngineTest, BlackListAcceptsEveryLineEnd)
{
    const ProfileText text = ProfileText().set("Fil5", "EBLF", "1");
    for (const std::string bytes :
         {"x.example\rexample.org", "x.example\nexample.org\n", "x.example\r\nexample.org"}) {
        home.write("BList/Default.vtl", bytes);
        EXPECT_EQ(judge(text).reportText, " deleted: Spammer: alice@example.org --> example.org");
    }
}

TEST_P(FilterEngineTest, EmptyBlackListLineMatchesOnlyAnEmptySender)
{
    const ProfileText text = ProfileText().set("Fil5", "EBLF", "1").set("Fil5", "GR1", "0");
    home.write("BList/Default.vtl", "x.example\r\n\r\ny.example\r\n");
    EXPECT_EQ(code(text), VerdictCode::Clear);
    EXPECT_EQ(judge(text, {"Subject: s"}).reportText, " deleted: Spammer:  --> ");
}

TEST_P(FilterEngineTest, MainLevelDomainMatchesTheEndingInAnyLetterCase)
{
    Profile profile;
    profile.general.mld = true;
    for (std::string_view ending : {".com", ".it"})
        profile.domainTicks[std::find(MainLevelDomains.begin(), MainLevelDomains.end(), ending) -
                            MainLevelDomains.begin()] = true;
    ProfileStore(home.path()).write("P", profile);
    EXPECT_EQ(judge({"From: a@shop.com", "Subject: s"}).reportText, " deleted: main level domain: .com");
    EXPECT_EQ(judge({"From: a@SHOP.COM", "Subject: s"}).reasonText, "Msg deleted: main level domain: .com");
    EXPECT_EQ(judge({"From: a@pizza.it", "Subject: s"}).reportText, " deleted: main level domain: .it");
    EXPECT_EQ(judge({"From: a@shop.org", "Subject: s"}).code, VerdictCode::Clear);
}

TEST_P(FilterEngineTest, MainLevelDomainNeverCatchesFourLetterEndings)
{
    Profile profile;
    profile.general.mld = true;
    profile.domainTicks.fill(true);
    ProfileStore(home.path()).write("P", profile);
    EXPECT_EQ(judge({"From: a@shop.info", "Subject: s"}).code, VerdictCode::Clear);
    EXPECT_EQ(judge({"From: a@shop.name", "Subject: s"}).code, VerdictCode::Clear);
    EXPECT_EQ(judge({"From: a@shop.museum", "Subject: s"}).code, VerdictCode::Clear);
    EXPECT_EQ(judge({"From: a@shop.biz", "Subject: s"}).code, VerdictCode::BlackList);
}

TEST_P(FilterEngineTest, MainLevelDomainEntriesAlsoMatchTheWholeDomainUpToTheCount)
{
    ProfileText text = ProfileText().set("Fil5", "MLD", "1").set("Fil5", "MLDNum", "2");
    text.set("Fil6", "Domain1", "example.org").set("Fil6", "DomainValue1", "1");
    text.set("Fil6", "Domain2", ".net").set("Fil6", "DomainValue2", "0");
    text.set("Fil6", "Domain3", ".de").set("Fil6", "DomainValue3", "1");
    EXPECT_EQ(judge(text).reportText, " deleted: main level domain: .org");
    EXPECT_EQ(code(text, {"From: a@EXAMPLE.org", "Subject: s"}), VerdictCode::Clear);
    EXPECT_EQ(code(text, {"From: a@b.net", "Subject: s"}), VerdictCode::Clear);
    EXPECT_EQ(code(text, {"From: a@b.de", "Subject: s"}), VerdictCode::Clear);
    text.set("Fil5", "MLDNum", "3");
    EXPECT_EQ(code(text, {"From: a@b.de", "Subject: s"}), VerdictCode::BlackList);
}

TEST_P(FilterEngineTest, CountThatIsNoNumberReadsAsNoRules)
{
    ProfileText text = ProfileText().senderRule("EMail", "Contains", "alice");
    EXPECT_EQ(code(text.set("General", "Filter1", "one")), VerdictCode::Clear);
    EXPECT_EQ(code(text.set("General", "Filter1", " 1")), VerdictCode::Clear);
    EXPECT_EQ(code(text.set("General", "Filter1", "0")), VerdictCode::Clear);
    EXPECT_EQ(code(text.set("General", "Filter1", "2000000000")), VerdictCode::SenderRule);
}

TEST_P(FilterEngineTest, ProfileWithoutRulesAndAllFamiliesOffIsClear)
{
    ProfileText text;
    for (const char* family : {"Sender", "Subject", "Headers", "Exceptions", "Other"})
        text.set("FilterActive", family, "0");
    EXPECT_EQ(judge(text, {"X-Nothing: at all"}), (Verdict{VerdictCode::Clear, " clear", "Msg clear"}));
}

TEST_P(FilterEngineTest, ChangedProfileAppliesToTheNextMessage)
{
    writeProfile(ProfileText().subjectRule("Contains", "aaaaa"));
    EXPECT_EQ(judge(Ordinary).code, VerdictCode::Clear);
    writeProfile(ProfileText().subjectRule("Contains", "hello"));
    EXPECT_EQ(judge(Ordinary).code, VerdictCode::SubjectRule);
    home.write("BList/Default.vtl", "zzzzzzzzzzz\r\n");
    writeProfile(ProfileText().set("Fil5", "EBLF", "1"));
    EXPECT_EQ(judge(Ordinary).code, VerdictCode::Clear);
    home.write("BList/Default.vtl", "example.org\r\n");
    EXPECT_EQ(judge(Ordinary).code, VerdictCode::BlackList);
}

TEST_P(FilterEngineTest, OnlyRegularFilesCountAsProfilesAndBlackLists)
{
    std::filesystem::create_directories(home.file("Profile/P.vtf"));
    std::filesystem::create_directories(home.file("BList/Spam.vtl"));
    home.write("Profile/Default.vtf",
               ProfileText().set("Fil5", "EBLF", "1").set("Fil5", "BList", "Spam").text());
    home.write("BList/Default.vtl", "example.org\r\n");
    const auto message = headerMessage(Ordinary);
    const FilterEngine::Evaluation evaluation = engine.evaluate(*message, 5000, "P");
    EXPECT_TRUE(evaluation.usedDefaultProfile);
    EXPECT_EQ(evaluation.defaultedBlackList, "Spam");
    EXPECT_EQ(evaluation.verdict.code, VerdictCode::BlackList);
}

INSTANTIATE_TEST_SUITE_P(CachedAndUncached, FilterEngineTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Cached" : "Uncached";
                         });

} // namespace
} // namespace vantor::filter
