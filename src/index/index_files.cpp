#include "index/index_files.h"

#include <new>
#include <string>

#include "common/file_system.h"
#include "common/line_ends.h"

namespace folverin {

AnsiString IndexFilePath(std::string_view indexFolder, std::string_view fileName) {
  AnsiString path(indexFolder);
  path += kPathDelim;
  path += fileName;
  return path;
}

TDocumentEntry ParseDocumentLine(std::string_view line) {
  const size_t tab = line.find('\t');
  TDocumentEntry entry;
  entry.Path = ToNativeSeparators(line.substr(0, tab));
  if (tab != std::string_view::npos) entry.Title = AnsiString(line.substr(tab + 1));
  return entry;
}

std::optional<TDocumentList> ReadDocumentList(std::string_view indexFolder) {
  const auto bytes = ReadWholeFile(IndexFilePath(indexFolder, kFileIndexName));
  if (!bytes) return std::nullopt;
  TDocumentList documents;
  for (const std::string_view line : SplitLines(*bytes)) {
    try {
      documents.Entries.push_back(ParseDocumentLine(line));
    } catch (const std::bad_alloc&) {
      documents.MemoryShort = true;
    }
  }
  return documents;
}

AnsiString DocumentLine(std::string_view relativePath, std::string_view title) {
  AnsiString line;
  line.reserve(relativePath.size() + title.size() + 3);
  for (const char c : relativePath) line += c == kPathDelim ? '\\' : c;
  line += '\t';
  line += title;
  line += "\r\n";
  return line;
}

void AppendLinkLine(AnsiString& lines, std::string_view keyword, int fileNumber, int count) {
  lines += keyword;
  lines += '\t';
  lines += std::to_string(fileNumber);
  lines += '\t';
  lines += std::to_string(count);
  lines += "\r\n";
}

}  // namespace folverin
