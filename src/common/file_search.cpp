#include "common/file_search.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "common/long_path.h"
#include "common/path_parts.h"
#include "common/windows1252.h"

namespace folverin {

namespace {

// ---- Directory entries -----------------------------------------------------
//
// Linux has no attribute bits, so they are derived: a folder is 0x10 and
// never 0x20, a regular file 0x20, 0x01 when the user may not write it (a
// read-only medium counts, which mode bits alone would miss), 0x02 for names
// beginning with ".".
//
// Only folders and regular files are entries. A symbolic link to a regular
// file is reported as that file (collections use them for shared pages). A
// link to a folder is neither entered (a link loop must not trap the walk)
// nor reported: the callers recognise documents by their extension alone and
// would try to read a folder called "x.htm". Dangling links, pipes, sockets
// and devices are left out too; opening a pipe would block the walk.

struct TListedEntry {
  AnsiString Key;  // the name with ASCII letters upper-cased, for the order
  TSearchRec Rec;
};

struct TFolderListing {
  std::vector<TListedEntry> Entries;
  std::vector<std::string> SkippedNames;  // full UTF-8 paths
  // False when the folder exists but cannot be listed; a folder that is
  // gone (or never was) is just empty.
  bool Readable = true;
};

TSearchRec MakeRecord(AnsiString name, const struct stat& st, bool writable) {
  TSearchRec rec;
  const bool isFolder = S_ISDIR(st.st_mode);
  rec.Attr = isFolder ? faDirectory : faArchive;
  if (!writable) rec.Attr |= faReadOnly;
  if (!name.empty() && name[0] == '.') rec.Attr |= faHidden;
  // Folders have no size of their own, as on the systems the callers know.
  rec.Size = isFolder ? 0 : static_cast<uint32_t>(static_cast<uint64_t>(st.st_size));
  rec.Name = std::move(name);
  return rec;
}

bool IsWritableAt(int dirFd, const char* name) {
  return faccessat(dirFd, name, W_OK, AT_EACCESS) == 0;
}

// The entry's status as the walk sees it, or nothing when it is no entry.
std::optional<struct stat> EntryStatus(int dirFd, const char* name) {
  struct stat st {};
  if (fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return std::nullopt;
  if (S_ISLNK(st.st_mode)) {
    if (fstatat(dirFd, name, &st, 0) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  }
  if (!S_ISDIR(st.st_mode) && !S_ISREG(st.st_mode)) return std::nullopt;
  return st;
}

bool ListedBefore(const TListedEntry& a, const TListedEntry& b) {
  if (a.Key != b.Key) return a.Key < b.Key;  // char_traits<char> compares unsigned
  return a.Rec.Name < b.Rec.Name;
}

// Reads the whole folder at once and closes it before any handler runs, so a
// handler that throws or walks elsewhere leaves no folder open.
TFolderListing ListFolder(const AnsiString& folder) {
  TFolderListing listing;
  const std::string utf8Folder = AnsiToUtf8(folder);
  const TDirHandle dir = OpenDirLongPath(utf8Folder.empty() ? "." : utf8Folder);
  if (!dir) {
    listing.Readable = errno == ENOENT || errno == ENOTDIR;
    return listing;
  }
  const int dirFd = dirfd(dir.get());
  while (const dirent* ent = readdir(dir.get())) {
    const std::string_view utf8Name(ent->d_name);
    if (utf8Name == "." || utf8Name == "..") continue;
    std::optional<AnsiString> name = Utf8ToAnsiExact(utf8Name);
    if (!name) {
      listing.SkippedNames.push_back(utf8Folder + std::string(utf8Name));
      continue;
    }
    const std::optional<struct stat> st = EntryStatus(dirFd, ent->d_name);
    if (!st) continue;
    TSearchRec rec = MakeRecord(std::move(*name), *st, IsWritableAt(dirFd, ent->d_name));
    listing.Entries.push_back({UpperCase(rec.Name), std::move(rec)});
  }
  std::sort(listing.Entries.begin(), listing.Entries.end(), ListedBefore);
  std::sort(listing.SkippedNames.begin(), listing.SkippedNames.end());
  return listing;
}

// The start folder's own record: a lookup of the folder path without its
// trailing separator. The user chose this folder, so a link to it is
// followed. An empty record when the lookup fails, as the callers expect.
TSearchRec StartFolderRecord(const AnsiString& folder) {
  if (folder.size() < 2) return {};
  const AnsiString path = folder.substr(0, folder.size() - 1);
  const TParentFolder parent = OpenParentFolder(AnsiToUtf8(path));
  struct stat st {};
  if (!parent.Folder || fstatat(parent.Folder.Get(), parent.Name.c_str(), &st, 0) != 0) return {};
  return MakeRecord(AnsiString(NameOfPath(path)), st, IsWritableAt(parent.Folder.Get(), parent.Name.c_str()));
}

// ---- Wildcards --------------------------------------------------------------
//
// The platform's directory listing rewrites a mask before matching: "?"
// becomes a question mark that also matches nothing before a dot or at the
// end, "*" before a dot becomes a star that stops at the last dot, and a dot
// before "?", "*" or the end also matches the end of the name. That is why
// "*.*" matches every name and "*." the names without a dot. The platform
// would also match a mask against the 8.3 short name ("*.htm" finding
// "a.html"); we do not, the mask is taken literally: the callers test
// extensions themselves.

enum class TMaskKind : unsigned char { Literal, Star, DosStar, DosQm, DosDot };

struct TMaskItem {
  TMaskKind Kind;
  char Upper;  // the literal, upper-cased
};

std::vector<TMaskItem> CompileMask(std::string_view mask) {
  std::vector<TMaskItem> items;
  items.reserve(mask.size());
  for (size_t i = 0; i < mask.size(); ++i) {
    const char next = i + 1 < mask.size() ? mask[i + 1] : '\0';
    const bool last = i + 1 == mask.size();
    TMaskKind kind = TMaskKind::Literal;
    if (mask[i] == '?') kind = TMaskKind::DosQm;
    if (mask[i] == '*') kind = next == '.' ? TMaskKind::DosStar : TMaskKind::Star;
    if (mask[i] == '.' && (last || next == '?' || next == '*')) kind = TMaskKind::DosDot;
    items.push_back({kind, AsciiUpper(mask[i])});
  }
  return items;
}

// Runs the mask as a set of positions over the name: O(mask x name), with no
// backtracking that a mask of many stars could blow up.
class TMaskMatcher {
 public:
  TMaskMatcher(const std::vector<TMaskItem>& items, std::string_view name)
      : items_(items), name_(name), lastDot_(name.rfind('.')) {}

  bool Matches() {
    std::vector<char> states(items_.size() + 1, 0);
    std::vector<char> next(items_.size() + 1, 0);
    Add(states, 0, 0);
    for (size_t k = 0; k < name_.size(); ++k) {
      std::fill(next.begin(), next.end(), 0);
      for (size_t i = 0; i < items_.size(); ++i)
        if (states[i]) Consume(next, i, k);
      states.swap(next);
    }
    return states[items_.size()] != 0;
  }

 private:
  bool AtDot(size_t k) const { return k < name_.size() && name_[k] == '.'; }

  bool MatchesNothingAt(size_t i, size_t k) const {
    switch (items_[i].Kind) {
      case TMaskKind::Star:
      case TMaskKind::DosStar: return true;
      case TMaskKind::DosQm: return k == name_.size() || AtDot(k);
      case TMaskKind::DosDot: return k == name_.size();
      default: return false;
    }
  }

  // Adds position i and the positions reachable from it without consuming
  // the character at k.
  void Add(std::vector<char>& states, size_t i, size_t k) const {
    for (; !states[i]; ++i) {
      states[i] = 1;
      if (i == items_.size() || !MatchesNothingAt(i, k)) return;
    }
  }

  void Consume(std::vector<char>& next, size_t i, size_t k) const {
    const char c = name_[k];
    switch (items_[i].Kind) {
      case TMaskKind::Literal:
        if (AsciiUpper(c) == items_[i].Upper) Add(next, i + 1, k + 1);
        break;
      case TMaskKind::Star: Add(next, i, k + 1); break;
      case TMaskKind::DosStar:
        if (c != '.' || k < lastDot_) Add(next, i, k + 1);
        break;
      case TMaskKind::DosQm:
        if (c != '.') Add(next, i + 1, k + 1);
        break;
      case TMaskKind::DosDot:
        if (c == '.') Add(next, i + 1, k + 1);
        break;
    }
  }

  const std::vector<TMaskItem>& items_;
  std::string_view name_;
  size_t lastDot_;
};

}  // namespace

bool MatchesMask(std::string_view name, std::string_view mask) {
  const std::vector<TMaskItem> items = CompileMask(mask);
  return TMaskMatcher(items, name).Matches();
}

void TFileSearch::SetSearchFile(std::string_view value) { searchFile_ = AnsiString(value); }

void TFileSearch::Execute() {
  Stop = false;
  // Copies: a handler may assign SearchFile while the walk runs.
  const AnsiString folder = FolderOfPath(searchFile_);
  const AnsiString mask(NameOfPath(searchFile_));
  Walk(folder, mask, StartFolderRecord(folder));
  if (OnFinish) OnFinish(*this);
}

void TFileSearch::PumpOnce() {
  if (Pump) Pump();
}

// Each folder is read once and the one sorted listing serves both passes:
// the reporting pass with the mask and the pass that finds sub-folders. A
// sub-folder removed by a handler in between is still entered and, like an
// unreadable one, contributes no entries.
void TFileSearch::Walk(const AnsiString& folder, const AnsiString& mask, const TSearchRec& record) {
  if (OnChangeFolder) OnChangeFolder(folder, record);
  if (Stop) return;
  const TFolderListing listing = ListFolder(folder);
  if (!listing.Readable && OnUnreadableFolder) OnUnreadableFolder(folder);
  if (OnSkippedName)
    for (const std::string& path : listing.SkippedNames) OnSkippedName(path);
  const std::vector<TMaskItem> compiled = CompileMask(mask);
  for (const TListedEntry& entry : listing.Entries) {
    if (!TMaskMatcher(compiled, entry.Rec.Name).Matches()) continue;
    if (Stop) break;
    if (OnFileFind) OnFileFind(folder, entry.Rec);
    PumpOnce();
  }
  for (const TListedEntry& entry : listing.Entries) {
    if (Stop) break;
    PumpOnce();
    if (RecurseSubFolders && (entry.Rec.Attr & faDirectory) != 0)
      Walk(folder + entry.Rec.Name + kPathDelim, mask, entry.Rec);
    PumpOnce();
  }
}

}  // namespace folverin
