// How much of a text fits into a width. Line breaking asks this for every
// line, so the answer must cost about as much as measuring the part that
// fits, however long the rest of the text is.
#include <algorithm>
#include <cstdint>

#include "htmlengine/support/font_metrics.h"

namespace folverin {

int FontMetrics::TextFit(const TRealisedFont& font, std::u16string_view text, int maxWidth,
                         int& fitWidth) const {
  fitWidth = 0;
  const int n = static_cast<int>(std::min<size_t>(text.size(), INT32_MAX));
  if (n == 0 || maxWidth < 0) return 0;
  auto widthOf = [&](int count) { return TextWidth(font, text.substr(0, count)); };

  // No character is wider than MaxCharWidth, so that many certainly fit;
  // from there the probe doubles until it overshoots, and only then halves.
  int probe = font.MaxCharWidth > 0 ? std::clamp(maxWidth / font.MaxCharWidth, 1, n) : 1;
  int fits = 0, fitsWidth = 0, tooMany = n + 1;
  for (;;) {
    const int width = widthOf(probe);
    if (width == maxWidth) {
      fitWidth = width;
      return probe;
    }
    if (width > maxWidth) {
      tooMany = probe;
      break;
    }
    fits = probe;
    fitsWidth = width;
    if (probe == n) break;
    probe = static_cast<int>(std::min<int64_t>(n, int64_t{probe} * 2));
  }
  while (tooMany - fits > 1 && tooMany <= n) {
    const int middle = fits + (tooMany - fits) / 2;
    const int width = widthOf(middle);
    if (width == maxWidth) {
      fitWidth = width;
      return middle;
    }
    if (width < maxWidth) {
      fits = middle;
      fitsWidth = width;
    } else {
      tooMany = middle;
    }
  }
  fitWidth = fitsWidth;
  return fits;
}

int FixedWidthFontMetrics::TextFit(const TRealisedFont& font, std::u16string_view text,
                                   int maxWidth, int& fitWidth) const {
  fitWidth = 0;
  if (maxWidth < 0 || text.empty()) return 0;
  const int64_t n = static_cast<int64_t>(std::min<size_t>(text.size(), INT32_MAX));
  const int64_t count = font.MaxCharWidth > 0 ? std::min<int64_t>(n, maxWidth / font.MaxCharWidth) : n;
  fitWidth = static_cast<int>(count * std::max(0, font.MaxCharWidth));
  return static_cast<int>(count);
}

}  // namespace folverin
