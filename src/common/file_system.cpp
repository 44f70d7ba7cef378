#include "common/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "common/separators.h"
#include "common/windows1252.h"

namespace folverin {

namespace {

// A path with a byte 0 would be cut short by the system calls and could name
// a different file than the one asked for, so such paths name nothing.
bool HasNul(std::string_view path) { return path.find('\0') != std::string_view::npos; }

bool Exists(const std::string& utf8Path) {
  struct stat info;
  return ::stat(utf8Path.c_str(), &info) == 0;
}

std::vector<std::string> SplitAtSlash(std::string_view path) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t slash = path.find('/', start);
    if (slash == std::string_view::npos) {
      parts.emplace_back(path.substr(start));
      return parts;
    }
    parts.emplace_back(path.substr(start, slash - start));
    start = slash + 1;
  }
}

// The entry of the folder whose name equals the wanted one without regard to
// ASCII letter case; among several, the first in byte order, so that the
// choice does not depend on the order the folder lists them in.
std::optional<std::string> FindEntryIgnoringCase(const std::string& folder,
                                                 const std::string& wanted) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return std::nullopt;
  std::optional<std::string> best;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (SameText(name, wanted) && (!best || name < *best)) best = std::string(name);
  }
  ::closedir(dir);
  return best;
}

std::string JoinComponent(const std::string& prefix, const std::string& name, bool first) {
  return first ? name : prefix + "/" + name;
}

// The folder that holds component number `index` of a path resolved so far.
std::string FolderToList(const std::string& resolved, size_t index) {
  if (index == 0) return ".";
  return resolved.empty() ? "/" : resolved;
}

std::string ResolveComponents(const std::string& utf8Path) {
  const std::vector<std::string> parts = SplitAtSlash(utf8Path);
  std::string resolved;
  bool searching = true;
  for (size_t i = 0; i < parts.size(); ++i) {
    const std::string& part = parts[i];
    std::string candidate = JoinComponent(resolved, part, i == 0);
    const bool special = part.empty() || part == "." || part == "..";
    if (searching && !special && !Exists(candidate)) {
      if (auto match = FindEntryIgnoringCase(FolderToList(resolved, i), part))
        candidate = JoinComponent(resolved, *match, i == 0);
      else
        searching = false;  // the rest cannot exist either; keep it as written
    }
    resolved = std::move(candidate);
  }
  return resolved;
}

// The exact name is by far the usual case: it is tried first, and only a
// name that is missing is looked for without regard to letter case.
std::optional<struct stat> StatOf(std::string_view ansiPath) {
  if (HasNul(ansiPath)) return std::nullopt;
  struct stat info;
  if (::stat(AnsiToUtf8(ansiPath).c_str(), &info) == 0) return info;
  if (::stat(ResolveOnDisk(ansiPath).c_str(), &info) != 0) return std::nullopt;
  return info;
}

int OpenForReading(std::string_view ansiPath) {
  const int fd = ::open(AnsiToUtf8(ansiPath).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd >= 0) return fd;
  return ::open(ResolveOnDisk(ansiPath).c_str(), O_RDONLY | O_CLOEXEC);
}

std::string SystemError(std::string_view what, std::string_view ansiPath, int error) {
  return std::string(what) + " \"" + std::string(ansiPath) + "\": " + std::strerror(error);
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// The file that a write replaces: a symbolic link is written through, so the
// link stays a link.
std::string WriteTarget(const std::string& path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char real[PATH_MAX];
  return ::realpath(path.c_str(), real) ? std::string(real) : path;
}

// A new file gets the usual mode under the umask; a replaced one keeps its own.
mode_t ModeForWrite(const std::string& target) {
  struct stat info;
  if (::stat(target.c_str(), &info) == 0) return info.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

std::string FindOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return name;
  std::string_view rest = path;
  while (!rest.empty()) {
    const size_t colon = rest.find(':');
    const std::string folder(rest.substr(0, colon));
    const std::string candidate = (folder.empty() ? "." : folder) + "/" + name;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
    if (colon == std::string_view::npos) break;
    rest.remove_prefix(colon + 1);
  }
  return name;
}

std::string ExecutablePath(std::string_view argv0) {
  char buffer[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length > 0) return std::string(buffer, static_cast<size_t>(length));
  std::string program(argv0);
  if (program.find('/') == std::string::npos) program = FindOnPath(program);
  char real[PATH_MAX];
  return ::realpath(program.c_str(), real) ? std::string(real) : program;
}

}  // namespace

