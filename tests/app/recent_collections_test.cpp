#include "app/recent_collections.h"

#include <gtest/gtest.h>

#include <string>

namespace folverin {
namespace {

TEST(NormalCollectionFolder, SpellingsOfOneFolderGiveOneForm) {
  EXPECT_EQ(NormalCollectionFolder("/a/b", "/x"), "/a/b");
  EXPECT_EQ(NormalCollectionFolder("/a/b/", "/x"), "/a/b");
  EXPECT_EQ(NormalCollectionFolder("/a//b/./c/../", "/x"), "/a/b");
  EXPECT_EQ(NormalCollectionFolder("b/c", "/home/u"), "/home/u/b/c");
  EXPECT_EQ(NormalCollectionFolder("./b/../c", "/home/u/"), "/home/u/c");
  EXPECT_EQ(NormalCollectionFolder(".", "/home/u"), "/home/u");
  EXPECT_EQ(NormalCollectionFolder("../..", "/home/u"), "/");
  EXPECT_EQ(NormalCollectionFolder("/", "/x"), "/");
  EXPECT_EQ(NormalCollectionFolder("/../a", "/x"), "/a");
  // Names are kept byte for byte, letter case and Windows-1252 letters too.
  EXPECT_EQ(NormalCollectionFolder("/Daten/B\xFC" "cher", "/"), "/Daten/B\xFC" "cher");
  EXPECT_EQ(NormalCollectionFolder("", "/x"), "");
}

std::vector<AnsiString> Folders(int first, int count) {
  std::vector<AnsiString> list;
  for (int i = first; i < first + count; ++i) list.push_back("/s/" + std::to_string(i));
  return list;
}

TEST(RecentCollections, NewestFirstEachOnceAtMostTen) {
  std::vector<AnsiString> list;
  list = AddRecentCollection(list, "/a");
  list = AddRecentCollection(list, "/b");
  list = AddRecentCollection(list, "/c");
  EXPECT_EQ(list, (std::vector<AnsiString>{"/c", "/b", "/a"}));
  // Opening one again moves it to the top, the others keep their order.
  list = AddRecentCollection(list, "/a");
  EXPECT_EQ(list, (std::vector<AnsiString>{"/a", "/c", "/b"}));
  list = AddRecentCollection(list, "/a");
  EXPECT_EQ(list, (std::vector<AnsiString>{"/a", "/c", "/b"}));
  // Letter case makes another folder on this system.
  list = AddRecentCollection(list, "/A");
  EXPECT_EQ(list, (std::vector<AnsiString>{"/A", "/a", "/c", "/b"}));

  list = AddRecentCollection(Folders(0, 10), "/neu");
  ASSERT_EQ(list.size(), 10u);
  EXPECT_EQ(list.front(), "/neu");
  EXPECT_EQ(list.back(), "/s/8");  // the oldest, /s/9, is gone
  // One that is in a full list moves up and nothing drops out.
  list = AddRecentCollection(Folders(0, 10), "/s/9");
  ASSERT_EQ(list.size(), 10u);
  EXPECT_EQ(list.front(), "/s/9");
  EXPECT_EQ(list.back(), "/s/8");
}

TEST(RecentCollections, AStoreEditedByHandComesBackInShape) {
  std::vector<AnsiString> stored = {"", "relativ", "/a/", "/a", "/b/../c", "/d", "/d", "/e"};
  EXPECT_EQ(CleanRecentCollections(stored), (std::vector<AnsiString>{"/a", "/d", "/e"}));
  std::vector<AnsiString> tooLong = Folders(0, 14);
  EXPECT_EQ(CleanRecentCollections(tooLong), Folders(0, 10));
  // Adding to such a list cleans it as well; a folder not in normal form is
  // no entry.
  EXPECT_EQ(AddRecentCollection(stored, "/f"), (std::vector<AnsiString>{"/f", "/a", "/d", "/e"}));
  EXPECT_EQ(AddRecentCollection(stored, "/f/"), (std::vector<AnsiString>{"/a", "/d", "/e"}));
  EXPECT_EQ(AddRecentCollection(tooLong, "/s/12"), AddRecentCollection(Folders(0, 10), "/s/12"));
}

}  // namespace
}  // namespace folverin
