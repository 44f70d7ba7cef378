// The zoom levels of the browser windows, in percent of the page's own
// size: "Vergrößern" and "Verkleinern" go one step up or down the list,
// "Originalgröße" back to 100. A level read back from the user's settings is
// put on the list, so that a damaged value cannot leave a page unreadable.
#pragma once

#include <optional>
#include <vector>

namespace folverin {

inline constexpr int kOriginalZoom = 100;

// Ascending, 100 among them.
const std::vector<int>& ZoomSteps();

// The next step above (below) the level; the largest (smallest) stays.
// A level between two steps goes to the neighbouring step.
int ZoomedIn(int percent);
int ZoomedOut(int percent);

// A turn of the mouse wheel with Ctrl held: one step per notch in the
// wheel's direction (120 units of angle a notch; finer wheels add up until
// they reach a notch). `pendingAngle` keeps what has not yet made a step.
int ZoomedByWheel(int percent, int angleDelta, int& pendingAngle);

// The level as stored: the nearest step, or 100 without a usable value.
int StoredZoom(std::optional<int> percent);

}  // namespace folverin
