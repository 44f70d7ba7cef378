#include "app/recent_list.h"

#include <algorithm>
#include <optional>

#include "app/recent_collections.h"
#include "common/file_url.h"

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

namespace {

// The number of a key "F<digits>", or nothing for any other key.
std::optional<unsigned long> RecentKeyNumber(const std::string& key) {
  if (key.size() < 2 || key.size() > 10 || key[0] != 'F') return std::nullopt;
  unsigned long number = 0;
  for (size_t i = 1; i < key.size(); ++i) {
    if (key[i] < '0' || key[i] > '9') return std::nullopt;
    number = number * 10 + static_cast<unsigned long>(key[i] - '0');
  }
  return number;
}

}  // namespace

std::vector<std::string> OrderRecentKeys(std::vector<std::string> keys) {
  std::stable_sort(keys.begin(), keys.end(), [](const std::string& a, const std::string& b) {
    const auto x = RecentKeyNumber(a);
    const auto y = RecentKeyNumber(b);
    if (x && y) return *x < *y;
    return x.has_value() && !y.has_value();
  });
  return keys;
}

std::string RecentListGroup(std::string_view collectionFolder) {
  std::string group = "URLs/";
  for (char c : NormalCollectionFolder(collectionFolder, "/")) {
    if (c == '%') group += "%25";
    else if (c == '/') group += "%2F";
    else if (c == '\\') group += "%5C";
    else group += c;
  }
  return group + "/MRU Items";
}

std::vector<AnsiString> EntriesInCollection(const std::vector<AnsiString>& entries,
                                            std::string_view collectionFolder) {
  AnsiString folder = NormalCollectionFolder(collectionFolder, "/");
  if (folder.empty()) return {};
  if (folder.back() != '/') folder += '/';
  std::vector<AnsiString> inside;
  for (const AnsiString& entry : entries) {
    const AnsiString path = entry.starts_with("file://") ? FileURLToPath(entry) : entry;
    if (path.starts_with(folder) && NormalCollectionFolder(path, "/").starts_with(folder)) inside.push_back(entry);
  }
  return inside;
}

}  // namespace folverin
