// The pump of a long walk that runs in the window's own thread (search,
// index build, URL collection): it lets events in at most twenty times a
// second, often enough that a cancel answers at once and seldom enough that
// it never costs more than the walk.
#pragma once

#include <QCoreApplication>
#include <chrono>
#include <functional>
#include <memory>

#include "common/throttle.h"

namespace folverin {

inline constexpr std::chrono::milliseconds kPumpInterval{50};

// `beforeEvents`, when given, runs each time just before the events are let
// in (the search shows its progress dialog there).
inline std::function<void()> ThrottledEventPump(std::function<void()> beforeEvents = {}) {
  auto due = std::make_shared<TThrottle>(kPumpInterval);
  return [due, beforeEvents = std::move(beforeEvents)] {
    if (!due->Due()) return;
    if (beforeEvents) beforeEvents();
    QCoreApplication::processEvents();
  };
}

}  // namespace folverin
