#include "app/recent_collections.h"

#include <algorithm>
#include <filesystem>

namespace folverin {

AnsiString NormalCollectionFolder(std::string_view path, std::string_view currentFolder) {
  if (path.empty()) return {};
  std::filesystem::path full(path);
  if (full.is_relative()) full = std::filesystem::path(currentFolder.empty() ? "/" : currentFolder) / full;
  AnsiString normal = full.lexically_normal().string();
  while (normal.size() > 1 && normal.back() == '/') normal.pop_back();
  return normal;
}

namespace {

bool IsNormal(const AnsiString& folder) {
  return !folder.empty() && folder.front() == '/' && NormalCollectionFolder(folder, "/") == folder;
}

}  // namespace

std::vector<AnsiString> CleanRecentCollections(const std::vector<AnsiString>& stored) {
  std::vector<AnsiString> list;
  for (const AnsiString& entry : stored) {
    if (list.size() == kMaxRecentCollections) break;
    if (IsNormal(entry) && std::find(list.begin(), list.end(), entry) == list.end()) list.push_back(entry);
  }
  return list;
}

std::vector<AnsiString> AddRecentCollection(std::vector<AnsiString> list, const AnsiString& folder) {
  if (!IsNormal(folder)) return CleanRecentCollections(list);
  // Names on this system differ by letter case, so only the same bytes are
  // the same folder.
  std::erase(list, folder);
  list.insert(list.begin(), folder);
  return CleanRecentCollections(list);
}

}  // namespace folverin
