// TFileSizeLimit: while it lives, a write past `bytes` fails with EFBIG as a
// full disk would make it fail, for root too (the signal it would raise is
// ignored meanwhile).
#pragma once

#include <signal.h>
#include <sys/resource.h>

namespace folverin::testing {

class TFileSizeLimit {
 public:
  explicit TFileSizeLimit(rlim_t bytes) {
    if (getrlimit(RLIMIT_FSIZE, &saved_) != 0) return;
    rlimit small = saved_;
    small.rlim_cur = bytes;
    oldHandler_ = signal(SIGXFSZ, SIG_IGN);
    active_ = setrlimit(RLIMIT_FSIZE, &small) == 0;
  }
  ~TFileSizeLimit() {
    if (!active_) return;
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, oldHandler_);
  }
  TFileSizeLimit(const TFileSizeLimit&) = delete;
  TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

  bool Active() const { return active_; }

 private:
  rlimit saved_{};
  sighandler_t oldHandler_ = SIG_DFL;
  bool active_ = false;
};

}  // namespace folverin::testing
