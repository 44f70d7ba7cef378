// TGetVersionInfoFromFile: the version strings of a program file. A Linux
// program file carries no version resource, so the strings are compiled into
// the program (TCompiledVersionSource); the reading rules stay those of the
// resource and are kept apart from where the values come from.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "common/ansi_string.h"

namespace folverin {

// Where the version strings of a file come from.
class TVersionSource {
 public:
  virtual ~TVersionSource() = default;
  // Whether the file has version information with a translation table.
  virtual bool HasVersionInfo(std::string_view fileName) const = 0;
  // The string of a name; nothing when the query fails (no such name).
  virtual std::optional<AnsiString> QueryValue(std::string_view fileName,
                                               std::string_view name) const = 0;
};

// The strings that CMake compiles in from the project's version; every
// existing file answers with them (the program asks only about itself).
class TCompiledVersionSource : public TVersionSource {
 public:
  bool HasVersionInfo(std::string_view fileName) const override;
  std::optional<AnsiString> QueryValue(std::string_view fileName, std::string_view name) const override;
};

class TGetVersionInfoFromFile {
 public:
  // The names in the order they are queried; reading stops at the first
  // that is missing.
  static const std::vector<AnsiString>& QueriedNames();

  explicit TGetVersionInfoFromFile(const TVersionSource& source) : source_(source) {}

  // Reads the file's version strings; a file that does not exist leaves the
  // name empty and both lists empty.
  void SetFileName(std::string_view fileName);
  const AnsiString& fileName() const { return fileName_; }

  // The value of a name (ASCII case ignored), or the empty text.
  AnsiString GetVersionValue(std::string_view name) const;

  std::vector<AnsiString> VersionStrings;
  std::vector<AnsiString> VersionCategories;

 private:
  const TVersionSource& source_;
  AnsiString fileName_;
};

}  // namespace folverin
