// Paths longer than the system takes in one call. A collection may lie deep
// enough that the full path of a folder or document exceeds PATH_MAX (4,096
// bytes); the system then refuses every call that takes the path whole. These
// helpers take such a path one folder at a time, so that the walk, the
// readers and the writer reach every name a short path would reach. Paths
// are UTF-8 names as on disk; every call sets errno like the system call it
// stands for.
#pragma once

#include <dirent.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <memory>
#include <string>

#include "common/file_descriptor.h"

namespace folverin {

// open(path, flags, mode), taking a too-long path one folder at a time.
TFileDescriptor OpenLongPath(const std::string& path, int flags, mode_t mode = 0);

// The folder that holds the path's last name, opened for use with the *at
// calls, and that name. A path ending in "/" names its last folder; "/"
// itself and "" have no parent (Folder is empty, errno EINVAL).
struct TParentFolder {
  TFileDescriptor Folder;
  std::string Name;
};
TParentFolder OpenParentFolder(const std::string& path);

struct TDirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};
using TDirHandle = std::unique_ptr<DIR, TDirCloser>;

// opendir(path) for a path of any length; `flags` are added to those of the
// open (O_NOFOLLOW, say). Empty, with errno set, when it fails.
TDirHandle OpenDirLongPath(const std::string& path, int flags = 0);

// stat(path): follows a final symbolic link.
bool StatLongPath(const std::string& path, struct stat& info);

}  // namespace folverin
