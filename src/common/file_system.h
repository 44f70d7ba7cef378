// The file system as the program sees it: paths are AnsiString
// (Windows-1252) and are turned into UTF-8 names only here, at the boundary.
// Names that the program looks up itself (settings file, index files, ...)
// are found without regard to letter case when the exact name is missing,
// because collections are written on systems whose names ignore case.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/ansi_string.h"

namespace folverin {

// The native path separator, and whether a character separates path parts in
// values that collections write (settings file, tools file): both "\" and "/".
inline constexpr char kPathDelim = '/';
inline bool IsPathSeparator(char c) { return c == '/' || c == '\\'; }

// A path as written in a collection's files, with "\" turned into the native
// separator.
AnsiString ToNativeSeparators(std::string_view path);

// Converts a program path to the UTF-8 name on disk, resolving letter case
// component by component when the exact name does not exist. Returns the
// exact conversion when nothing better is found.
std::string ResolveOnDisk(std::string_view ansiPath);

bool FileExists(std::string_view ansiPath);       // a regular file (or link to one)
bool DirectoryExists(std::string_view ansiPath);  // a folder (or link to one)
// A regular file under exactly this name, without the letter-case search:
// for paths the system gave, such as the program's own file.
bool FileExistsExactly(std::string_view ansiPath);
// Whether the current user may write the file (false when it does not exist).
bool IsWritable(std::string_view ansiPath);

// The largest file the readers take (settings, tools file, documents, style
// sheets): far beyond any of them, and a bound on what a hostile collection
// can make the program hold.
inline constexpr size_t kMaxReadSize = size_t{256} << 20;

// The whole file, or nothing when it cannot be read. Only regular files are
// read (a pipe, a device or a folder is refused at once), and none larger
// than kMaxReadSize. The name is found without regard to letter case.
std::optional<std::string> ReadWholeFile(std::string_view ansiPath);
// The same into a string the caller keeps, so that its memory serves file
// after file; false (and `content` empty) when the file cannot be read.
bool ReadWholeFileInto(std::string_view ansiPath, std::string& content);

// Reads a file piece by piece and hands each piece to `consume`: every
// piece ends at a line end (CR or LF) or at the end of the file, so a line
// is never cut in two, and the memory held stays near `blockSize` however
// large the file (a line longer than that is handed over whole). `consume`
// returns false to stop early. False when the file cannot be read, as for
// ReadWholeFile (only regular files; the name found without regard to
// letter case).
bool ReadLineBlocks(std::string_view ansiPath, size_t blockSize,
                    const std::function<bool(std::string_view)>& consume);

// Writes the file whole or not at all (a temporary file beside it, renamed
// over the target), under exactly the name given. It replaces only a regular
// file, or writes through a symbolic link of the user's own that ends at one;
// anything else in its place (folder, device, pipe, socket, a link of another
// user or one that leads nowhere) is refused and left as it is. Returns an
// error text (Windows-1252: the system's English reason, or a German
// refusal) or nothing on success.
std::optional<std::string> WriteWholeFile(std::string_view ansiPath, std::string_view bytes);

// A file written under a temporary name beside its target and put in its
// place only by Commit, so that several files can be written completely
// before any of them replaces what is there (the index's three files). The
// target is checked as WriteWholeFile checks it, when Begin is called.
// Dropped before Commit, it removes its temporary file and leaves the
// target as it was. Every step returns false after a failure; Error() then
// says what failed (Windows-1252) and ErrorNumber() why (0 for a refusal).
class TStagedFile {
 public:
  TStagedFile();
  ~TStagedFile();
  TStagedFile(const TStagedFile&) = delete;
  TStagedFile& operator=(const TStagedFile&) = delete;

  bool Begin(std::string_view ansiPath);
  // Buffered: an error may only show at a later Write or at Finish.
  bool Write(std::string_view bytes);
  // Everything written is on the disk under the temporary name.
  bool Finish();
  bool Commit();

  const std::string& Error() const { return error_; }
  int ErrorNumber() const { return errorNumber_; }

 private:
  struct TState;
  bool Fail(std::string_view what, int error);
  bool Flush();

  std::unique_ptr<TState> state_;
  std::string error_;
  int errorNumber_ = 0;
};

// Deletes a file under exactly the name given; true when it is gone
// afterwards.
bool RemoveFile(std::string_view ansiPath);

// Folder of the running program file with a trailing separator.
AnsiString ProgramFolder(std::string_view argv0);

}  // namespace folverin
