#include "common/relative_path.h"

#include <vector>

namespace folverin {

namespace {

struct PathRule {
  char separator;
  bool ignoreCase;
};

// The folder names of a path after its root or drive part: the pieces that
// end in a separator (the file name, which ends in none, is not one of them).
std::vector<std::string_view> FolderComponents(std::string_view path, char separator) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (size_t slash = path.find(separator); slash != std::string_view::npos;
       slash = path.find(separator, start)) {
    parts.push_back(path.substr(start, slash - start));
    start = slash + 1;
  }
  return parts;
}

std::string_view FileNamePart(std::string_view path, char separator) {
  const size_t last = path.rfind(separator);
  return last == std::string_view::npos ? path : path.substr(last + 1);
}

bool SameName(std::string_view a, std::string_view b, const PathRule& rule) {
  return rule.ignoreCase ? SameText(a, b) : a == b;
}

// Both paths without their drive parts, which the caller found to agree.
AnsiString RelativeWithinDrive(std::string_view base, std::string_view dest, const PathRule& rule) {
  const auto baseParts = FolderComponents(base, rule.separator);
  const auto destParts = FolderComponents(dest, rule.separator);
  size_t common = 0;
  while (common < baseParts.size() && common < destParts.size() &&
         SameName(baseParts[common], destParts[common], rule))
    ++common;
  AnsiString result;
  for (size_t i = common; i < baseParts.size(); ++i) (result += "..") += rule.separator;
  for (size_t i = common; i < destParts.size(); ++i) (result += destParts[i]) += rule.separator;
  result += FileNamePart(dest, rule.separator);
  return result;
}

// "C:" or "\\server\share"; empty for a path without a drive.
std::string_view WindowsDrive(std::string_view path) {
  if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
  if (path.starts_with("\\\\")) {
    const size_t serverEnd = path.find('\\', 2);
    if (serverEnd == std::string_view::npos) return path;
    const size_t shareEnd = path.find('\\', serverEnd + 1);
    return shareEnd == std::string_view::npos ? path : path.substr(0, shareEnd);
  }
  return {};
}

}  // namespace

AnsiString MakeRelativePath(std::string_view baseFolder, std::string_view destFile) {
  const bool baseAbsolute = baseFolder.starts_with('/');
  if (baseAbsolute != destFile.starts_with('/')) return AnsiString(destFile);
  return RelativeWithinDrive(baseFolder, destFile, PathRule{'/', false});
}

AnsiString MakeRelativePathWindows(std::string_view baseFolder, std::string_view destFile) {
  const std::string_view baseDrive = WindowsDrive(baseFolder);
  const std::string_view destDrive = WindowsDrive(destFile);
  if (!SameText(baseDrive, destDrive)) return AnsiString(destFile);
  return RelativeWithinDrive(baseFolder.substr(baseDrive.size()), destFile.substr(destDrive.size()),
                             PathRule{'\\', true});
}

}  // namespace folverin
