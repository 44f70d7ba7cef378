#include "app/menu_merge.h"

#include <algorithm>

namespace folverin {

std::vector<TMergedMenu> MergeMenus(const std::vector<int>& frameGroups,
                                    const std::vector<int>& childGroups) {
  struct TEntry {
    int Group;
    TMergedMenu Menu;
  };
  std::vector<TEntry> entries;
  for (size_t i = 0; i < frameGroups.size(); ++i) {
    const bool replaced = std::find(childGroups.begin(), childGroups.end(), frameGroups[i]) !=
                          childGroups.end();
    if (!replaced) entries.push_back({frameGroups[i], {false, static_cast<int>(i)}});
  }
  for (size_t i = 0; i < childGroups.size(); ++i)
    entries.push_back({childGroups[i], {true, static_cast<int>(i)}});
  // Stable: menus of one group keep the frame's menus first, then the
  // child's in their own order.
  std::stable_sort(entries.begin(), entries.end(),
                   [](const TEntry& a, const TEntry& b) { return a.Group < b.Group; });
  std::vector<TMergedMenu> merged;
  for (const TEntry& entry : entries) merged.push_back(entry.Menu);
  return merged;
}

}  // namespace folverin
