#include "common/long_path.h"

#include <fcntl.h>

#include <cerrno>
#include <string_view>

namespace folverin {

namespace {

// Opens a folder for looking up names in it; a search right is enough, as for
// the folders of an ordinary path.
TFileDescriptor OpenSearchableAt(int at, const std::string& name) {
  return TFileDescriptor(::openat(at, name.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
}

}  // namespace

TParentFolder OpenParentFolder(const std::string& path) {
  TParentFolder parent;
  std::string_view rest = path;
  while (rest.size() > 1 && rest.back() == '/') rest.remove_suffix(1);
  const size_t lastSlash = rest.rfind('/');
  parent.Name = std::string(lastSlash == std::string_view::npos ? rest : rest.substr(lastSlash + 1));
  if (parent.Name.empty() || parent.Name == "/") {
    errno = EINVAL;
    return parent;
  }
  const bool absolute = !rest.empty() && rest.front() == '/';
  TFileDescriptor folder = OpenSearchableAt(AT_FDCWD, absolute ? "/" : ".");
  std::string_view folders = lastSlash == std::string_view::npos ? std::string_view() : rest.substr(0, lastSlash);
  // One name at a time: each call sees a short path, and symbolic links on
  // the way are followed as they would be in the whole path.
  while (folder && !folders.empty()) {
    const size_t slash = folders.find('/');
    const std::string_view name = folders.substr(0, slash);
    folders = slash == std::string_view::npos ? std::string_view() : folders.substr(slash + 1);
    if (name.empty()) continue;
    folder = OpenSearchableAt(folder.Get(), std::string(name));
  }
  if (folder) parent.Folder = std::move(folder);
  return parent;
}

TFileDescriptor OpenLongPath(const std::string& path, int flags, mode_t mode) {
  TFileDescriptor fd(::open(path.c_str(), flags, mode));
  if (fd || errno != ENAMETOOLONG) return fd;
  const TParentFolder parent = OpenParentFolder(path);
  if (!parent.Folder) return fd;
  return TFileDescriptor(::openat(parent.Folder.Get(), parent.Name.c_str(), flags, mode));
}

TDirHandle OpenDirLongPath(const std::string& path, int flags) {
  TFileDescriptor fd = OpenLongPath(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC | flags);
  if (!fd) return {};
  TDirHandle dir(::fdopendir(fd.Get()));
  if (dir) fd.Release();  // the listing owns it now
  return dir;
}

bool StatLongPath(const std::string& path, struct stat& info) {
  if (::stat(path.c_str(), &info) == 0) return true;
  if (errno != ENAMETOOLONG) return false;
  const TParentFolder parent = OpenParentFolder(path);
  return parent.Folder && ::fstatat(parent.Folder.Get(), parent.Name.c_str(), &info, 0) == 0;
}

}  // namespace folverin
