#include "browser/target_copy_plan.h"

#include <sys/stat.h>

#include <algorithm>
#include <optional>
#include <string>

#include "common/file_search.h"
#include "common/file_system.h"
#include "common/long_path.h"
#include "common/path_parts.h"
#include "common/windows1252.h"

namespace folverin {

namespace {

// Files and folders are told apart by what they are, not by how they are
// reached: a path through a link names the same file as the direct one.
struct TFileId {
  dev_t Device = 0;
  ino_t Inode = 0;
  bool operator==(const TFileId&) const = default;
};

std::optional<TFileId> IdOfUtf8(const std::string& path) {
  struct stat info {};
  if (!StatLongPath(path, info)) return std::nullopt;
  return TFileId{info.st_dev, info.st_ino};
}

std::optional<TFileId> IdOf(std::string_view path) { return IdOfUtf8(AnsiToUtf8(path)); }

// The folder and every folder above it, up to the root. ".." is taken from
// the folder itself, so the chain is the real one also when the path goes
// through a link.
std::vector<TFileId> FolderAndItsParents(std::string_view folder) {
  std::vector<TFileId> chain;
  std::string path = AnsiToUtf8(folder);
  if (path.empty()) path = "./";
  if (path.back() != '/') path += '/';
  // Deeper than any real folder tree; a bound in case a file system answers
  // ".." strangely.
  constexpr size_t kMaxDepth = 4096;
  for (size_t depth = 0; depth < kMaxDepth; ++depth) {
    const std::optional<TFileId> id = IdOfUtf8(path);
    if (!id || (!chain.empty() && *id == chain.back())) break;
    chain.push_back(*id);
    path += "../";
  }
  return chain;
}

// The name as it is on disk, for a name that may differ from it in letter
// case; the name as given when there is no better one.
AnsiString AsOnDisk(std::string_view path) {
  return Utf8ToAnsiExact(ResolveOnDisk(path)).value_or(AnsiString(path));
}

}  // namespace

TCopyPlan PlanFileCopy(std::string_view file, std::string_view targetFolder) {
  TCopyPlan plan;
  const AnsiString source = AsOnDisk(file);
  const AnsiString target = AnsiString(targetFolder) + AnsiString(NameOfPath(source));
  const std::optional<TFileId> sourceId = IdOf(source);
  if (!sourceId) {
    plan.Left.push_back(source);
    return plan;
  }
  if (IdOf(target) == sourceId) return plan;
  plan.Steps.push_back({TCopyStepKind::CopyFile, source, target});
  plan.FileCount = 1;
  return plan;
}

TCopyPlan PlanFolderCopy(std::string_view folder, std::string_view targetFolder) {
  TCopyPlan plan;
  AnsiString from(folder);
  if (from.size() > 1) from = AsOnDisk(std::string_view(from).substr(0, from.size() - 1)) + kPathDelim;
  const std::vector<TFileId> into = FolderAndItsParents(targetFolder);
  // Folders left out with everything in them (rule 2), each with its
  // trailing separator.
  std::vector<AnsiString> leftOut;
  auto isLeftOut = [&leftOut](const AnsiString& path) {
    return std::any_of(leftOut.begin(), leftOut.end(),
                       [&path](const AnsiString& prefix) { return path.starts_with(prefix); });
  };

  TFileSearch walk;
  walk.SetSearchFile(from + "*.*");
  walk.RecurseSubFolders = true;
  walk.OnFileFind = [&](const AnsiString& fullpath, const TSearchRec& info) {
    if (isLeftOut(fullpath)) return;
    const AnsiString source = fullpath + info.Name;
    const AnsiString target = AnsiString(targetFolder) + fullpath.substr(from.size()) + info.Name;
    if ((info.Attr & faDirectory) != 0) {
      const std::optional<TFileId> id = IdOf(source);
      if (id && std::find(into.begin(), into.end(), *id) != into.end()) {
        leftOut.push_back(source + kPathDelim);
        return;
      }
      plan.Steps.push_back({TCopyStepKind::MakeFolder, {}, target});
      return;
    }
    const std::optional<TFileId> sourceId = IdOf(source);
    if (sourceId && IdOf(target) == sourceId) return;
    plan.Steps.push_back({TCopyStepKind::CopyFile, source, target});
    ++plan.FileCount;
  };
  walk.OnSkippedName = [&](const std::string& utf8Path) {
    if (!isLeftOut(Utf8ToAnsi(utf8Path))) plan.Left.push_back(Utf8ToAnsi(utf8Path));
  };
  walk.OnUnreadableFolder = [&](const AnsiString& path) {
    if (!isLeftOut(path)) plan.Left.push_back(path);
  };
  walk.Execute();
  return plan;
}

}  // namespace folverin
