#include "index/index_files.h"

#include <charconv>
#include <new>

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
  char numbers[32];
  char* end = std::to_chars(numbers, numbers + sizeof numbers, fileNumber).ptr;
  *end++ = '\t';
  end = std::to_chars(end, numbers + sizeof numbers, count).ptr;
  lines += keyword;
  lines += '\t';
  lines.append(numbers, static_cast<size_t>(end - numbers));
  lines += "\r\n";
}

}  // namespace folverin
