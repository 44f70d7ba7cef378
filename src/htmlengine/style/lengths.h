// Measures written in CSS units: lengths in pixels and font sizes in points.
#pragma once

#include <string_view>

namespace folverin {

inline constexpr int kDefaultPixelsPerInch = 96;
inline constexpr double kDefaultFontSizePoints = 12.0;

// The leading real number of a text and the rest after it. The number takes
// no exponent, so "1.5em" is 1.5 with unit "em"; a text without a leading
// number gives 0 and the whole text as unit.
struct TNumberAndUnit {
  double Value = 0;
  bool HasNumber = false;
  std::string_view Unit;
};
TNumberAndUnit SplitNumberAndUnit(std::string_view text);

// Pixels of a length (rounded, ties to even). A bare number is pixels, or a
// multiple of percentBase when relative is set; an unknown unit gives
// defaultValue. em and ex are measured in the given sizes.
int LengthToPixels(std::string_view text, bool relative, double percentBase, int defaultValue,
                   int exSize, int emSize, int pixelsPerInch = kDefaultPixelsPerInch);

// Points of a font size. parentSize is the enclosing element's size in
// points, defaultSize the document's default size (D). Unknown values give D.
double FontSizeToPoints(std::string_view text, double parentSize,
                        double defaultSize = kDefaultFontSizePoints,
                        int pixelsPerInch = kDefaultPixelsPerInch);

// A real number rounded to an int the way the engine rounds (ties to even),
// kept far inside the int range so that absurd measures cannot overflow.
int RoundToInt(double value);

}  // namespace folverin
