#include "filter/ProfileStore.h"

#include "ProfileText.h"
#include "support/TempHome.h"
#include "storage/IniFile.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vantor::filter {
namespace {

using test::ProfileText;
using vantor::test::TempHome;
using Names = std::vector<std::string>;

FilterRule rule(std::string type, std::string condition, std::string pattern, std::string caseText = "No",
                bool check = true)
{
    FilterRule made;
    made.type = std::move(type);
    made.condition = std::move(condition);
    made.pattern = std::move(pattern);
    made.caseText = std::move(caseText);
    made.check = check;
    return made;
}

Profile sampleProfile()
{
    Profile profile;
    profile.active.headers = false;
    profile.senderRules = {rule("EMail", "Equals", "a@b.example"),
                           rule("Domain", "Ends with", "spam.example", "Yes", false)};
    profile.subjectRules = {rule("", "Contains", "viagra")};
    profile.headerRules = {rule("", "Starts with", "Received: from bulk")};
    FilterRule exception = rule("Subject", "Starts with", "[list]");
    exception.description = "my list";
    profile.exceptionRules = {exception};
    profile.general.blockEmptyReceiver = true;
    profile.general.est = true;
    profile.general.estValue = 250;
    profile.general.pryValue = 3;
    profile.general.eblf = true;
    profile.general.bList = "Mine";
    profile.general.mld = true;
    profile.general.mldNum = 250;
    profile.domainTicks[0] = true;
    profile.domainTicks[249] = true;
    profile.badDomainEndings = {".biz", ".zw"};
    return profile;
}

// The lines of one section of a stored file, as the INI engine reads them.
std::vector<std::string> sectionLines(const std::string& path, const std::string& section)
{
    return storage::IniFile(path).readSectionValues(section);
}

TEST(ProfileStoreTest, PathsAndListing)
{
    TempHome home;
    ProfileStore store(home.path());
    EXPECT_EQ(store.path("Work"), home.path() + "/Profile/Work.vtf");
    EXPECT_TRUE(store.list().empty());
    home.write("Profile/Work.vtf", "");
    home.write("Profile/Old.bak", "");
    home.write("Profile/.hidden.vtf", "");
    home.write("Profile/sub.vtf/inner", "");
    Names names = store.list();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Names{"Old", "Work"}));
    EXPECT_TRUE(store.exists("Work"));
    EXPECT_FALSE(store.exists("sub"));
    EXPECT_TRUE(store.remove("Work"));
    EXPECT_FALSE(store.remove("Work"));
    EXPECT_FALSE(store.exists("Work"));
}

TEST(ProfileStoreTest, WholeWriteReadsBackTheSameProfile)
{
    TempHome home;
    ProfileStore store(home.path());
    const Profile profile = sampleProfile();
    store.write("Mine", profile);
    EXPECT_EQ(store.read("Mine"), profile);
}

