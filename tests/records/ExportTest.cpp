#include "records/DeletedDatabase.h"
#include "records/DelimitedTable.h"
#include "records/HtmlExporter.h"
#include "records/TableError.h"
#include "records/TextExporter.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

namespace vantor::records {
namespace {

using vantor::test::readBytes;
using vantor::test::TempHome;
using vantor::test::writeBytes;

class ExportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        writeBytes(m_dir.file("backup.bak"), std::string(DeletedDatabase::Header) +
                                                 "\r\n"
                                                 "a@x.com,Hello,Home,01/02/2026 10:00:00\r\n"
                                                 "b@x.com,\"Say \"\"hi\"\", <now> & then\",Work\r\n"
                                                 "c@x.com\r\n");
        m_table.open();
    }

    TempHome m_dir;
    DelimitedTable m_table{m_dir.file("backup.bak")};
};

TEST_F(ExportTest, TextExportQuotesEveryValueAndSeparatesWithTabs)
{
    EXPECT_EQ(TextExporter(&m_table).text(),
              "\"a@x.com\"\t\"Hello\"\t\"Home\"\t\"01/02/2026 10:00:00\"\r\n"
              "\"b@x.com\"\t\"Say \"\"hi\"\", <now> & then\"\t\"Work\"\t\"\"\r\n"
              "\"c@x.com\"\t\"\"\t\"\"\t\"\"\r\n");
}

TEST_F(ExportTest, TextExportKeepsFormulasFromRunningInASpreadsheet)
{
    m_table.append({"=HYPERLINK(\"http://x\")", "+1", "-2 days", "@SUM(A1)"});
    m_table.append({"a=b", "1+1", "", " =x"});
    const std::string text = TextExporter(&m_table).text();
    EXPECT_NE(text.find("\"'=HYPERLINK(\"\"http://x\"\")\"\t\"'+1\"\t\"'-2 days\"\t\"'@SUM(A1)\"\r\n"),
              std::string::npos)
        << text;
    // Only the first character counts; the record's leading blank is trimmed when stored.
    EXPECT_NE(text.find("\"a=b\"\t\"1+1\"\t\"\"\t\"'=x\"\r\n"), std::string::npos) << text;
    // The database and the HTML export keep the value as it is.
    EXPECT_NE(HtmlExporter(&m_table).html().find(" >=HYPERLINK("), std::string::npos);
}

TEST_F(ExportTest, TextExportAddsTxtOnlyWithoutAnExtension)
{
    EXPECT_EQ(TextExporter(&m_table).exportToFile(m_dir.file("list")), m_dir.file("list.txt"));
    EXPECT_EQ(readBytes(m_dir.file("list.txt")), TextExporter(&m_table).text());
    EXPECT_EQ(TextExporter(&m_table).exportToFile(m_dir.file("list.csv")), m_dir.file("list.csv"));
}

TEST_F(ExportTest, HtmlExportStatesLinesAsRowsAndEscapesValues)
{
    const std::string expected =
        "<html>\r\n"
        "<head> <title> DataSet </title> </head>\r\n"
        "<body>\r\n"
        "<table border = \"1\" rows = \"4\" bordercolor=\"#000000\" cellspacing=\"0\" "
        "cellpadding=\"2\">\r\n"
        "<tr>\r\n"
        "<th  >EMail </th>\r\n"
        "<th  >Subject </th>\r\n"
        "<th  >Account </th>\r\n"
        "<th  >Date/Time </th>\r\n"
        "</tr>\r\n"
        "<tr>\r\n"
        "<td nowrap  >a@x.com </td>\r\n"
        "<td nowrap  >Hello </td>\r\n"
        "<td nowrap  >Home </td>\r\n"
        "<td nowrap  >01/02/2026 10:00:00 </td>\r\n"
        "</tr>\r\n"
        "<tr>\r\n"
        "<td nowrap  >b@x.com </td>\r\n"
        "<td nowrap  >Say &quot;hi&quot;, &lt;now&gt; &amp; then </td>\r\n"
        "<td nowrap  >Work </td>\r\n"
        "<td nowrap  >&nbsp </td>\r\n"
        "</tr>\r\n"
        "<tr>\r\n"
        "<td nowrap  >c@x.com </td>\r\n"
        "<td nowrap  >&nbsp </td>\r\n"
        "<td nowrap  >&nbsp </td>\r\n"
        "<td nowrap  >&nbsp </td>\r\n"
        "</tr>\r\n"
        "</table>\r\n"
        "</body>\r\n"
        "</html>\r\n";
    HtmlExporter(&m_table).exportToFile(m_dir.file("list.htm"));
    EXPECT_EQ(readBytes(m_dir.file("list.htm")), expected);
}

TEST_F(ExportTest, ExportsNeedAnOpenTable)
{
    const auto message = [](const auto& exporter) {
        try {
            exporter();
        } catch (const TableError& error) {
            return std::string(error.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message([] { TextExporter(nullptr).text(); }), "Dataset is not specified");
    EXPECT_EQ(message([] { HtmlExporter(nullptr).html(); }), "Dataset is not specified");
    m_table.close();
    EXPECT_EQ(message([this] { TextExporter(&m_table).text(); }), "Dataset is not active");
    EXPECT_EQ(message([this] { HtmlExporter(&m_table).html(); }), "Dataset is not active");
}

TEST_F(ExportTest, UnwritableTargetIsReported)
{
    std::filesystem::create_directory(m_dir.file("taken.htm"));
    EXPECT_THROW(HtmlExporter(&m_table).exportToFile(m_dir.file("taken.htm")), TableError);
}

} // namespace
} // namespace vantor::records
