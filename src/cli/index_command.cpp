// folverin-cli index DIR: builds the keyword index of a collection folder
// as the dialog "Index erstellen" does; progress on stderr when it is a
// terminal, the final action text on stderr at the end.
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "index/index_builder.h"

namespace folverin::cli {

namespace {

constexpr const char* kIndexUsage = "Aufruf: folverin-cli index DIR\n";

volatile sig_atomic_t interrupted = 0;

void Interrupt(int) { interrupted = 1; }

// One line that rewrites itself: documents done of those counted.
void ShowProgress(int position, int maximum) {
  constexpr int kBarWidth = 30;
  const int filled = maximum > 0 ? std::min(kBarWidth, position * kBarWidth / maximum) : 0;
  std::fprintf(stderr, "\r[%s%s] %d/%d", std::string(static_cast<size_t>(filled), '#').c_str(),
               std::string(static_cast<size_t>(kBarWidth - filled), ' ').c_str(), position, maximum);
  std::fflush(stderr);
}

}  // namespace

int RunIndexCommand(const Arguments& args) {
  if (args.size() != 1) {
    std::fputs(kIndexUsage, stderr);
    return 2;
  }
  const auto settings = SettingsOfCollection(args[0]);
  if (!settings) return 1;

  TIndexBuilder builder;
  builder.Hooks.OnSkippedName = [](const std::string& utf8Path) {
    WriteUtf8Line(stderr, "Name ohne Windows-1252-Form, \xC3\xBC" "bergangen: ", utf8Path);
  };
  const bool terminal = ::isatty(STDERR_FILENO) != 0;
  if (terminal) builder.Hooks.OnProgress = ShowProgress;
  // Ctrl+C is the dialog's "Abbrechen": the old index stays, and no
  // temporary file is left in the index folder.
  interrupted = 0;
  struct sigaction action = {};
  action.sa_handler = Interrupt;
  struct sigaction previous = {};
  ::sigaction(SIGINT, &action, &previous);
  builder.Hooks.Pump = [&builder] {
    if (interrupted) builder.Cancel();
  };
  const TIndexBuildOutcome outcome = builder.BuildIndex(settings->Settings);
  ::sigaction(SIGINT, &previous, nullptr);
  if (terminal && builder.Hooks.OnProgress) std::fputc('\n', stderr);

  for (const AnsiString& path : outcome.UnreadableFolders)
    WriteLine(stderr, "Ordner nicht lesbar, \xFC" "bergangen: " + path);
  for (const AnsiString& path : outcome.Skipped)
    WriteLine(stderr, "Nicht lesbar, \xFC" "bergangen: " + path);
  if (!outcome.Skipped.empty())
    WriteLine(stderr, std::to_string(outcome.Skipped.size()) + " Dokument(e) \xFC" "bergangen");
  if (outcome.Result == TIndexBuildResult::Failed) {
    WriteLine(stderr, outcome.ErrorMessage.value_or(outcome.FinalAction) + ".");
    return 1;
  }
  WriteLine(stderr, outcome.FinalAction);
  return outcome.Result == TIndexBuildResult::Done ? 0 : 1;
}

}  // namespace folverin::cli
