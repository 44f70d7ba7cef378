// TFileSearch walks a folder tree depth-first and reports the entries that
// match a file mask through events. Between entries it calls Pump, so that a
// window can keep its message loop running and a cancel button can set Stop.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "common/ansi_string.h"

namespace folverin {

// Attribute bits of a directory entry (derived on Linux, see file_search.cpp).
enum : int {
  faReadOnly = 0x01,
  faHidden = 0x02,
  faSysFile = 0x04,
  faVolumeID = 0x08,
  faDirectory = 0x10,
  faArchive = 0x20,
};

// Entries are folders and regular files; a symbolic link to a file counts as
// the file, a link to a folder is neither reported nor entered.
struct TSearchRec {
  AnsiString Name;     // entry name without folder, Windows-1252
  uint32_t Size = 0;   // size in bytes, cut to 32 bits
  int Attr = 0;        // fa* bits
};

// fullpath is the entry's folder, always ending in the separator ("/").
using TFindFileEvent = std::function<void(const AnsiString& fullpath, TSearchRec info)>;
using TChangeFolderEvent = std::function<void(const AnsiString& fullpath, TSearchRec info)>;

class TFileSearch {
 public:
  // Start folder followed by a mask ("/docs/*.htm"), kept whole: a
  // collection may lie deeper than any fixed limit, and a cut path would
  // walk some other folder. Paths longer than the system takes in one call
  // are walked too (common/long_path.h).
  // Only "/" separates the folder from the mask: "\" is an ordinary name
  // character here, and callers turn collection paths into native ones first.
  void SetSearchFile(std::string_view value);
  const AnsiString& SearchFile() const { return searchFile_; }

  bool RecurseSubFolders = true;
  bool Stop = false;

  TFindFileEvent OnFileFind;
  TChangeFolderEvent OnChangeFolder;
  std::function<void(TFileSearch& sender)> OnFinish;
  // Lets the caller's message loop run once; called after every entry.
  std::function<void()> Pump;
  // Told about a name on disk that has no Windows-1252 form and is skipped.
  std::function<void(const std::string& utf8Path)> OnSkippedName;
  // Told about a folder that exists in the walk but cannot be listed (no
  // permission, a path the system cannot open); the walk goes on without it.
  std::function<void(const AnsiString& folder)> OnUnreadableFolder;

  // Clears Stop, walks the tree and calls OnFinish. An exception thrown by a
  // handler leaves Execute at once, without OnFinish.
  void Execute();

 private:
  void Walk(const AnsiString& folder, const AnsiString& mask, const TSearchRec& record);
  void PumpOnce();

  AnsiString searchFile_;
};

// The platform's wildcard match: "*" and "?" without regard to ASCII case,
// with the DOS rules for dots ("*.*" matches every name, "*." names without
// a dot, "?" before a dot or at the end may match nothing).
bool MatchesMask(std::string_view name, std::string_view mask);

}  // namespace folverin
