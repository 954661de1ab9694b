#include "ProfileText.h"
#include "support/TempHome.h"

#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace vantor::filter {
namespace {

using test::ProfileText;
using vantor::test::TempHome;

const std::string SampleDir = std::string(VANTOR_TEST_DATA) + "/spamassassin";

struct ToolRun
{
    int status = -1;
    std::vector<std::vector<std::string>> rows;
};

// Runs vantor-filter on sample files (named relative to the sample folder) and splits its output.
ToolRun runTool(const std::string& arguments, const std::vector<std::string>& files)
{
    std::string command = "cd '" + SampleDir + "' && '" VANTOR_FILTER_TOOL "' " + arguments;
    for (const std::string& file : files)
        command += " '" + file + "'";
    ToolRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return run;
    std::string output;
    std::array<char, 4096> buffer{};
    while (const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), pipe))
        output.append(buffer.data(), got);
    run.status = ::pclose(pipe);
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> columns;
        std::istringstream fields(line);
        for (std::string column; std::getline(fields, column, '\t');)
            columns.push_back(column);
        run.rows.push_back(columns);
    }
    return run;
}

class FilterToolSmokeTest : public ::testing::Test
{
protected:
    FilterToolSmokeTest()
    {
        home.write("Profile/Smoke.vtf", ProfileText()
                                            .exceptionRule("EMail", "Equals", "evolve@ximian.com")
                                            .senderRule("Domain", "Equals", "linksandmail.com")
                                            .senderRule("Domain", "Ends with", "hotmail.com")
                                            .subjectRule("Starts with", "ADV:", "Yes")
                                            .headerRule("Contains", "by ns.sakakura-kk.co.jp    with smtp")
                                            .set("Fil5", "EBLF", "1")
                                            .set("Fil5", "BList", "Spammers")
                                            .text());
        home.write("BList/Spammers.vtl", "nobody.example\r\nyahoo.com\r\n");
    }

    TempHome home;
};

TEST_F(FilterToolSmokeTest, RealSpamAndHamGetTheirVerdicts)
{
    const ToolRun run =
        runTool("--home '" + home.path() + "' --profile Smoke",
                {"spam/001", "spam/002", "spam/003", "spam/004", "spam/badmime.txt", "spam/gtube.eml",
                 "nice/001", "nice/002", "nice/crlf-endings", "nice/no_body"});
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.rows.size(), 10u);
    using Row = std::vector<std::string>;
    EXPECT_EQ(run.rows[0], (Row{"spam/001", "5", " deleted: Spammer: sb55sb123456789@yahoo.com --> yahoo.com",
                                "Msg deleted: Spammer: sb55sb123456789@yahoo.com --> yahoo.com"}));
    EXPECT_EQ(run.rows[1],
              (Row{"spam/002", "1", " deleted: Subject: ADV: --YOUR BRAND NEW HOUSE-- --> Starts with ADV:",
                   "Msg deleted: Subject: ADV: --YOUR BRAND NEW HOUSE-- --> Starts with ADV:"}));
    EXPECT_EQ(run.rows[2], (Row{"spam/003", "3", " deleted: Sender: hotmail.com --> Ends with hotmail.com",
                                "Msg deleted: Sender: hotmail.com --> Ends with hotmail.com"}));
    // The header rule spans a folded Received field: the header lines are joined as fetched.
    ASSERT_EQ(run.rows[3].size(), 4u);
    EXPECT_EQ(run.rows[3][1], "0");
    EXPECT_TRUE(run.rows[3][2].starts_with(" deleted: Headers: from travelincentives@aol.com  fri dec  7"));
    EXPECT_TRUE(
        run.rows[3][2].ends_with("charset=\"us-ascii\" --> Contains by ns.sakakura-kk.co.jp    with smtp"));
    EXPECT_EQ(run.rows[3][3], " - Msg" + run.rows[3][2]);
    EXPECT_EQ(run.rows[4],
              (Row{"spam/badmime.txt", "3", " deleted: Sender: linksandmail.com --> Equals linksandmail.com",
                   "Msg deleted: Sender: linksandmail.com --> Equals linksandmail.com"}));
    EXPECT_EQ(run.rows[5], (Row{"spam/gtube.eml", "6", " clear", "Msg clear"}));
    EXPECT_EQ(run.rows[6],
              (Row{"nice/001", "2", " filtered: Exceptions: evolve@ximian.com --> Equals evolve@ximian.com",
                   "Msg filtered: Exceptions: evolve@ximian.com --> Equals evolve@ximian.com"}));
    EXPECT_EQ(run.rows[7], (Row{"nice/002", "6", " clear", "Msg clear"}));
    EXPECT_EQ(run.rows[8], (Row{"nice/crlf-endings", "6", " clear", "Msg clear"}));
    EXPECT_EQ(run.rows[9], (Row{"nice/no_body", "6", " clear", "Msg clear"}));
    EXPECT_FALSE(home.exists("Error.log"));
}

// gtube.eml has 386 bytes; without --size the file size counts.
TEST_F(FilterToolSmokeTest, SizeOptionFeedsTheSizeRules)
{
    home.write("Profile/Size.vtf",
               ProfileText().set("Fil5", "Ebt", "1").set("Fil5", "EbtValue", "300").text());
    EXPECT_EQ(runTool("--home '" + home.path() + "' --profile Size", {"spam/gtube.eml"}).rows.at(0).at(1),
              "4");
    EXPECT_EQ(runTool("--home '" + home.path() + "' --profile Size --size 300", {"spam/gtube.eml"})
                  .rows.at(0)
                  .at(1),
              "6");
}

TEST_F(FilterToolSmokeTest, FallbacksGoToTheErrorLogOfTheHome)
{
    EXPECT_EQ(runTool("--home '" + home.path() + "' --profile Gone", {"spam/001"}).status, 0);
    EXPECT_NE(home.read("Error.log").find("= 00004 - used Default profile not Gone\r\n"), std::string::npos);
    EXPECT_EQ(runTool("--home '" + home.path() + "' --profile Gone --preview", {"spam/001"}).status, 0);
    EXPECT_NE(home.read("Error.log").find("= 00010 - used Default profile not Gone\r\n"), std::string::npos);
}

TEST_F(FilterToolSmokeTest, UnreadableFileAndBadArgumentsFail)
{
    const ToolRun missing =
        runTool("--home '" + home.path() + "' --profile Smoke", {"spam/none", "spam/001"});
    EXPECT_NE(missing.status, 0);
    EXPECT_EQ(missing.rows.size(), 1u);
    EXPECT_NE(runTool("--home '" + home.path() + "'", {"spam/001"}).status, 0);
    EXPECT_NE(runTool("--home '" + home.path() + "' --profile Smoke --size ten", {"spam/001"}).status, 0);
}

} // namespace
} // namespace vantor::filter
