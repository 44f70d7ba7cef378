// The three files of the keyword index in the index folder:
//   File.iDB     relative path TAB title            (line k: file number k)
//   Link.iDB     keyword TAB file number TAB count  (by file number)
//   Keyword.iDB  keyword                            (locale order, each form once)
// Windows-1252, CR LF after every line. Paths in File.iDB use "\".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/ansi_string.h"

namespace folverin {

inline constexpr const char* kFileIndexName = "File.iDB";
inline constexpr const char* kLinkIndexName = "Link.iDB";
inline constexpr const char* kKeywordIndexName = "Keyword.iDB";

// The path of one of the files in the index folder (as the settings give
// it, without a trailing separator).
AnsiString IndexFilePath(std::string_view indexFolder, std::string_view fileName);

// One document of File.iDB: the line split at its first TAB, the path made
// native ("Teil2\a.htm" -> "Teil2/a.htm"). A line without a TAB is all path.
struct TDocumentEntry {
  AnsiString Path;
  AnsiString Title;
};
TDocumentEntry ParseDocumentLine(std::string_view line);

// The document list of the quick search, read from File.iDB: entry n - 1
// belongs to file number n. A line that finds no memory is left out and
// the reading goes on; the window then shows kDocumentListMemoryMessage.
struct TDocumentList {
  std::vector<TDocumentEntry> Entries;
  bool MemoryShort = false;
};
inline constexpr const char* kDocumentListMemoryMessage =
    "Zuwenig Speicher. Die Schl\xFCsselwortliste konnte nicht eingelesen werden!";
// Nothing when the file cannot be read.
std::optional<TDocumentList> ReadDocumentList(std::string_view indexFolder);

// A line of File.iDB, CR LF included.
AnsiString DocumentLine(std::string_view relativePath, std::string_view title);
// A line of Link.iDB, CR LF included, appended to `lines` (a document's
// lines go out together).
void AppendLinkLine(AnsiString& lines, std::string_view keyword, int fileNumber, int count);

}  // namespace folverin
