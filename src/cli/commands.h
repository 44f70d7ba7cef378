// The commands of folverin-cli. Each takes the arguments after its name and
// returns the exit code: 0 success, 1 failure (one line on stderr), 2 bad
// arguments (usage on stderr) or, for search, a query error.
#pragma once

#include <string>
#include <vector>

namespace folverin::cli {

using Arguments = std::vector<std::string>;

int RunSettingsCommand(const Arguments& args);
int RunSearchCommand(const Arguments& args);
int RunTextCommand(const Arguments& args);
int RunIndexCommand(const Arguments& args);
int RunLookupCommand(const Arguments& args);
int RunLinksCommand(const Arguments& args);

}  // namespace folverin::cli
