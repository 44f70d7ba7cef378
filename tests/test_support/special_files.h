// Things that can stand where a program expects a regular file: a pipe, a
// character device, a link to an endless device, a folder, a link that leads
// nowhere. Made inside a test folder; as root the devices are made there
// too (mknod), so that a reader or writer that goes wrong harms nothing but
// the test folder.
#pragma once

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

namespace folverin::testing {

enum class TSpecialKind { Fifo, CharDevice, LinkToZero, Directory, DanglingLink };

inline const std::vector<TSpecialKind>& AllSpecialKinds() {
  static const std::vector<TSpecialKind> kinds = {TSpecialKind::Fifo, TSpecialKind::CharDevice,
                                                  TSpecialKind::LinkToZero, TSpecialKind::Directory,
                                                  TSpecialKind::DanglingLink};
  return kinds;
}

inline const char* SpecialKindName(TSpecialKind kind) {
  switch (kind) {
    case TSpecialKind::Fifo: return "Fifo";
    case TSpecialKind::CharDevice: return "CharDevice";
    case TSpecialKind::LinkToZero: return "LinkToZero";
    case TSpecialKind::Directory: return "Directory";
    case TSpecialKind::DanglingLink: return "DanglingLink";
  }
  return "?";
}

// Makes `path` into the special thing; false when this user cannot (a device
// needs root; without it /dev/null and /dev/zero are linked instead, which
// an ordinary user cannot replace).
inline bool MakeSpecial(TSpecialKind kind, const std::string& path) {
  namespace fs = std::filesystem;
  const bool root = ::geteuid() == 0;
  const std::string devices = fs::path(path).parent_path() / ".devices";
  std::error_code error;
  switch (kind) {
    case TSpecialKind::Fifo: return ::mkfifo(path.c_str(), 0644) == 0;
    case TSpecialKind::CharDevice:
      if (root) return ::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
      fs::create_symlink("/dev/null", path, error);
      return !error;
    case TSpecialKind::LinkToZero: {
      std::string zero = "/dev/zero";
      if (root) {
        fs::create_directories(devices, error);
        zero = devices + "/zero";
        if (::mknod(zero.c_str(), S_IFCHR | 0666, makedev(1, 5)) != 0 && errno != EEXIST) return false;
      }
      fs::create_symlink(zero, path, error);
      return !error;
    }
    case TSpecialKind::Directory: return fs::create_directory(path, error);
    case TSpecialKind::DanglingLink:
      fs::create_symlink(path + ".missing", path, error);
      return !error;
  }
  return false;
}

// Whether `path` is still the thing MakeSpecial made.
inline bool IsStillSpecial(TSpecialKind kind, const std::string& path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0) return false;
  const bool root = ::geteuid() == 0;
  switch (kind) {
    case TSpecialKind::Fifo: return S_ISFIFO(info.st_mode);
    case TSpecialKind::CharDevice: return root ? S_ISCHR(info.st_mode) : S_ISLNK(info.st_mode);
    case TSpecialKind::LinkToZero:
    case TSpecialKind::DanglingLink: {
      struct stat target;
      const bool reaches = ::stat(path.c_str(), &target) == 0;
      return S_ISLNK(info.st_mode) &&
             (kind == TSpecialKind::DanglingLink ? !reaches : reaches && S_ISCHR(target.st_mode));
    }
    case TSpecialKind::Directory: return S_ISDIR(info.st_mode);
  }
  return false;
}

}  // namespace folverin::testing