TEST(ProfileStoreTest, WholeWriteHoldsExactlyTheListedSectionsAndKeysInOrder)
{
    TempHome home;
    home.write("Profile/Mine.vtf",
               "[Stale]\r\nOld=1\r\n[Fil1-3]\r\nType=EMail\r\n[FilterActive]\r\nSender=0\r\n");
    ProfileStore store(home.path());
    store.write("Mine", sampleProfile());
    const std::string path = store.path("Mine");
    EXPECT_EQ(storage::IniFile(path).readSections(), (Names{"FilterActive", "General", "Fil1-1", "Fil1-2",
                                                            "Fil2-1", "Fil3-1", "Fil4-1", "Fil5", "Fil6"}));
    EXPECT_EQ(sectionLines(path, "FilterActive"),
              (Names{"Sender=1", "Subject=1", "Headers=0", "Exceptions=1", "Other=1"}));
    EXPECT_EQ(sectionLines(path, "General"), (Names{"Filter1=2", "Filter2=1", "Filter3=1", "Filter4=1"}));
    EXPECT_EQ(sectionLines(path, "Fil1-2"),
              (Names{"Type=Domain", "Condition=Ends with", "String=spam.example", "Case=Yes", "Check=0"}));
    EXPECT_EQ(sectionLines(path, "Fil2-1"), (Names{"Type=Contains", "String=viagra", "Case=No", "Check=1"}));
    EXPECT_EQ(sectionLines(path, "Fil4-1"),
              (Names{"Description=my list", "Type=Subject", "Condition=Starts with", "String=[list]",
                     "Case=No", "Check=1"}));
    EXPECT_EQ(sectionLines(path, "Fil5"),
              (Names{"Est=1", "EstValue=250", "Ebt=0", "EbtValue=20000", "Pry=0", "PryValue=3", "EBLF=1",
                     "BList=Mine", "GR1=1", "GR2=1", "GR3=1", "GR4=0", "MLD=1", "MLDNum=250"}));
    const Names domains = sectionLines(path, "Fil6");
    ASSERT_EQ(domains.size(), 500u);
    EXPECT_EQ(domains[0], "Domain1=.biz");
    EXPECT_EQ(domains[1], "DomainValue1=1");
    EXPECT_EQ(domains[3], "DomainValue2=0");
    EXPECT_EQ(domains[498], "Domain250=.zw");
    EXPECT_EQ(domains[499], "DomainValue250=1");
}

TEST(ProfileStoreTest, SavingFewerRulesDropsTheOldSections)
{
    TempHome home;
    ProfileStore store(home.path());
    Profile profile;
    profile.senderRules = {rule("EMail", "Equals", "1"), rule("EMail", "Equals", "2"),
                           rule("EMail", "Equals", "3")};
    store.write("P", profile);
    profile.senderRules.erase(profile.senderRules.begin() + 1);
    store.write("P", profile);
    const storage::IniFile stored(store.path("P"));
    EXPECT_EQ(stored.readString("General", "Filter1", ""), "2");
    EXPECT_FALSE(stored.sectionExists("Fil1-3"));
    EXPECT_EQ(stored.readString("Fil1-2", "String", ""), "3");
}

TEST(ProfileStoreTest, LongPatternComesBackCutTo248Characters)
{
    TempHome home;
    ProfileStore store(home.path());
    Profile profile;
    profile.subjectRules = {rule("", "Contains", std::string(300, 'x'))};
    store.write("P", profile);
    EXPECT_EQ(store.read("P").subjectRules.at(0).pattern, std::string(248, 'x'));
}

TEST(ProfileStoreTest, MissingFileReadsEveryDefault)
{
    TempHome home;
    const Profile profile = ProfileStore(home.path()).read("Nothing");
    EXPECT_EQ(profile, Profile{});
    EXPECT_TRUE(profile.active.sender && profile.active.other);
    EXPECT_TRUE(profile.general.blockEmptySender && profile.general.blockEmptySubject);
    EXPECT_FALSE(profile.general.blockEmptyReceiver || profile.general.eblf || profile.general.mld);
    EXPECT_EQ(profile.general.bList, "Default");
    EXPECT_EQ(profile.general.ebtValue, 20000);
}

TEST(ProfileStoreTest, RuleKeysReadWithTheirDefaults)
{
    TempHome home;
    home.write("Profile/P.vtf", ProfileText()
                                    .set("General", "Filter1", "1")
                                    .set("General", "Filter4", "1")
                                    .set("Fil1-1", "Check", "yes")
                                    .set("Fil4-1", "Check", "2")
                                    .set("Fil5", "GR1", "no")
                                    .set("Fil5", "EstValue", "0x1F")
                                    .text());
    const Profile profile = ProfileStore(home.path()).read("P");
    ASSERT_EQ(profile.senderRules.size(), 1u);
    EXPECT_EQ(profile.senderRules[0], FilterRule{});
    EXPECT_EQ(profile.senderRules[0].type, "ERROR");
    ASSERT_EQ(profile.exceptionRules.size(), 1u);
    EXPECT_EQ(profile.exceptionRules[0].description, "");
    EXPECT_TRUE(profile.exceptionRules[0].check);
    EXPECT_TRUE(profile.general.blockEmptySender);
    EXPECT_EQ(profile.general.estValue, 31);
}

