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
#include <functional>
#include <random>
#include <vector>

#include "common/file_descriptor.h"
#include "common/line_ends.h"
#include "common/long_path.h"
#include "common/separators.h"
#include "common/windows1252.h"

namespace folverin {

namespace {

// A path with a byte 0 would be cut short by the system calls and could name
// a different file than the one asked for, so such paths name nothing.
bool HasNul(std::string_view path) { return path.find('\0') != std::string_view::npos; }

bool Exists(const std::string& utf8Path) {
  struct stat info;
  return StatLongPath(utf8Path, info);
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
  const TDirHandle dir = OpenDirLongPath(folder);
  if (!dir) return std::nullopt;
  std::optional<std::string> best;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string_view name = entry->d_name;
    if (SameText(name, wanted) && (!best || name < *best)) best = std::string(name);
  }
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
  if (StatLongPath(AnsiToUtf8(ansiPath), info)) return info;
  if (!StatLongPath(ResolveOnDisk(ansiPath), info)) return std::nullopt;
  return info;
}

// Non-blocking, so that a pipe put where a file is expected cannot stall the
// reader before it sees what it opened.
TFileDescriptor OpenForReading(std::string_view ansiPath) {
  constexpr int kFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
  TFileDescriptor fd = OpenLongPath(AnsiToUtf8(ansiPath), kFlags);
  if (fd) return fd;
  return OpenLongPath(ResolveOnDisk(ansiPath), kFlags);
}

std::string SystemError(std::string_view what, std::string_view ansiPath, int error) {
  return std::string(what) + " \"" + std::string(ansiPath) + "\": " + std::strerror(error);
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

// ---- Writing ---------------------------------------------------------------
//
// A file is written whole or not at all: the bytes go into a new file beside
// the target, which is then renamed over it. The rename replaces whatever
// name it meets, so the writer first makes sure that name is one it may
// replace: nothing at all, or a regular file. A symbolic link in its place is
// written through (the link stays a link) when it is the user's own and ends
// at a regular file; a link of another user is what someone who can write
// the folder plants to turn the write onto a file of ours, and is refused.
// Folders, devices, pipes and sockets are left as they are. The name is used
// exactly as given: the letter-case resolver serves reading only.

std::string Refusal(std::string_view ansiPath, std::string_view why) {
  return "\"" + std::string(ansiPath) + "\" " + std::string(why);
}

// The name the rename will replace, after following a link of the user's
// own, or the refusal.
struct TWriteTarget {
  TParentFolder Parent;  // the folder the rename happens in, and the name
  std::optional<struct stat> Existing;
  std::optional<std::string> Error;
  int ErrorNumber = 0;  // the system's reason; 0 for a refusal
};

TWriteTarget CheckWriteTarget(std::string_view ansiPath, std::string path) {
  for (int links = 0;; ++links) {
    TWriteTarget target{OpenParentFolder(path), std::nullopt, std::nullopt};
    const TParentFolder& parent = target.Parent;
    if (!parent.Folder) {
      target.Error = SystemError("Cannot create file", ansiPath, target.ErrorNumber = errno);
      return target;
    }
    struct stat info;
    if (::fstatat(parent.Folder.Get(), parent.Name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
      if (errno != ENOENT) target.Error = SystemError("Cannot create file", ansiPath, target.ErrorNumber = errno);
      return target;
    }
    if (S_ISREG(info.st_mode)) {
      target.Existing = info;
      // A file the user may not write is not replaced behind his back, even
      // where the folder would allow the rename.
      if (::faccessat(parent.Folder.Get(), parent.Name.c_str(), W_OK, 0) != 0)
        target.Error = SystemError("Cannot create file", ansiPath, target.ErrorNumber = errno);
      return target;
    }
    if (!S_ISLNK(info.st_mode)) {
      target.Error = Refusal(ansiPath, "ist keine gew\xF6hnliche Datei und wird nicht \xFC" "berschrieben");
      return target;
    }
    if (info.st_uid != ::geteuid()) {
      target.Error = Refusal(ansiPath, "ist ein symbolischer Verweis eines anderen Benutzers und wird nicht beschrieben");
      return target;
    }
    char real[PATH_MAX];
    if (links > 0 || ::realpath(path.c_str(), real) == nullptr) {
      target.Error = Refusal(ansiPath, "ist ein Verweis, der auf keine vorhandene Datei zeigt");
      return target;
    }
    path = real;
  }
}

// A new file gets the usual mode under the umask; a replaced one keeps its own.
mode_t ModeForWrite(const std::optional<struct stat>& existing) {
  if (existing) return existing->st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// A fresh name beside the target, made with O_EXCL so that nothing already
// there is opened.
TFileDescriptor CreateTemporaryAt(int folder, std::string& name) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = ".folverin-";
    for (int i = 0; i < 8; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
    TFileDescriptor fd(::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (fd || errno != EEXIST) return fd;
  }
  return TFileDescriptor();
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

bool FileExistsExactly(std::string_view ansiPath) {
  struct stat info;
  return !HasNul(ansiPath) && StatLongPath(AnsiToUtf8(ansiPath), info) && S_ISREG(info.st_mode);
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

namespace {

// Only a regular file has an end: a pipe could keep the reader waiting and
// a device such as /dev/zero would fill the memory. Empty (errno set) for
// anything else; `size` gets the length the file has now.
TFileDescriptor OpenRegularFile(std::string_view ansiPath, size_t& size) {
  if (HasNul(ansiPath)) {
    errno = ENOENT;
    return {};
  }
  TFileDescriptor fd = OpenForReading(ansiPath);
  if (!fd) return {};
  struct stat info;
  if (::fstat(fd.Get(), &info) != 0) return {};
  if (!S_ISREG(info.st_mode)) {
    errno = EINVAL;
    return {};
  }
  size = static_cast<size_t>(info.st_size);
  return fd;
}

// read() that goes on after an interruption.
ssize_t ReadSome(int fd, char* into, size_t count) {
  for (;;) {
    const ssize_t got = ::read(fd, into, count);
    if (got >= 0 || errno != EINTR) return got;
  }
}

}  // namespace

bool ReadWholeFileInto(std::string_view ansiPath, std::string& content) {
  content.clear();
  size_t expected = 0;
  const TFileDescriptor fd = OpenRegularFile(ansiPath, expected);
  if (!fd) return false;
  if (expected > kMaxReadSize) {
    errno = EFBIG;
    return false;
  }
  // Read straight into the result, sized from the file's length (one byte
  // more, so that the end shows without growing); a file that grows while it
  // is read is still read to its end, up to the limit.
  content.resize(std::max<size_t>(expected + 1, 4096));
  size_t used = 0;
  for (;;) {
    if (used == content.size()) {
      if (used > kMaxReadSize) {
        content.clear();
        errno = EFBIG;
        return false;
      }
      content.resize(content.size() * 2);
    }
    const ssize_t count = ReadSome(fd.Get(), content.data() + used, content.size() - used);
    if (count == 0) break;
    if (count < 0) {
      const int error = errno;
      content.clear();
      errno = error;
      return false;
    }
    used += static_cast<size_t>(count);
  }
  content.resize(used);
  return true;
}

bool ReadLineBlocks(std::string_view ansiPath, size_t blockSize,
                    const std::function<bool(std::string_view)>& consume) {
  size_t size = 0;
  const TFileDescriptor fd = OpenRegularFile(ansiPath, size);
  if (!fd) return false;
  // buffer[0, kept) is the unfinished last line of the previous read; the
  // buffer is not cleared first, read() fills what is used.
  size_t capacity = std::max<size_t>(blockSize, 1);
  auto buffer = std::make_unique_for_overwrite<char[]>(capacity);
  size_t kept = 0;
  for (;;) {
    if (kept == capacity) {
      if (capacity > kMaxReadSize) {
        errno = EFBIG;
        return false;
      }
      auto larger = std::make_unique_for_overwrite<char[]>(capacity * 2);
      std::memcpy(larger.get(), buffer.get(), kept);
      buffer = std::move(larger);
      capacity *= 2;
    }
    const ssize_t count = ReadSome(fd.Get(), buffer.get() + kept, capacity - kept);
    if (count < 0) return false;
    if (count == 0) return kept == 0 || consume(std::string_view(buffer.get(), kept));
    const size_t filled = kept + static_cast<size_t>(count);
    const std::string_view data(buffer.get(), filled);
    const size_t lastEnd = FindLastLineEnd(data);
    if (lastEnd == std::string_view::npos) {
      kept = filled;  // no line ended in what came: read on
      continue;
    }
    if (!consume(data.substr(0, lastEnd + 1))) return true;
    kept = filled - (lastEnd + 1);
    std::memmove(buffer.get(), buffer.get() + lastEnd + 1, kept);
  }
}

struct TStagedFile::TState {
  AnsiString Path;
  TFileDescriptor Folder;  // the checked folder, where the rename happens
  std::string TargetName;
  std::string TempName;
  TFileDescriptor File;
  std::string Buffer;
  bool Committed = false;
};

TStagedFile::TStagedFile() = default;

TStagedFile::~TStagedFile() {
  if (state_ && !state_->TempName.empty() && !state_->Committed)
    ::unlinkat(state_->Folder.Get(), state_->TempName.c_str(), 0);
}

bool TStagedFile::Fail(std::string_view what, int error) {
  if (error_.empty()) {
    error_ = SystemError(what, state_ ? state_->Path : AnsiString(), error);
    errorNumber_ = error;
  }
  return false;
}

bool TStagedFile::Begin(std::string_view ansiPath) {
  state_ = std::make_unique<TState>();
  state_->Path = AnsiString(ansiPath);
  if (HasNul(ansiPath) || ansiPath.empty()) return Fail("Cannot create file", EINVAL);
  TWriteTarget target = CheckWriteTarget(ansiPath, AnsiToUtf8(ansiPath));
  if (target.Error) {
    errorNumber_ = target.ErrorNumber;
    error_ = *target.Error;
    return false;
  }
  // Opened for reading, so that the rename can be made lasting with fsync.
  state_->Folder = TFileDescriptor(::openat(target.Parent.Folder.Get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!state_->Folder) return Fail("Cannot create file", errno);
  state_->TargetName = target.Parent.Name;
  state_->File = CreateTemporaryAt(state_->Folder.Get(), state_->TempName);
  if (!state_->File) {
    const int error = errno;
    state_->TempName.clear();
    return Fail("Cannot create file", error);
  }
  if (::fchmod(state_->File.Get(), ModeForWrite(target.Existing)) != 0)
    return Fail("Cannot write file", errno);
  return true;
}

bool TStagedFile::Flush() {
  if (!WriteAll(state_->File.Get(), state_->Buffer)) return Fail("Cannot write file", errno);
  state_->Buffer.clear();
  return true;
}

bool TStagedFile::Write(std::string_view bytes) {
  if (!error_.empty() || !state_ || !state_->File) return Fail("Cannot write file", EBADF);
  constexpr size_t kBufferSize = size_t{1} << 20;
  if (state_->Buffer.size() + bytes.size() < kBufferSize) {
    state_->Buffer += bytes;
    return true;
  }
  // A large piece (a whole page) goes out as it is, without a copy.
  if (!Flush()) return false;
  if (!WriteAll(state_->File.Get(), bytes)) return Fail("Cannot write file", errno);
  return true;
}

bool TStagedFile::Finish() {
  if (!error_.empty() || !state_ || !state_->File) return Fail("Cannot write file", EBADF);
  if (!Flush()) return false;
  if (::fsync(state_->File.Get()) != 0) return Fail("Cannot write file", errno);
  if (state_->File.Reset() != 0) return Fail("Cannot write file", errno);
  return true;
}

bool TStagedFile::Commit() {
  if (!error_.empty() || !state_ || state_->TempName.empty() || state_->File)
    return Fail("Cannot write file", EBADF);
  const int folder = state_->Folder.Get();
  if (::renameat(folder, state_->TempName.c_str(), folder, state_->TargetName.c_str()) != 0)
    return Fail("Cannot write file", errno);
  state_->Committed = true;
  ::fsync(folder);
  return true;
}

std::optional<std::string> WriteWholeFile(std::string_view ansiPath, std::string_view bytes) {
  TStagedFile file;
  if (file.Begin(ansiPath) && file.Write(bytes) && file.Finish() && file.Commit()) return std::nullopt;
  return file.Error();
}

bool RemoveFile(std::string_view ansiPath) {
  if (HasNul(ansiPath)) return false;
  const TParentFolder parent = OpenParentFolder(AnsiToUtf8(ansiPath));
  if (!parent.Folder) return errno == ENOENT;
  return ::unlinkat(parent.Folder.Get(), parent.Name.c_str(), 0) == 0 || errno == ENOENT;
}

AnsiString ProgramFolder(std::string_view argv0) {
  const std::string program = ExecutablePath(argv0);
  const size_t slash = program.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string(".") : program.substr(0, slash);
  return Utf8ToAnsi(folder) + kPathDelim;
}

}  // namespace folverin
