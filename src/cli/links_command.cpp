// folverin-cli links FILE|DIR... [--offline]: the editor's link check over
// documents, one line per finding: path TAB line TAB kind TAB target. A
// folder stands for every .htm and .html document below it, in walk order.
#include <cstdio>
#include <string>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "common/file_search.h"
#include "common/file_system.h"
#include "common/path_parts.h"
#include "common/windows1252.h"
#include "editor/link_check.h"
#include "search/document_text.h"

namespace folverin::cli {

namespace {

constexpr const char* kLinksUsage =
    "Aufruf: folverin-cli links DATEI|ORDNER... [--offline]\n"
    "  --offline  externe Adressen (WWW., FTP:, HTTP:, MAILTO:) nicht melden\n";

class TLinksRun {
 public:
  explicit TLinksRun(bool offlineOnly) : offlineOnly_(offlineOnly) {}

  void CheckArgument(const std::string& utf8Name) {
    const auto name = Utf8ToAnsiExact(utf8Name);
    if (!name || name->empty()) {
      WriteUtf8Line(stderr, "Nicht gefunden: ", utf8Name);
      failed_ = true;
      return;
    }
    if (DirectoryExists(*name))
      CheckFolder(*name);
    else
      CheckDocument(*name);
  }

  // 0 nothing found, 1 findings or a document that could not be checked.
  int ExitCode() const { return failed_ || found_ ? 1 : 0; }

 private:
  void CheckFolder(const AnsiString& folder) {
    TFileSearch search;
    search.SetSearchFile(WithTrailingSeparator(folder) + "*.*");
    search.OnFileFind = [this](const AnsiString& fullpath, TSearchRec info) {
      if ((info.Attr & faDirectory) == 0 && HasDocumentText(info.Name)) CheckDocument(fullpath + info.Name);
    };
    search.OnSkippedName = [this](const std::string& utf8Path) {
      WriteUtf8Line(stderr, "Name ohne Windows-1252-Form, \xC3\xBC" "bergangen: ", utf8Path);
      failed_ = true;
    };
    search.OnUnreadableFolder = [this](const AnsiString& path) {
      WriteLine(stderr, "Ordner nicht lesbar, \xFC" "bergangen: " + path);
      failed_ = true;
    };
    search.Execute();
  }

  void CheckDocument(const AnsiString& path) {
    if (!ReadWholeFileInto(path, bytes_)) {
      WriteLine(stderr, "Nicht lesbar: " + path);
      failed_ = true;
      return;
    }
    const std::string shownPath = TerminalText(AnsiToUtf8(path));
    for (const TLinkFinding& finding : CheckLinks(bytes_, FolderOfPath(path), offlineOnly_)) {
      found_ = true;
      // Each field escaped on its own, so that the TABs between them stay real.
      std::string line = shownPath;
      line += '\t';
      line += std::to_string(finding.Line);
      line += '\t';
      line += LinkKindName(finding.Kind);
      line += '\t';
      line += TerminalText(AnsiToUtf8(finding.Target));
      line += '\n';
      std::fwrite(line.data(), 1, line.size(), stdout);
    }
  }

  bool offlineOnly_;
  bool found_ = false;
  bool failed_ = false;
  std::string bytes_;  // kept from document to document
};

}  // namespace

int RunLinksCommand(const Arguments& args) {
  bool offlineOnly = false;
  std::vector<std::string> names;
  bool badOption = false;
  for (const std::string& arg : args) {
    if (arg == "--offline")
      offlineOnly = true;
    else if (arg.starts_with("--"))
      badOption = true;
    else
      names.push_back(arg);
  }
  if (names.empty() || badOption) {
    std::fputs(kLinksUsage, stderr);
    return 2;
  }
  TLinksRun run(offlineOnly);
  for (const std::string& name : names) run.CheckArgument(name);
  if (const int failed = FinishStandardOutput()) return failed;
  return run.ExitCode();
}

}  // namespace folverin::cli
