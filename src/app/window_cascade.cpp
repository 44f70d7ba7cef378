#include "app/window_cascade.h"

#include <algorithm>

namespace folverin {

std::vector<TWindowRect> CascadeWindows(int areaWidth, int areaHeight, int count, int step) {
  std::vector<TWindowRect> places;
  if (count <= 0) return places;
  areaWidth = std::max(areaWidth, 0);
  areaHeight = std::max(areaHeight, 0);
  // The windows keep at least two thirds of the area: the offsets of one
  // run stay within the other third.
  const int room = std::min(areaWidth, areaHeight) / 3;
  const int perRun = step > 0 ? std::min(count, room / step + 1) : 1;
  const int offset = step > 0 ? step : 0;
  const int width = areaWidth - (perRun - 1) * offset;
  const int height = areaHeight - (perRun - 1) * offset;
  places.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    const int shift = (i % perRun) * offset;
    places.push_back({shift, shift, width, height});
  }
  return places;
}

}  // namespace folverin
