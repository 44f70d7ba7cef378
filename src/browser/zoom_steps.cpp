#include "browser/zoom_steps.h"

#include <algorithm>
#include <cstdlib>

namespace folverin {

namespace {

constexpr int kWheelNotch = 120;

}  // namespace

const std::vector<int>& ZoomSteps() {
  static const std::vector<int> steps = {30, 50, 67, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300};
  return steps;
}

int ZoomedIn(int percent) {
  const std::vector<int>& steps = ZoomSteps();
  const auto above = std::upper_bound(steps.begin(), steps.end(), percent);
  return above == steps.end() ? steps.back() : *above;
}

int ZoomedOut(int percent) {
  const std::vector<int>& steps = ZoomSteps();
  const auto atOrAbove = std::lower_bound(steps.begin(), steps.end(), percent);
  return atOrAbove == steps.begin() ? steps.front() : *(atOrAbove - 1);
}

int ZoomedByWheel(int percent, int angleDelta, int& pendingAngle) {
  // A turn against the direction of what is pending starts afresh.
  if ((angleDelta > 0 && pendingAngle < 0) || (angleDelta < 0 && pendingAngle > 0)) pendingAngle = 0;
  pendingAngle += angleDelta;
  while (pendingAngle >= kWheelNotch) {
    pendingAngle -= kWheelNotch;
    percent = ZoomedIn(percent);
  }
  while (pendingAngle <= -kWheelNotch) {
    pendingAngle += kWheelNotch;
    percent = ZoomedOut(percent);
  }
  return percent;
}

int StoredZoom(std::optional<int> percent) {
  if (!percent) return kOriginalZoom;
  const std::vector<int>& steps = ZoomSteps();
  // Far outside the list the value is no level that was ever stored.
  if (*percent < steps.front() / 2 || *percent > steps.back() * 2) return kOriginalZoom;
  return *std::min_element(steps.begin(), steps.end(), [&](int a, int b) {
    return std::abs(a - *percent) < std::abs(b - *percent);
  });
}

}  // namespace folverin
