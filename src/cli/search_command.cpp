// folverin-cli search DIR QUERY [--page FILE] [--null]: the viewer's
// full-text search over a collection folder; prints every hit's path in
// walk order.
#include <cstdio>
#include <optional>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "common/windows1252.h"
#include "search/document_search.h"
#include "search/result_page.h"
#include "search/search_parser.h"

namespace folverin::cli {

namespace {

constexpr const char* kSearchUsage =
    "Aufruf: folverin-cli search DIR QUERY [--page FILE] [--null]\n"
    "  --page FILE  schreibt auch die Ergebnisseite; mit - nur sie, auf die Standardausgabe\n"
    "  --null       jeder Treffer unver\xC3\xA4ndert, gefolgt von einem Nullbyte statt Zeilenende\n";

// "-" as the page file: the page alone goes to stdout.
constexpr const char* kStandardOutput = "-";

struct TSearchArguments {
  std::string Dir;
  std::string Query;
  std::optional<std::string> PageFile;
  bool NullTerminated = false;
};

std::optional<TSearchArguments> ParseSearchArguments(const Arguments& args) {
  TSearchArguments parsed;
  std::vector<std::string> positional;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--page") {
      if (i + 1 >= args.size() || parsed.PageFile) return std::nullopt;
      parsed.PageFile = args[++i];
    } else if (args[i] == "--null") {
      parsed.NullTerminated = true;
    } else {
      positional.push_back(args[i]);
    }
  }
  if (positional.size() != 2) return std::nullopt;
  // With the page on stdout no hits are printed, so --null would mean nothing.
  if (parsed.NullTerminated && parsed.PageFile == kStandardOutput) return std::nullopt;
  parsed.Dir = positional[0];
  parsed.Query = positional[1];
  return parsed;
}

int WritePage(const TResultPage& page, const std::string& utf8File) {
  if (utf8File == kStandardOutput) {
    const std::string bytes = ResultPageBytes(page);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    return FinishStandardOutput();
  }
  const auto file = Utf8ToAnsiExact(utf8File);
  if (!file) {
    WriteUtf8Line(stderr, "Dateiname ohne Windows-1252-Form: ", utf8File);
    return 1;
  }
  AnsiString lastResultFile;
  if (auto error = SaveResultPage(page, *file, lastResultFile)) {
    // The error text is Windows-1252, like the name.
    WriteLine(stderr, *file + ": " + *error);
    return 1;
  }
  return 0;
}

void PrintHits(const std::vector<AnsiString>& hits, bool nullTerminated) {
  for (const AnsiString& hit : hits) {
    if (!nullTerminated) {
      WriteLine(stdout, hit);
      continue;
    }
    // For scripts: the name exactly as on disk, whatever it holds.
    const std::string raw = AnsiToUtf8(hit);
    std::fwrite(raw.c_str(), 1, raw.size() + 1, stdout);
  }
}

}  // namespace

int RunSearchCommand(const Arguments& args) {
  const auto parsed = ParseSearchArguments(args);
  if (!parsed) {
    std::fputs(kSearchUsage, stderr);
    return 2;
  }
  const auto settings = SettingsOfCollection(parsed->Dir);
  if (!settings) return 1;
  TSearchCounters counters;
  TDocumentSearch search(counters);
  search.Hooks.OnSkippedName = [](const std::string& utf8Path) {
    WriteUtf8Line(stderr, "Name ohne Windows-1252-Form, \xC3\xBC" "bergangen: ", utf8Path);
  };
  TParser parser;
  const TSearchOutcome outcome = search.Run(settings->Settings, parser, BytesToAnsi(parsed->Query));
  if (outcome.QueryError) {
    WriteLine(stderr, *outcome.QueryError);
    return 2;
  }
  for (const AnsiString& folderPath : outcome.UnreadableFolders) {
    WriteLine(stderr, "Ordner nicht lesbar, \xFC" "bergangen: " + folderPath);
  }
  for (const AnsiString& path : outcome.Unreadable) {
    WriteLine(stderr, "Nicht lesbar, \xFC" "bergangen: " + path);
  }
  if (parsed->PageFile == kStandardOutput) return WritePage(outcome.ResultPage, kStandardOutput);
  PrintHits(outcome.Hits, parsed->NullTerminated);
  if (const int failed = FinishStandardOutput()) return failed;
  if (parsed->PageFile) return WritePage(outcome.ResultPage, *parsed->PageFile);
  return 0;
}

}  // namespace folverin::cli
