#include "filter/BlackListStore.h"

#include "support/TempHome.h"
#include "filter/FirstMatchList.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vantor::filter {
namespace {

using vantor::test::TempHome;
using Lines = std::vector<std::string>;

TEST(BlackListStoreTest, WriteStoresCrLfAfterEveryLineAndReadsBack)
{
    TempHome home;
    BlackListStore store(home.path());
    const Lines lines = {"spam@x.example", "", "Bulk.Example"};
    store.write("Mine", lines);
    EXPECT_EQ(home.read("BList/Mine.vtl"), "spam@x.example\r\n\r\nBulk.Example\r\n");
    EXPECT_EQ(store.read("Mine"), lines);
    store.write("Mine", {});
    EXPECT_EQ(home.read("BList/Mine.vtl"), "");
    EXPECT_EQ(store.read("Mine"), Lines{});
}

TEST(BlackListStoreTest, ListingExistenceAndRemoval)
{
    TempHome home;
    BlackListStore store(home.path());
    EXPECT_TRUE(store.list().empty());
    EXPECT_EQ(store.read("Default"), std::nullopt);
    home.write("BList/Default.vtl", "a\r\n");
    home.write("BList/Friends.txt", "b\r\n");
    home.write("BList/.swap", "");
    Lines names = store.list();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Lines{"Default", "Friends"}));
    EXPECT_EQ(store.path("Default"), home.path() + "/BList/Default.vtl");
    EXPECT_TRUE(store.remove("Default"));
    EXPECT_FALSE(store.exists("Default"));
    EXPECT_FALSE(store.remove("Default"));
}

// The indexed search must answer exactly like trying the entries in order, two comparisons each.
TEST(FirstMatchListTest, IndexGivesTheFirstLineEqualToEitherText)
{
    const Lines entries = {"x.example", "b.example", "a@b.example", "b.example", "", "a@b.example"};
    for (bool indexed : {false, true}) {
        const FirstMatchList list(entries, indexed);
        EXPECT_EQ(list.firstMatch("a@b.example", "b.example"), 1u);
        EXPECT_EQ(list.firstMatch("b.example", "a@b.example"), 1u);
        EXPECT_EQ(list.firstMatch("a@b.example", "c.example"), 2u);
        EXPECT_EQ(list.firstMatch("", ""), 4u);
        EXPECT_EQ(list.firstMatch("A@B.example", "B.example"), std::nullopt);
        EXPECT_EQ(list.firstMatch("x.example", "x.example"), 0u);
    }
}

} // namespace
} // namespace vantor::filter
