// folverin-cli: the viewer's core without windows.
#include <cstdio>
#include <cstring>
#include <exception>

#include "cli/commands.h"
#include "common/heap_reuse.h"

namespace {

constexpr const char* kUsage =
    "Aufruf:\n"
    "  folverin-cli settings DIR\n"
    "  folverin-cli search DIR QUERY [--page FILE|-] [--null]\n"
    "  folverin-cli text FILE...\n"
    "  folverin-cli index DIR\n"
    "  folverin-cli lookup DIR KEYWORD\n"
    "  folverin-cli links FILE|DIR... [--offline]\n";

}  // namespace

int main(int argc, char** argv) {
  using namespace folverin::cli;
  if (argc < 2) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  folverin::KeepLargeBlocksInHeap();
  const Arguments args(argv + 2, argv + argc);
  try {
    if (std::strcmp(argv[1], "settings") == 0) return RunSettingsCommand(args);
    if (std::strcmp(argv[1], "search") == 0) return RunSearchCommand(args);
    if (std::strcmp(argv[1], "text") == 0) return RunTextCommand(args);
    if (std::strcmp(argv[1], "index") == 0) return RunIndexCommand(args);
    if (std::strcmp(argv[1], "lookup") == 0) return RunLookupCommand(args);
    if (std::strcmp(argv[1], "links") == 0) return RunLinksCommand(args);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "folverin-cli: %s\n", error.what());
    return 1;
  }
  std::fputs(kUsage, stderr);
  return 2;
}
