#include "app/menu_merge.h"

#include <gtest/gtest.h>

namespace folverin {
namespace {

std::vector<std::pair<bool, int>> Bar(const std::vector<int>& frame, const std::vector<int>& child) {
  std::vector<std::pair<bool, int>> bar;
  for (const TMergedMenu& menu : MergeMenus(frame, child)) bar.emplace_back(menu.FromChild, menu.Index);
  return bar;
}

TEST(MenuMerge, ChildMenusReplaceEqualGroupsAndSlotInByGroup) {
  // Frame: Datei 0, Tools 2, Anzeige 3, Fenster 10, Hilfe 11.
  const std::vector<int> frame = {0, 2, 3, 10, 11};
  // A browser window's Datei (0) replaces the frame's; Bearbeiten (1)
  // comes right after it.
  EXPECT_EQ(Bar(frame, {0, 1}), (std::vector<std::pair<bool, int>>{
                                    {true, 0}, {true, 1}, {false, 1}, {false, 2}, {false, 3}, {false, 4}}));
  // No active child: the frame's own bar.
  EXPECT_EQ(Bar(frame, {}), (std::vector<std::pair<bool, int>>{
                                {false, 0}, {false, 1}, {false, 2}, {false, 3}, {false, 4}}));
  // A child menu of a group beyond all others goes last; one of a group
  // between goes between.
  EXPECT_EQ(Bar({0, 10}, {12, 5}),
            (std::vector<std::pair<bool, int>>{{false, 0}, {true, 1}, {false, 1}, {true, 0}}));
}

}  // namespace
}  // namespace folverin
