// TThrottle lets a step through at most once per interval: what a window
// does between the documents of a long walk (letting events in, showing the
// document being read) must not cost more than the walk itself.
#pragma once

#include <chrono>
#include <functional>

namespace folverin {

class TThrottle {
 public:
  using TClock = std::function<std::chrono::steady_clock::time_point()>;

  explicit TThrottle(std::chrono::milliseconds interval, TClock clock = std::chrono::steady_clock::now)
      : interval_(interval), clock_(std::move(clock)) {}

  // True at the first call, then once the interval has passed since the
  // last call that was let through.
  bool Due() {
    const auto now = clock_();
    if (passed_ && now - last_ < interval_) return false;
    passed_ = true;
    last_ = now;
    return true;
  }

 private:
  std::chrono::milliseconds interval_;
  TClock clock_;
  std::chrono::steady_clock::time_point last_{};
  bool passed_ = false;
};

}  // namespace folverin
