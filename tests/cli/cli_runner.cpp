#include "cli_runner.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace folverin::testing {

namespace {
std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

constexpr uid_t kNobody = 65534;

// stdoutFile, when given, takes the program's standard output instead of
// the captured file.
CliRun Run(const std::vector<std::string>& args, bool unprivileged, const char* stdoutFile) {
  char outName[] = "/tmp/folverin-cli-out-XXXXXX";
  char errName[] = "/tmp/folverin-cli-err-XXXXXX";
  const int out = mkstemp(outName);
  const int err = mkstemp(errName);
  CliRun run;
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(stdoutFile ? open(stdoutFile, O_WRONLY) : out, 1);
    dup2(err, 2);
    if (unprivileged && geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(126);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(FOLVERIN_CLI));
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(FOLVERIN_CLI, argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  close(out);
  close(err);
  run.Out = ReadAll(outName);
  run.Err = ReadAll(errName);
  unlink(outName);
  unlink(errName);
  return run;
}

}  // namespace

CliRun RunCli(const std::vector<std::string>& args) { return Run(args, false, nullptr); }

CliRun RunCliUnprivileged(const std::vector<std::string>& args) { return Run(args, true, nullptr); }

CliRun RunCliWritingTo(const std::string& stdoutFile, const std::vector<std::string>& args) {
  return Run(args, false, stdoutFile.c_str());
}

}  // namespace folverin::testing
