#include "app/recent_list.h"

#include <gtest/gtest.h>

namespace folverin {
namespace {

TEST(RecentList, AddMovesEqualEntryUpAndKeepsItsLetterCase) {
  TRecentList list;
  list.AddRecent("/cd/a.htm");
  list.AddRecent("/cd/b.htm");
  list.AddRecent("/CD/A.HTM");
  EXPECT_EQ(list.Entries(), (std::vector<AnsiString>{"/cd/a.htm", "/cd/b.htm"}));
  list.AddRecent("/cd/c.htm");
  EXPECT_EQ(list.Entries().front(), "/cd/c.htm");
  // Letter case is ASCII only: an umlaut differing in case is another entry.
  list.AddRecent("\xE4.htm");
  list.AddRecent("\xC4.htm");
  EXPECT_EQ(list.Entries().size(), 5u);
}

TEST(RecentList, HoldsAtMost25AndDropsTheOldest) {
  TRecentList list;
  for (int i = 0; i < 26; ++i) list.AddRecent("eintrag" + std::to_string(i));
  ASSERT_EQ(list.Entries().size(), 25u);
  EXPECT_EQ(list.Entries().front(), "eintrag25");
  EXPECT_EQ(list.Entries().back(), "eintrag1");
  std::vector<AnsiString> stored(30, "x");
  list.Assign(stored);
  EXPECT_EQ(list.Entries().size(), 25u);
}

TEST(RecentList, MenuPrefixes) {
  EXPECT_EQ(RecentItemPrefix(0), "&1 ");
  EXPECT_EQ(RecentItemPrefix(9), "&0 ");
  EXPECT_EQ(RecentItemPrefix(10), "&A ");
  EXPECT_EQ(RecentItemPrefix(24), "&O ");
  EXPECT_EQ(RecentItemPrefix(35), "&Z ");
  EXPECT_EQ(RecentItemPrefix(36), "");
}

}  // namespace
}  // namespace folverin

namespace folverin {
namespace {

TEST(RecentListStore, KeysAreOrderedByTheirNumberThenTheOthers) {
  EXPECT_EQ(OrderRecentKeys({"F10", "F2", "Fremd", "F0", "F1x", "F1"}),
            (std::vector<std::string>{"F0", "F1", "F2", "F10", "Fremd", "F1x"}));
  EXPECT_EQ(OrderRecentKeys({}), std::vector<std::string>{});
  EXPECT_EQ(OrderRecentKeys({"F", "f3", "F3"}), (std::vector<std::string>{"F3", "F", "f3"}));
}

}  // namespace
}  // namespace folverin

namespace folverin {
namespace {

TEST(RecentListGroup, OneGroupPerCollectionFolderWhateverItsName) {
  EXPECT_EQ(RecentListGroup("/home/u/Buch/"), "URLs/%2Fhome%2Fu%2FBuch/MRU Items");
  // Spellings of one folder share the group.
  EXPECT_EQ(RecentListGroup("/home/u/Buch"), RecentListGroup("/home/u/x/../Buch/"));
  // "%" and "\" in a name cannot make two folders meet in one group.
  EXPECT_EQ(RecentListGroup("/a%2Fb"), "URLs/%2Fa%252Fb/MRU Items");
  EXPECT_NE(RecentListGroup("/a%2Fb"), RecentListGroup("/a/b"));
  EXPECT_EQ(RecentListGroup("/a\\b"), "URLs/%2Fa%5Cb/MRU Items");
  EXPECT_NE(RecentListGroup("/"), std::string(kSharedRecentListGroup));
}

TEST(RecentListGroup, TheSharedListGivesOnlyWhatLiesInTheCollection) {
  const std::vector<AnsiString> shared = {
      "/home/u/Buch/a.htm",       "file:///home/u/Buch/kapitel%201/b.htm",
      "/home/u/Buchhaltung/c.htm", "/home/u/Anderes/d.htm",
      "www.example.com",           "http://host/home/u/Buch/e.htm",
      "/home/u/Buch/../Anderes/f.htm", "/home/u/Buch",
      "FILE:///home/u/Buch/g.htm"};
  EXPECT_EQ(EntriesInCollection(shared, "/home/u/Buch/"),
            (std::vector<AnsiString>{"/home/u/Buch/a.htm", "file:///home/u/Buch/kapitel%201/b.htm"}));
  EXPECT_EQ(EntriesInCollection(shared, "/home/u/./Buch"), EntriesInCollection(shared, "/home/u/Buch/"));
  EXPECT_TRUE(EntriesInCollection(shared, "").empty());
  EXPECT_EQ(EntriesInCollection(shared, "/").size(), shared.size() - 3);
}

}  // namespace
}  // namespace folverin
