#include "app/recent_list.h"

#include <algorithm>

namespace folverin {

void TRecentList::AddRecent(std::string_view entry) {
  const auto found = std::find_if(entries_.begin(), entries_.end(),
                                  [entry](const AnsiString& e) { return SameText(e, entry); });
  if (found != entries_.end()) {
    std::rotate(entries_.begin(), found, found + 1);
    return;
  }
  entries_.insert(entries_.begin(), AnsiString(entry));
  if (entries_.size() > kMaxEntries) entries_.resize(kMaxEntries);
}

void TRecentList::Assign(std::vector<AnsiString> entries) {
  entries_ = std::move(entries);
  if (entries_.size() > kMaxEntries) entries_.resize(kMaxEntries);
}

AnsiString RecentItemPrefix(size_t position) {
  static constexpr std::string_view kKeys = "1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  if (position >= kKeys.size()) return {};
  return AnsiString("&") + kKeys[position] + " ";
}

}  // namespace folverin
