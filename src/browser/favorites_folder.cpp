#include "browser/favorites_folder.h"

#include <algorithm>

#include "common/file_search.h"
#include "common/file_system.h"
#include "common/path_parts.h"
#include "common/profile_reader.h"
#include "common/url_decode.h"
#include "common/windows1252.h"

namespace folverin {

namespace {

// A shortcut is a few lines; anything much larger is no shortcut, and is
// not read whole just to find that out.
constexpr uint32_t kMaxShortcutSize = 64 * 1024;

// Folders deeper than this are shown empty: the tree stays within the
// stack however deep a folder structure someone made.
constexpr int kMaxDepth = 64;

// The letters a Windows-1252 byte sorts as: ASCII letters upper-cased,
// accented letters as their base letter, the ligatures and "ß" spelt out;
// empty for a byte that sorts as itself.
std::string_view SortLetters(unsigned char c) {
  static constexpr std::string_view kHigh[64] = {
      "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I", "I",
      "D", "N", "O", "O", "O", "O", "O", "\xD7", "O", "U", "U", "U", "U", "Y", "TH", "SS",
      "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I", "I",
      "D", "N", "O", "O", "O", "O", "O", "\xF7", "O", "U", "U", "U", "U", "Y", "TH", "Y"};
  switch (c) {
    case 0x8A: case 0x9A: return "S";
    case 0x8C: case 0x9C: return "OE";
    case 0x8E: case 0x9E: return "Z";
    case 0x9F: return "Y";
    default: break;
  }
  if (c >= 0xC0) return kHigh[c - 0xC0];
  if (c >= 'a' && c <= 'z') {
    static constexpr std::string_view kUpper = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    return kUpper.substr(c - 'a', 1);
  }
  return {};
}

AnsiString NameSortKey(std::string_view name) {
  AnsiString key;
  key.reserve(name.size());
  for (const char c : name) {
    const std::string_view letters = SortLetters(static_cast<unsigned char>(c));
    if (letters.empty()) {
      key += c;
    } else {
      key += letters;
    }
  }
  return key;
}

bool EndsWithShortcutExtension(std::string_view name) {
  return name.size() > kShortcutExtension.size() && SameText(FileExtension(name), kShortcutExtension);
}

// The entries of one folder and, for `foldersOnly == false`, its shortcuts.
// The walk lists folders and regular files only (a link to a folder is not
// entered, so no link can make the tree endless).
std::vector<TFavorite> ReadLevel(const AnsiString& folder, bool foldersOnly, int depth) {
  std::vector<TFavorite> entries;
  if (depth > kMaxDepth) return entries;
  TFileSearch walk;
  walk.RecurseSubFolders = false;
  walk.SetSearchFile(folder + "*");
  walk.OnFileFind = [&](const AnsiString& fullpath, const TSearchRec& info) {
    if ((info.Attr & faHidden) != 0) return;
    TFavorite entry;
    entry.IsFolder = (info.Attr & faDirectory) != 0;
    if (entry.IsFolder) {
      entry.Name = info.Name;
      entry.Path = fullpath + info.Name + kPathDelim;
    } else {
      if (foldersOnly || !EndsWithShortcutExtension(info.Name)) return;
      entry.Name = info.Name.substr(0, info.Name.size() - kShortcutExtension.size());
      entry.Path = fullpath + info.Name;
      if (info.Size <= kMaxShortcutSize)
        if (const auto bytes = ReadWholeFile(entry.Path)) entry.Target = ShortcutTarget(*bytes);
    }
    entries.push_back(std::move(entry));
  };
  walk.Execute();
  for (TFavorite& entry : entries)
    if (entry.IsFolder) entry.Children = ReadLevel(entry.Path, foldersOnly, depth + 1);
  std::stable_sort(entries.begin(), entries.end(), FavoriteBefore);
  return entries;
}

std::vector<TFavorite> ReadTree(const AnsiString& folder, bool foldersOnly) {
  if (folder.empty()) return {};
  return ReadLevel(WithTrailingSeparator(folder), foldersOnly, 0);
}

}  // namespace

bool FavoriteBefore(const TFavorite& a, const TFavorite& b) {
  if (a.IsFolder != b.IsFolder) return a.IsFolder;
  const AnsiString keyA = NameSortKey(a.Name);
  const AnsiString keyB = NameSortKey(b.Name);
  if (keyA != keyB) return keyA < keyB;
  return a.Name < b.Name;
}

std::vector<TFavorite> ReadFavorites(const AnsiString& folder) { return ReadTree(folder, false); }

std::vector<TFavorite> ReadFavoriteFolders(const AnsiString& folder) { return ReadTree(folder, true); }

AnsiString ShortcutTarget(std::string_view fileBytes) {
  const TProfile shortcut = TProfile::FromText(SettingsFileText(fileBytes));
  const AnsiString url = shortcut.ReadString("InternetShortcut", "URL", "");
  const bool control = std::any_of(url.begin(), url.end(),
                                    [](char c) { return static_cast<unsigned char>(c) < 32 || c == 127; });
  return control ? AnsiString() : url;
}

std::string ShortcutFileText(std::string_view url) {
  return "[InternetShortcut]\r\nURL=" + std::string(url) + "\r\n";
}

AnsiString FavoriteFileName(std::string_view title) {
  constexpr std::string_view kForbidden = "\\/:*?\"<>|";
  AnsiString name;
  name.reserve(title.size());
  for (const char c : title) {
    const bool control = static_cast<unsigned char>(c) < 32 || c == 127;
    name += control || kForbidden.find(c) != std::string_view::npos ? '_' : c;
  }
  const auto atEnd = [](char c) { return c == ' ' || c == '.'; };
  while (!name.empty() && atEnd(name.back())) name.pop_back();
  const size_t first = std::find_if_not(name.begin(), name.end(), atEnd) - name.begin();
  name.erase(0, first);
  // Names on disk are UTF-8, up to three bytes for each of these letters;
  // 80 of them stay within the 255 bytes of a name with its extension.
  constexpr size_t kMaxLetters = 80;
  if (name.size() > kMaxLetters) {
    name.resize(kMaxLetters);
    while (!name.empty() && atEnd(name.back())) name.pop_back();
  }
  return name;
}

AnsiString ProposedFavoriteName(std::string_view title, std::string_view address) {
  AnsiString name = Trim(title);
  if (!name.empty() && name != address) return name;
  const std::string_view path = address.substr(0, address.find_first_of("?#"));
  const AnsiString document = BytesToAnsi(DecodeWellFormedEscapes(NameOfPath(path)));
  name = Trim(ChangeFileExt(document, ""));
  return name.empty() ? AnsiString(address) : name;
}

std::optional<std::string> WriteFavorite(const AnsiString& path, std::string_view url) {
  return WriteWholeFile(path, ShortcutFileText(url));
}

}  // namespace folverin
