#include "records/VCardReader.h"

#include "support/TempHome.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <ostream>
#include <set>

namespace vantor::records {

bool operator==(const VCardContact& a, const VCardContact& b)
{
    return a.displayName == b.displayName && a.emails == b.emails;
}

void PrintTo(const VCardContact& contact, std::ostream* out)
{
    *out << '{' << contact.displayName << " |";
    for (const std::string& email : contact.emails)
        *out << ' ' << email;
    *out << '}';
}

namespace {

namespace fs = std::filesystem;
using Contacts = std::vector<VCardContact>;
using vantor::test::TempHome;
using namespace std::string_literals;

const std::string VCardData = std::string(VANTOR_TEST_DATA) + "/vcard/";

struct Sample
{
    std::string file;
    Contacts contacts;
};

// What a person reading each export lists: the card's name and its addresses.
const std::vector<Sample>& samples()
{
    const std::string n = "\xC3\x91"; // Ñ, the only letter of the Android export's names
    static const std::vector<Sample> all = {
        {"IPED/test_contacts.vcf", {{"guilhermeandreuce@gmail.com", {"guilhermeandreuce@gmail.com"}}}},
        {"IPED/test_contactsCompleteInfo.vcf",
         {{"Taxi Lago Norte", {}},
          {"Sushi Loko Flamingo", {}},
          {"Smart Assist\u00eancia T\u00e9cnica", {}},
          {"Magnanimo Test@paraparaparapara el raton para el", {"insuportavel@test.paraparapara"}}}},
        {"IPED/test_contactsCompleteWithoutThumb.vcf",
         {{"Magnanimo Test@paraparaparapara el raton para el", {"insuportavel@test.paraparapara"}}}},
        {"IPED/test_contactsMultiple.vcf",
         {{"Taxi Lago Norte", {}}, {"Sushi Loko Flamingo", {}}, {"Smart Assist\u00eancia T\u00e9cnica", {}}}},
        {"ez-vcard/John_Doe_ANDROID.vcf",
         {{"john.doe@company.com", {"john.doe@company.com"}},
          {"jane.doe@company.com", {"jane.doe@company.com"}},
          {n + " " + n + " " + n + " " + n + " " + n, {}},
          {n + " " + n + " " + n + " " + n + " " + n + " " + n + " " + n + " " + n + " " + n + " " + n + " " +
               n,
           {}},
          {n + " " + n + " " + n + " " + n,
           {"bob@company.com", n + n + n + n + n + n + n + n + n + n + n + n + n + n}},
          {n + n + n + n, {"henry@company.com"}}}},
        {"ez-vcard/John_Doe_BLACK_BERRY.vcf", {{"John Doe", {}}}},
        {"ez-vcard/John_Doe_EVOLUTION.vcf", {{"Mr. John Richter, James Doe Sr.", {"john.doe@ibm.com"}}}},
        {"ez-vcard/John_Doe_GMAIL.vcf", {{"Mr. John Richter, James Doe Sr.", {"john.doe@ibm.com"}}}},
        {"ez-vcard/John_Doe_IPHONE.vcf", {{"Mr. John Richter James Doe Sr.", {"john.doe@ibm.com"}}}},
        {"ez-vcard/John_Doe_LOTUS_NOTES.vcf",
         {{"Mr. Doe John I Johny", {"john.doe@ibm.com", "billy_bob@gmail.com"}}}},
        {"ez-vcard/John_Doe_MAC_ADDRESS_BOOK.vcf",
         {{"Mr. John Richter,James Doe Sr.", {"john.doe@ibm.com"}}}},
        {"ez-vcard/John_Doe_MS_OUTLOOK.vcf", {{"Mr. John Richter James Doe Sr.", {"john.doe@ibm.cm"}}}},
        {"ez-vcard/fullcontact.vcf",
         {{"Prefix FirstName MiddleName LastName Suffix",
           {"home@example.com", "work@example.com", "school@example.com", "other@example.com",
            "custom@example.com"}}}},
        {"ez-vcard/gmail-list.vcf",
         {{"Arnold Smith", {"asmithk@gmail.com"}},
          {"Chris Beatle", {"chrisy55d@yahoo.com"}},
          {"Doug White", {"dwhite@gmail.com"}}}},
        {"ez-vcard/gmail-single.vcf", {{"Greg Dartmouth", {"gdartmouth@hotmail.com"}}}},
        {"ez-vcard/gmail-single2.vcf",
         {{"VCard Test",
           {"email@example.com", "homeemail@example.com", "workemail@example.com", "otheremail@example.com",
            "customcategory@example.com"}}}},
        {"ez-vcard/issue114.vcf", {{"Dummy, Dummy", {"dummy.dummy@dummy.com"}}}},
        {"ez-vcard/outlook-2003.vcf", {{"John Doe III", {"jdoe@hotmail.com"}}}},
        {"ez-vcard/outlook-2007.vcf", {{"Mr. Michael Angstadt Jr.", {"mike.angstadt@gmail.com"}}}},
        {"ez-vcard/rfc2426-example.vcf",
         {{"Frank Dawson", {"Frank_Dawson@Lotus.com", "fdawson@earthlink.net"}},
          {"Tim Howes", {"howes@netscape.com"}}}},
        {"ez-vcard/rfc6350-example.vcf", {{"Simon Perreault", {"simon.perreault@viagenie.ca"}}}},
        {"ez-vcard/thunderbird-MoreFunctionsForAddressBook-extension.vcf",
         {{"John Doe",
           {"doe.john@hotmail.com", "additional-email@company.com", "additional-email1@company.com",
            "additional-email2@company.com", "additional-email3@company.com"}}}},
    };
    return all;
}

TEST(VCardReader, RealExportsGiveTheNamesAndAddressesOnTheirCards)
{
    std::set<std::string> covered;
    for (const Sample& sample : samples()) {
        SCOPED_TRACE(sample.file);
        const VCardFile file = readVCardFile(VCardData + sample.file);
        EXPECT_EQ(file.problem, VCardFile::Problem::None);
        EXPECT_EQ(file.contacts, sample.contacts);
        covered.insert(sample.file);
    }
    // A sample added to the folders without expectations would otherwise go untested.
    for (const auto& entry : fs::recursive_directory_iterator(VCardData)) {
        if (entry.path().extension() == ".vcf") {
            EXPECT_TRUE(covered.count(fs::relative(entry.path(), VCardData).generic_string()))
                << entry.path();
        }
    }
}

TEST(VCardReader, FoldedQuotedPrintableAndCharsetValuesAreJoinedAndDecoded)
{
    const std::string bytes = "BEGIN:VCARD\r\n"
                              "VERSION:2.1\r\n"
                              // A soft break whose next line starts like a property of its own.
                              "FN;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:Jos=E9 =\r\n"
                              "EMAIL:M=fcller\r\n"
                              "NOTE;QUOTED-PRINTABLE;CHARSET=UTF-8:=\r\n"
                              "\r\n"
                              "EMAIL;INTERNET;ENCODING=QUOTED-PRINTABLE:a=3Db=zz@example.org\r\n"
                              "EMAIL;TYPE=INTERNET:long.\r\n"
                              "\taddress@exam\n"
                              " ple.org\n"
                              "EMAIL;ENCODING=b:Y0BleGFtcGxlLm9yZw==\n"
                              "END:VCARD\r\n";
    EXPECT_EQ(parseVCards(bytes),
              (Contacts{{"Jos\xC3\xA9 EMAIL:M\xC3\xBCller",
                         {"a=b=zz@example.org", "long.address@example.org", "c@example.org"}}}));
}

TEST(VCardReader, NameFallsBackToTheStructuredNameThenToTheFirstAddress)
{
    const std::string bytes =
        "begin:vcard\nn:O\\,Brien;Mary\\;Ann;;Dr.;\nemail: mary@example.org \nend:vcard\n"
        "BEGIN:VCARD\nN:;;;;\nEMAIL:\nEMAIL:first@example.org\nEMAIL:second@example.org\n"
        "END:VCARD\n"
        "BEGIN:VCARD\nFN:\nN:;;;Dr.;PhD\nEND:VCARD\n"
        "BEGIN:VCARD\nVERSION:4.0\nTEL:123\nEND:VCARD\n"
        "BEGIN:VCARD\nFN:Two\\nLines\\\\Back\nEND:VCARD\n";
    EXPECT_EQ(parseVCards(bytes),
              (Contacts{{"Mary;Ann O,Brien", {"mary@example.org"}},
                        {"first@example.org", {"first@example.org", "second@example.org"}},
                        {"Dr. PhD", {}},
                        {"Two Lines\\Back", {}}}));
}

TEST(VCardReader, AgentCardsStayInsideTheirCardAndAnUnendedCardIsKept)
{
    const std::string bytes = "BEGIN:VCARD\nVERSION:2.1\nFN:Boss\nAGENT:\nBEGIN:VCARD\nFN:Secretary\n"
                              "EMAIL:secretary@example.org\nEND:VCARD\nEMAIL:boss@example.org\nEND:VCARD\n"
                              "BEGIN:VCARD\nVERSION:3.0\nFN:Chief\n"
                              "AGENT:BEGIN:VCARD\\nFN:Aide\\nEMAIL:aide@example.org\\nEND:VCARD\n"
                              "EMAIL:chief@example.org\n"
                              // Never ended: the next card closes it.
                              "BEGIN:VCARD\nFN:Unended\nEMAIL:unended@example.org\n"
                              "BEGIN:VCARD\nFN:Last\nEMAIL:last@example.org\n";
    EXPECT_EQ(parseVCards(bytes), (Contacts{{"Boss", {"boss@example.org"}},
                                            {"Chief", {"chief@example.org"}},
                                            {"Unended", {"unended@example.org"}},
                                            {"Last", {"last@example.org"}}}));
}

TEST(VCardReader, HostileBytesGiveWhatCanBeReadAsCleanUtf8)
{
    std::string bytes = "BEGIN:VCARD\nFN:Nul\0Name\xFF\nEMAIL;CHARSET=x-unknown:\0\xE9t\xE9@example.org\n"s;
    bytes += "NOTE;ENCODING=QUOTED-PRINTABLE:" + std::string(1 << 20, '=') + "\n";
    bytes += "X-HUGE:" + std::string(1 << 20, '\\') + "\nEND:VCARD\n";
    for (int i = 0; i < 100000; ++i)
        bytes += "BEGIN:VCARD\nEMAIL:x@y\nEND:VCARD\n";
    // Chained soft breaks, then an address line that never ends in a card that never ends.
    bytes += "BEGIN:VCARD\nFN;ENCODING=QUOTED-PRINTABLE:=\n=\n=41\nEMAIL:\"" + std::string(1 << 20, ' ');
    const Contacts contacts = parseVCards(bytes);
    ASSERT_EQ(contacts.size(), 100002U);
    EXPECT_EQ(contacts.front(), (VCardContact{"Nul Name\xC3\xBF", {"\xC3\xA9t\xC3\xA9@example.org"}}));
    EXPECT_EQ(contacts[1], (VCardContact{"x@y", {"x@y"}}));
    EXPECT_EQ(contacts.back(), (VCardContact{"A", {"\""}}));
}

TEST(VCardReader, FilesThatCannotBeReadOrHoldNoCardsSayWhy)
{
    TempHome home;
    EXPECT_EQ(readVCardFile(home.file("missing.vcf")).problem, VCardFile::Problem::Unreadable);
    EXPECT_EQ(readVCardFile(home.path()).problem, VCardFile::Problem::Unreadable);
    EXPECT_EQ(readVCardFile(home.write("notes.vcf", "FN:No card\nEMAIL:a@b\n")).problem,
              VCardFile::Problem::NoCards);
    const std::string empty = home.write("empty.vcf", "BEGIN:VCARD\nEND:VCARD\n");
    EXPECT_EQ(readVCardFile(empty).problem, VCardFile::Problem::None);
    // Sparse: the reader must refuse it by its size, before reading a byte.
    const std::string huge = home.write("huge.vcf", "BEGIN:VCARD\nFN:Huge\nEND:VCARD\n");
    fs::resize_file(huge, 16 * 1024 * 1024 + 1);
    const VCardFile refused = readVCardFile(huge);
    EXPECT_EQ(refused.problem, VCardFile::Problem::TooLarge);
    EXPECT_TRUE(refused.contacts.empty());
    fs::resize_file(huge, 16 * 1024 * 1024);
    EXPECT_EQ(readVCardFile(huge).contacts, (Contacts{{"Huge", {}}}));
    const std::string named = home.write("\xC3\xBC"
                                         "ber.vcf",
                                         "BEGIN:VCARD\nFN:Utf8 path\nEND:VCARD\n");
    EXPECT_EQ(readVCardFile(named).contacts, (Contacts{{"Utf8 path", {}}}));
}

} // namespace
} // namespace vantor::records
