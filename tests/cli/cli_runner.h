// Runs folverin-cli and captures what it prints.
#pragma once

#include <string>
#include <vector>

namespace folverin::testing {

struct CliRun {
  int ExitCode = -1;
  std::string Out;
  std::string Err;
};

CliRun RunCli(const std::vector<std::string>& args);

}  // namespace folverin::testing
