// Bounds that keep layout arithmetic inside int: sizes taken from documents
// are limited when they are read, and positions stop growing at a height
// no document reaches honestly.
#pragma once

#include <algorithm>
#include <cstdint>

namespace folverin {

// Width, height and spacing of an embedded object or a rule, in pixels.
inline constexpr int kMaxObjectPixels = 100'000;
// A length from a style (margins, paddings, borders, widths, indents, line
// heights), in pixels either way: a box adds up several of them.
inline constexpr int kMaxStylePixels = 1'000'000;
// List item numbers, either way: counting on through a list stays in int.
inline constexpr int kMaxListNumber = 1'000'000'000;
// y positions and heights; far below INT_MAX, so that a few sums on top of
// one cannot overflow either.
inline constexpr int kMaxLayoutY = 1'000'000'000;

inline int ObjectPixels(int32_t value) { return std::clamp<int32_t>(value, 0, kMaxObjectPixels); }
inline int StylePixels(int32_t value) { return std::clamp<int32_t>(value, -kMaxStylePixels, kMaxStylePixels); }
inline int ListNumber(int32_t value) { return std::clamp<int32_t>(value, -kMaxListNumber, kMaxListNumber); }

// a + b for positions and heights, held at kMaxLayoutY; a position that is
// already beyond it never moves back.
inline int AddLayoutY(int a, int b) {
  const int64_t sum = int64_t{a} + b;
  if (b >= 0) return static_cast<int>(std::max<int64_t>(a, std::min<int64_t>(sum, kMaxLayoutY)));
  return static_cast<int>(std::min<int64_t>(a, std::max<int64_t>(sum, -kMaxLayoutY)));
}

}  // namespace folverin
