// Folders deeper than a path can name: a collection whose full path is
// longer than the system takes in one call (PATH_MAX). Made, filled and
// removed one folder at a time, since std::filesystem takes whole paths.
#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/long_path.h"

namespace folverin::testing {

// Makes `base` + "/" + ... a folder whose path is exactly `length` bytes,
// one name of at most 200 bytes at a time (the whole path may be longer than
// the system takes in one call); returns that path.
inline std::string MakeDeepFolder(const std::string& base, size_t length) {
  std::string path = base;
  int fd = open(base.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  for (char letter = 'a'; path.size() < length && fd >= 0; ++letter) {
    size_t name = std::min<size_t>(200, length - path.size() - 1);
    if (length - path.size() - 1 - name == 1) --name;  // leave room for one more name
    const std::string component(name, letter);
    mkdirat(fd, component.c_str(), 0755);
    const int next = openat(fd, component.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    close(fd);
    fd = next;
    path += "/" + component;
  }
  if (fd >= 0) close(fd);
  return path;
}

// Writes `relative` (one or two names) below a folder given as a path of any
// length.
inline void WriteDeep(const std::string& folder, const std::string& relative, const std::string& content) {
  const int top = OpenLongPath(folder, O_PATH | O_DIRECTORY | O_CLOEXEC).Release();
  std::string name = relative;
  int at = top;
  if (const size_t slash = relative.find('/'); slash != std::string::npos) {
    mkdirat(top, relative.substr(0, slash).c_str(), 0755);
    at = openat(top, relative.substr(0, slash).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    name = relative.substr(slash + 1);
  }
  const int fd = openat(at, name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (write(fd, content.data(), content.size()) != static_cast<ssize_t>(content.size())) abort();
  close(fd);
  if (at != top) close(at);
  close(top);
}

// Removes a tree that may be deeper than a path can name, one folder at a
// time (std::filesystem takes whole paths).
inline void RemoveDeepAt(int parent, const std::string& name) {
  const int fd = openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) {
    unlinkat(parent, name.c_str(), 0);
    return;
  }
  std::vector<std::string> entries;
  if (DIR* dir = fdopendir(dup(fd))) {
    while (const dirent* entry = readdir(dir))
      if (std::string(entry->d_name) != "." && std::string(entry->d_name) != "..") entries.push_back(entry->d_name);
    closedir(dir);
  }
  for (const std::string& entry : entries) RemoveDeepAt(fd, entry);
  close(fd);
  unlinkat(parent, name.c_str(), AT_REMOVEDIR);
}

}  // namespace folverin::testing
