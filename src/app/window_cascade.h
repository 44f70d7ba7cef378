// "Überlappend": the child windows one behind the other, each offset by one
// step down and to the right of the one before, all of the same size and
// all inside the document area. When more windows come than steps fit in a
// third of the area, the offsets start again at the top left.
#pragma once

#include <vector>

namespace folverin {

struct TWindowRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool operator==(const TWindowRect&) const = default;
};

// The places of `count` windows, in the windows' order, in an area of
// areaWidth x areaHeight; `step` is the offset from one window to the next
// (the height of a caption bar). An empty area or step gives every window
// the whole area.
std::vector<TWindowRect> CascadeWindows(int areaWidth, int areaHeight, int count, int step);

}  // namespace folverin
