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

// The same as the user "nobody" when the tests run as root, who passes
// every permission check: for tests of what an ordinary user cannot read.
// The files the program needs must be readable by others.
CliRun RunCliUnprivileged(const std::vector<std::string>& args);

// With standard output going to stdoutFile (a device such as /dev/full);
// Out stays empty.
CliRun RunCliWritingTo(const std::string& stdoutFile, const std::vector<std::string>& args);

}  // namespace folverin::testing
