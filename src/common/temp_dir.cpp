#include "common/temp_dir.h"

#include <cstdlib>

#include "common/file_system.h"
#include "common/windows1252.h"

namespace folverin {

AnsiString GetTempDir() {
  AnsiString folder = "/tmp";
  const char* fromEnvironment = std::getenv("TMPDIR");
  if (fromEnvironment != nullptr && *fromEnvironment != '\0') {
    const auto ansi = Utf8ToAnsiExact(fromEnvironment);
    if (ansi && DirectoryExists(*ansi)) folder = *ansi;
  }
  if (folder.back() != kPathDelim) folder += kPathDelim;
  return folder;
}

AnsiString GetTempDirWindows(std::string_view systemTempPath) {
  const size_t lastBackslash = systemTempPath.rfind('\\');
  if (lastBackslash == std::string_view::npos) return AnsiString();
  return AnsiString(systemTempPath.substr(0, lastBackslash + 1));
}

}  // namespace folverin
