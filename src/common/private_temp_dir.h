// The folder for files the program writes for itself (the search result page
// and other scratch files). A predictable name in the shared temporary
// folder lets another user of the machine plant a link or a file of his own
// there; so these files live in a folder only the user can enter (mode
// 0700): "folverin" under $XDG_RUNTIME_DIR when that is a private folder of
// the user, otherwise a folder made with mkdtemp in the temporary folder for
// this run alone, removed with the files in it when the run ends.
#pragma once

#include <optional>
#include <string>

#include "common/ansi_string.h"

namespace folverin {

class TPrivateTempDir {
 public:
  // Finds or makes the folder. `runtimeDir` is $XDG_RUNTIME_DIR (nullptr or
  // empty when unset), `tempDir` the temporary folder (GetTempDir()).
  static TPrivateTempDir Create(const char* runtimeDir, const AnsiString& tempDir);
  // The same with the environment's values.
  static TPrivateTempDir Create();

  TPrivateTempDir() = default;
  ~TPrivateTempDir();
  TPrivateTempDir(TPrivateTempDir&& other) noexcept;
  TPrivateTempDir& operator=(TPrivateTempDir&& other) noexcept;
  TPrivateTempDir(const TPrivateTempDir&) = delete;
  TPrivateTempDir& operator=(const TPrivateTempDir&) = delete;

  // The folder with a trailing "/", or empty when none could be made.
  const AnsiString& Path() const { return path_; }
  // Why there is none (Windows-1252), when Path() is empty.
  const std::string& Error() const { return error_; }

 private:
  void RemoveIfOwned();

  AnsiString path_;
  std::string error_;
  bool removeAtEnd_ = false;  // made for this run with mkdtemp
};

// The folder a viewer started now would use, without making anything: the
// runtime folder's "folverin/" when $XDG_RUNTIME_DIR is usable, otherwise
// the mkdtemp pattern in the temporary folder. For listings such as
// "folverin-cli settings".
AnsiString PlannedPrivateTempDir(const char* runtimeDir, const AnsiString& tempDir);

}  // namespace folverin