AnsiString ToNativeSeparators(std::string_view path) {
  AnsiString result(path);
  BackslashToSlash(result);
  return result;
}

std::string ResolveOnDisk(std::string_view ansiPath) {
  std::string utf8 = AnsiToUtf8(ansiPath);
  if (utf8.empty() || HasNul(utf8) || Exists(utf8)) return utf8;
  return ResolveComponents(utf8);
}

bool FileExists(std::string_view ansiPath) {
  const auto info = StatOf(ansiPath);
  return info && S_ISREG(info->st_mode);
}

bool DirectoryExists(std::string_view ansiPath) {
  const auto info = StatOf(ansiPath);
  return info && S_ISDIR(info->st_mode);
}

bool IsWritable(std::string_view ansiPath) {
  if (HasNul(ansiPath)) return false;
  const std::string path = ResolveOnDisk(ansiPath);
  // A file without any write bit counts as read-only even for root, for
  // whom access() would say yes: "chmod a-w" marks a read-only medium.
  struct stat info;
  if (::stat(path.c_str(), &info) != 0 || (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
    return false;
  return ::access(path.c_str(), W_OK) == 0;
}

std::optional<std::string> ReadWholeFile(std::string_view ansiPath) {
  std::string content;
  if (!ReadWholeFileInto(ansiPath, content)) return std::nullopt;
  return content;
}

bool ReadWholeFileInto(std::string_view ansiPath, std::string& content) {
  content.clear();
  if (HasNul(ansiPath)) return false;
  const int fd = OpenForReading(ansiPath);
  if (fd < 0) return false;
  // Read straight into the result, sized from the file's length (one byte
  // more, so that the end shows without growing); a file that grows while it
  // is read is still read to its end.
  struct stat info;
  const size_t expected =
      ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) ? static_cast<size_t>(info.st_size) : 0;
  content.resize(std::max<size_t>(expected + 1, 4096));
  size_t used = 0;
  for (;;) {
    if (used == content.size()) content.resize(content.size() * 2);
    const ssize_t count = ::read(fd, content.data() + used, content.size() - used);
    if (count == 0) break;
    if (count < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      content.clear();
      errno = error;
      return false;
    }
    used += static_cast<size_t>(count);
  }
  ::close(fd);
  content.resize(used);
  return true;
}

std::optional<std::string> WriteWholeFile(std::string_view ansiPath, std::string_view bytes) {
  if (HasNul(ansiPath) || ansiPath.empty())
    return SystemError("Cannot create file", ansiPath, EINVAL);
  const std::string target = WriteTarget(ResolveOnDisk(ansiPath));
  // A file the user may not write is not replaced behind his back, even
  // where the folder would allow the rename.
  if (Exists(target) && ::access(target.c_str(), W_OK) != 0)
    return SystemError("Cannot create file", ansiPath, errno);
  const std::string folder = FolderOf(target);
  std::string temp = folder + "/.folverin-XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return SystemError("Cannot create file", ansiPath, errno);
  int error = 0;
  if (::fchmod(fd, ModeForWrite(target)) != 0 || !WriteAll(fd, bytes) || ::fsync(fd) != 0)
    error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temp.c_str());
    return SystemError("Cannot write file", ansiPath, error);
  }
  SyncFolder(folder);
  return std::nullopt;
}

bool RemoveFile(std::string_view ansiPath) {
  if (HasNul(ansiPath)) return false;
  const std::string path = ResolveOnDisk(ansiPath);
  return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

AnsiString ProgramFolder(std::string_view argv0) {
  const std::string program = ExecutablePath(argv0);
  const size_t slash = program.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string(".") : program.substr(0, slash);
  return Utf8ToAnsi(folder) + kPathDelim;
}

}  // namespace folverin
