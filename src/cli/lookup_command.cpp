// folverin-cli lookup DIR KEYWORD: the quick search's rows for one keyword,
// "count TAB path TAB title", in the grid's order after its sort.
#include <cstdio>
#include <string>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "common/windows1252.h"
#include "index/index_files.h"
#include "index/keyword_lookup.h"

namespace folverin::cli {

namespace {

constexpr const char* kLookupUsage = "Aufruf: folverin-cli lookup DIR SCHL\xC3\x9CSSELWORT\n";

// Each field escaped on its own, so that the TABs between them stay real.
void PrintRow(const TLookupRow& row) {
  std::string line = TerminalText(AnsiToUtf8(row.Count));
  line += '\t';
  line += TerminalText(AnsiToUtf8(row.Path));
  line += '\t';
  line += TerminalText(AnsiToUtf8(row.Title));
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stdout);
}

}  // namespace

int RunLookupCommand(const Arguments& args) {
  if (args.size() != 2) {
    std::fputs(kLookupUsage, stderr);
    return 2;
  }
  const auto settings = SettingsOfCollection(args[0]);
  if (!settings) return 1;
  const TAppSettings& s = settings->Settings;
  if (!s.IndexAvailable) {
    WriteLine(stderr, "Kein Index vorhanden: " + s.IndexFolder);
    return 1;
  }
  const auto documents = ReadDocumentList(s.IndexFolder);
  if (documents && documents->MemoryShort) WriteLine(stderr, kDocumentListMemoryMessage);
  auto result = documents ? LookupKeywordInIndex(s.IndexFolder, BytesToAnsi(args[1]), documents->Entries)
                          : std::nullopt;
  if (!result) {
    WriteLine(stderr, "Index nicht lesbar: " + s.IndexFolder);
    return 1;
  }
  if (result->Error) {
    WriteLine(stderr, *result->Error + ".");
    return 1;
  }
  SortRowsByCount(result->Rows);
  for (const TLookupRow& row : result->Rows) PrintRow(row);
  return FinishStandardOutput();
}

}  // namespace folverin::cli
