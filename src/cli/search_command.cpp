// folverin-cli search DIR QUERY [--page FILE]: the viewer's full-text search
// over a collection folder; prints every hit's path in walk order.
#include <cstdio>
#include <filesystem>
#include <optional>

#include "cli/collection_settings.h"
#include "cli/commands.h"
#include "common/windows1252.h"
#include "search/document_search.h"
#include "search/result_page.h"
#include "search/search_parser.h"

namespace folverin::cli {

namespace {

constexpr const char* kSearchUsage = "Aufruf: folverin-cli search DIR QUERY [--page FILE]\n";

struct TSearchArguments {
  std::string Dir;
  std::string Query;
  std::optional<std::string> PageFile;
};

std::optional<TSearchArguments> ParseSearchArguments(const Arguments& args) {
  TSearchArguments parsed;
  std::vector<std::string> positional;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--page") {
      if (i + 1 >= args.size() || parsed.PageFile) return std::nullopt;
      parsed.PageFile = args[++i];
    } else {
      positional.push_back(args[i]);
    }
  }
  if (positional.size() != 2) return std::nullopt;
  parsed.Dir = positional[0];
  parsed.Query = positional[1];
  return parsed;
}

int WritePage(const TResultPage& page, const std::string& utf8File) {
  const auto file = Utf8ToAnsiExact(utf8File);
  if (!file) {
    std::fprintf(stderr, "Dateiname ohne Windows-1252-Form: %s\n", utf8File.c_str());
    return 1;
  }
  AnsiString lastResultFile;
  if (auto error = SaveResultPage(page, *file, lastResultFile)) {
    std::fprintf(stderr, "%s: %s\n", utf8File.c_str(), error->c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int RunSearchCommand(const Arguments& args) {
  const auto parsed = ParseSearchArguments(args);
  if (!parsed) {
    std::fputs(kSearchUsage, stderr);
    return 2;
  }
  // Hits are printed and linked as absolute paths, as the viewer's folder is.
  std::error_code error;
  const std::string dir = std::filesystem::absolute(parsed->Dir, error).lexically_normal().string();
  if (error || !std::filesystem::is_directory(dir)) {
    std::fprintf(stderr, "Kein Ordner: %s\n", parsed->Dir.c_str());
    return 1;
  }
  const auto folder = CollectionFolder(dir);
  if (!folder) {
    std::fprintf(stderr, "Ordnername ohne Windows-1252-Form: %s\n", parsed->Dir.c_str());
    return 1;
  }
  const TSettingsResult settings = ReadCollectionSettings(*folder);
  // The viewer shows a settings error and goes on with what was read; so
  // does the search here.
  if (settings.Outcome.ErrorMessage) PrintLine(stderr, *settings.Outcome.ErrorMessage + ".");

  TSearchCounters counters;
  TDocumentSearch search(counters);
  search.Hooks.OnSkippedName = [](const std::string& utf8Path) {
    std::fprintf(stderr, "Name ohne Windows-1252-Form, übergangen: %s\n", utf8Path.c_str());
  };
  TParser parser;
  const TSearchOutcome outcome = search.Run(settings.Settings, parser, Utf8ToAnsi(parsed->Query));
  if (outcome.QueryError) {
    PrintLine(stderr, *outcome.QueryError);
    return 2;
  }
  for (const AnsiString& path : outcome.Unreadable) {
    PrintLine(stderr, "Nicht lesbar, \xFC" "bergangen: " + path);
  }
  for (const AnsiString& hit : outcome.Hits) PrintLine(stdout, hit);
  if (parsed->PageFile) return WritePage(outcome.ResultPage, *parsed->PageFile);
  return 0;
}

}  // namespace folverin::cli
