#include "common/private_temp_dir.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "common/file_descriptor.h"
#include "common/long_path.h"
#include "common/temp_dir.h"
#include "common/windows1252.h"

namespace folverin {

namespace {

constexpr const char* kRuntimeSubFolder = "folverin";
constexpr const char* kTempPattern = "folverin-XXXXXX";

// A folder that only the user can enter: his own, no rights for group or
// others. `fd` was opened without following a final link.
bool IsPrivateFolder(int fd) {
  struct stat info;
  return ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() &&
         (info.st_mode & 077) == 0;
}

// $XDG_RUNTIME_DIR as a Windows-1252 path with a trailing "/", when it is
// set, absolute and a private folder of the user.
std::optional<AnsiString> UsableRuntimeDir(const char* runtimeDir) {
  if (runtimeDir == nullptr || runtimeDir[0] != '/') return std::nullopt;
  auto ansi = Utf8ToAnsiExact(runtimeDir);
  if (!ansi) return std::nullopt;
  const TFileDescriptor fd(::open(runtimeDir, O_PATH | O_DIRECTORY | O_CLOEXEC));
  if (!fd || !IsPrivateFolder(fd.Get())) return std::nullopt;
  if (ansi->back() != '/') *ansi += '/';
  return ansi;
}

std::string Reason(const AnsiString& folder, int error) {
  return "Kein privater Ordner f\xFCr tempor\xE4re Dateien (" + folder + "): " + std::strerror(error);
}

}  // namespace

TPrivateTempDir TPrivateTempDir::Create() { return Create(std::getenv("XDG_RUNTIME_DIR"), GetTempDir()); }

TPrivateTempDir TPrivateTempDir::Create(const char* runtimeDir, const AnsiString& tempDir) {
  TPrivateTempDir result;
  if (const auto runtime = UsableRuntimeDir(runtimeDir)) {
    const AnsiString folder = *runtime + kRuntimeSubFolder;
    const std::string utf8 = AnsiToUtf8(folder);
    // Made if missing; one that is there must be a folder (not a link to
    // one) that is the user's own. A private folder of his too wide open is
    // closed again.
    if (::mkdir(utf8.c_str(), 0700) != 0 && errno != EEXIST) {
      result.error_ = Reason(folder, errno);
      return result;
    }
    const TFileDescriptor fd(::open(utf8.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat info;
    if (!fd || ::fstat(fd.Get(), &info) != 0 || info.st_uid != ::geteuid() ||
        ((info.st_mode & 077) != 0 && ::fchmod(fd.Get(), 0700) != 0)) {
      result.error_ = Reason(folder, fd ? EPERM : errno);
      return result;
    }
    result.path_ = folder + '/';
    return result;
  }
  std::string pattern = AnsiToUtf8(tempDir) + kTempPattern;
  if (::mkdtemp(pattern.data()) == nullptr) {
    result.error_ = Reason(tempDir + kTempPattern, errno);
    return result;
  }
  // mkdtemp made it anew with mode 0700; checked all the same, because the
  // temporary folder itself may be a link someone else controls.
  const TFileDescriptor fd(::open(pattern.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (!fd || !IsPrivateFolder(fd.Get())) {
    result.error_ = Reason(Utf8ToAnsi(pattern), EPERM);
    return result;
  }
  result.path_ = Utf8ToAnsi(pattern) + '/';
  result.removeAtEnd_ = true;
  return result;
}

TPrivateTempDir::~TPrivateTempDir() { RemoveIfOwned(); }

TPrivateTempDir::TPrivateTempDir(TPrivateTempDir&& other) noexcept
    : path_(std::move(other.path_)),
      error_(std::move(other.error_)),
      removeAtEnd_(std::exchange(other.removeAtEnd_, false)) {
  other.path_.clear();
}

TPrivateTempDir& TPrivateTempDir::operator=(TPrivateTempDir&& other) noexcept {
  if (this != &other) {
    RemoveIfOwned();
    path_ = std::move(other.path_);
    error_ = std::move(other.error_);
    removeAtEnd_ = std::exchange(other.removeAtEnd_, false);
    other.path_.clear();
  }
  return *this;
}

// The run's own folder holds only files the program wrote (no sub-folders):
// they go, then the folder.
void TPrivateTempDir::RemoveIfOwned() {
  if (!removeAtEnd_ || path_.empty()) return;
  removeAtEnd_ = false;
  const std::string utf8 = AnsiToUtf8(path_);
  {
    const TDirHandle dir = OpenDirLongPath(utf8, O_NOFOLLOW);
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir.get())) {
      if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
        ::unlinkat(::dirfd(dir.get()), entry->d_name, 0);
    }
  }
  ::rmdir(utf8.c_str());
}

AnsiString PlannedPrivateTempDir(const char* runtimeDir, const AnsiString& tempDir) {
  if (const auto runtime = UsableRuntimeDir(runtimeDir)) return *runtime + kRuntimeSubFolder + '/';
  return tempDir + kTempPattern + '/';
}

}  // namespace folverin