TEST(ProfileStoreTest, OnlyExistingRuleSectionsWithinTheCountAreRead)
{
    TempHome home;
    ProfileText text = ProfileText()
                           .subjectRule("Contains", "one")
                           .subjectRule("Contains", "two")
                           .subjectRule("Contains", "three")
                           .set("General", "Filter2", "2");
    text.set("fil2-07", "Type", "Equals").set("FIL2-1", "String", "ONE");
    home.write("Profile/P.vtf", text.text());
    Profile profile = ProfileStore(home.path()).read("P");
    ASSERT_EQ(profile.subjectRules.size(), 2u);
    EXPECT_EQ(profile.subjectRules[0].pattern, "one");
    EXPECT_EQ(profile.subjectRules[1].pattern, "two");
    text.set("General", "Filter2", "2147483647");
    home.write("Profile/P.vtf", text.text());
    EXPECT_EQ(ProfileStore(home.path()).read("P").subjectRules.size(), 3u);
}

TEST(ProfileStoreTest, BadDomainListFollowsCountTicksAndStoredTexts)
{
    TempHome home;
    ProfileText text = ProfileText().set("Fil5", "MLDNum", "1000000000");
    text.set("Fil6", "DomainValue3", "1").set("Fil6", "Domain3", ".ac");
    text.set("Fil6", "DomainValue1", "1").set("Fil6", "DomainValue2", "0").set("Fil6", "DomainValue0", "1");
    text.set("Fil6", "DomainValue04", "1")
        .set("Fil6", "DomainValue900", "1")
        .set("Fil6", "Domain900", "x.example");
    home.write("Profile/P.vtf", text.text());
    const Profile profile = ProfileStore(home.path()).read("P");
    EXPECT_EQ(profile.badDomainEndings, (Names{"ERRORE", ".ac", "x.example"}));
    EXPECT_TRUE(profile.domainTicks[0]);
    EXPECT_FALSE(profile.domainTicks[1]);
    EXPECT_TRUE(profile.domainTicks[2]);
    EXPECT_FALSE(profile.domainTicks[3]);
}

TEST(ProfileStoreTest, AppendedRulesGoAfterTheLastOne)
{
    TempHome home;
    ProfileStore store(home.path());
    store.appendRule("New", RuleList::Subject, rule("", "Ends with", "offer"));
    store.appendRule("New", RuleList::Subject, rule("", "Ends with", "offer"));
    store.appendRule("New", RuleList::Exceptions, rule("Domain", "Equals", "friend.example"));
    const std::string path = store.path("New");
    EXPECT_EQ(storage::IniFile(path).readSections(), (Names{"General", "Fil2-1", "Fil2-2", "Fil4-1"}));
    EXPECT_EQ(sectionLines(path, "General"), (Names{"Filter2=2", "Filter4=1"}));
    EXPECT_EQ(sectionLines(path, "Fil2-2"), (Names{"Type=Ends with", "String=offer", "Case=No", "Check=1"}));
    EXPECT_EQ(sectionLines(path, "Fil4-1"),
              (Names{"Type=Domain", "Condition=Equals", "String=friend.example", "Case=No", "Check=1"}));
    const Profile profile = store.read("New");
    EXPECT_EQ(profile.subjectRules.size(), 2u);
    EXPECT_EQ(profile.exceptionRules.at(0).pattern, "friend.example");
}

TEST(ProfileStoreTest, AppendToAWrittenProfileKeepsItsOtherRules)
{
    TempHome home;
    ProfileStore store(home.path());
    store.write("P", sampleProfile());
    store.appendRule("P", RuleList::Sender, rule("EMail", "Contains", "x"));
    const Profile profile = store.read("P");
    ASSERT_EQ(profile.senderRules.size(), 3u);
    EXPECT_EQ(profile.senderRules[2].pattern, "x");
    EXPECT_EQ(profile.senderRules[0], sampleProfile().senderRules[0]);
}

} // namespace
} // namespace vantor::filter
