// Runs a check in a child process that is killed after a few seconds, so a
// reader that hangs on a pipe or fills memory from an endless device fails
// the test instead of stopping the suite.
#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace folverin::testing {

enum class TBoundedResult { Passed, Failed, Killed };

// The child gets `seconds` of real time; `check` returns whether it passed.
inline TBoundedResult RunBounded(const std::function<bool()>& check, unsigned seconds = 5) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::alarm(seconds);
    ::_exit(check() ? 0 : 1);
  }
  int status = 0;
  if (pid < 0 || ::waitpid(pid, &status, 0) != pid) return TBoundedResult::Failed;
  if (WIFSIGNALED(status)) return TBoundedResult::Killed;
  return WEXITSTATUS(status) == 0 ? TBoundedResult::Passed : TBoundedResult::Failed;
}

}  // namespace folverin::testing
