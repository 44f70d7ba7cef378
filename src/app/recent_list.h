// The recently used list: file names and addresses, most recent first, at
// most 25, without two entries that differ only in letter case.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/ansi_string.h"

namespace folverin {

class TRecentList {
 public:
  static constexpr size_t kMaxEntries = 25;

  // An entry equal to one in the list (ASCII case ignored) moves that entry,
  // with its own letter case, to the top; a new one is inserted there and
  // the oldest entries beyond 25 are dropped.
  void AddRecent(std::string_view entry);
  // The stored list as read back (kept as it is, cut to 25).
  void Assign(std::vector<AnsiString> entries);
  const std::vector<AnsiString>& Entries() const { return entries_; }

 private:
  std::vector<AnsiString> entries_;
};

// The order in which stored values become entries: "F0", "F1", ... by their
// number (a store that sorts its keys as text would put F10 before F2), then
// any other keys in the order given. A gap in the numbers loses nothing.
std::vector<std::string> OrderRecentKeys(std::vector<std::string> keys);

// The caption of the menu item for the entry at `position`: "&", the
// position's character of "1234567890ABC...Z" and a blank; positions from 36
// on have no prefix.
AnsiString RecentItemPrefix(size_t position);

// Each collection keeps its own list in the user's settings, in the group
// "URLs/<folder>/MRU Items" of its folder in normal form, where "%", "/" and
// "\" are written %25, %2F and %5C so that the folder stays one group name.
std::string RecentListGroup(std::string_view collectionFolder);

// The group that every collection shared before they had their own.
inline constexpr std::string_view kSharedRecentListGroup = "URLs/MRU Items";

// The entries of the shared list that belong to the collection in folder:
// paths and "file://" addresses of documents inside it, in their order.
// Addresses of other collections and of the web stay behind.
std::vector<AnsiString> EntriesInCollection(const std::vector<AnsiString>& entries,
                                            std::string_view collectionFolder);

}  // namespace folverin
