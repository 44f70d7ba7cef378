// TScopeGuard runs a step when the scope that holds it is left, by return
// or by exception: the one place for "reset this flag whatever happens".
//
//   running_ = true;
//   TScopeGuard notRunning([&] { running_ = false; });
#pragma once

#include <utility>

namespace folverin {

template <typename Step>
class [[nodiscard]] TScopeGuard {
 public:
  explicit TScopeGuard(Step step) : step_(std::move(step)) {}
  ~TScopeGuard() {
    if (armed_) step_();
  }
  TScopeGuard(const TScopeGuard&) = delete;
  TScopeGuard& operator=(const TScopeGuard&) = delete;

  // The step is not run after all (the scope reached its normal end and
  // did the work itself).
  void Dismiss() { armed_ = false; }

 private:
  Step step_;
  bool armed_ = true;
};

}  // namespace folverin
