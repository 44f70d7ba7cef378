// Menu merging by group: while a child window is active its menus join the
// frame's menu bar. A child menu whose group equals a frame menu's group
// takes that menu's place; the others are inserted in group order.
#pragma once

#include <vector>

namespace folverin {

struct TMergedMenu {
  bool FromChild = false;
  int Index = 0;  // into the frame's or the child's list
};

// Both lists give the group of each menu in its own order; the frame's is
// in ascending group order. The result is the menu bar, left to right.
std::vector<TMergedMenu> MergeMenus(const std::vector<int>& frameGroups,
                                    const std::vector<int>& childGroups);

}  // namespace folverin
