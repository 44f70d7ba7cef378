// Widths of a section's text: of a line, and the narrowest and widest the
// section can be laid out in (what tables and floated blocks ask for).
#include <algorithm>
#include <climits>
#include <cstdint>

#include "htmlengine/document/section.h"
#include "htmlengine/document/section_list.h"

namespace folverin {

namespace {

int NonNegative(int64_t value) { return static_cast<int>(std::clamp<int64_t>(value, 0, INT_MAX)); }

// Where a word may end: what a line may break after.
bool EndsPiece(char16_t ch) {
  return ch == u' ' || ch == u'-' || ch == u'?' || IsMarker(ch) || IsWideScript(ch);
}

}  // namespace

int TSection::TextWidth(int start, int count, bool stripEnd) const {
  const int size = static_cast<int>(Text.size());
  start = std::clamp(start, 0, size);
  int end = static_cast<int>(std::clamp<int64_t>(int64_t{start} + std::max(count, 0), start, size));
  if (stripEnd)
    while (end > start && (Text[end - 1] == u' ' || Text[end - 1] == kBreakMarker)) --end;
  const FontMetrics& metrics = Document->Metrics();
  int64_t width = 0;
  size_t run = 0;
  for (int i = start; i < end;) {
    const char16_t ch = Text[i];
    if (IsMarker(ch)) {
      if (const TFloatingObj* image = ch == kImageMarker ? FloatAt(i) : nullptr) {
        if (!image->IsFloating()) width += FullWidth(*image);
      } else if (const TFormControlObj* control = ch == kControlMarker ? ControlAt(i) : nullptr) {
        width += FullWidth(*control);
      }
      ++i;
      continue;
    }
    run = FontRunFrom(run, i);
    const int runEnd = std::min(end, FontRunEnd(run));
    int stop = MayHoldMarkers ? i : runEnd;
    while (stop < runEnd && !IsMarker(Text[stop])) ++stop;
    const TFontObj& font = FontRuns[run];
    width += metrics.TextWidth(*font.Font, std::u16string_view(Text).substr(i, stop - i)) + font.Overhang;
    i = stop;
  }
  return NonNegative(width);
}

// The widest run of text between line breaks, the first one with its
// indent.
int64_t TSection::WidestStretch() const {
  const int n = static_cast<int>(Text.size());
  int64_t widest = 0;
  for (int start = 0; start <= n;) {
    int stop = start;
    while (stop < n && Text[stop] != kBreakMarker) ++stop;
    int64_t width = TextWidth(start, stop - start, true);
    if (start == 0) {
      if (IndentPercent > 0) width = width * 100 / (100 - std::min(IndentPercent, 90));
      else width += IndentPixels;
    }
    widest = std::max(widest, width);
    start = stop + 1;
  }
  return widest;
}

// The widest piece that no line may break inside.
int64_t TSection::WidestPiece() const {
  const int n = static_cast<int>(Text.size());
  auto flag = [this](int index) { return BreakFlagAt(index); };
  int64_t widest = 0;
  int i = 0;
  while (i < n) {
    while (i < n && (Text[i] == u' ' || IsMarker(Text[i]))) ++i;
    if (i >= n) break;
    int end = i + 1;
    if (!IsWideScript(Text[i]) || flag(i) != 'y') {
      end = i;
      while (end < n && !(EndsPiece(Text[end]) && flag(end) == 'y')) ++end;
      if (end < n && (Text[end] == u'-' || Text[end] == u'?')) ++end;
      end = std::max(end, i + 1);
    }
    widest = std::max<int64_t>(widest, TextWidth(i, end - i, true));
    i = end;
  }
  return widest;
}

void TSection::MeasureWidths(int& minWidth, int& maxWidth) {
  if (WidthsCached) {
    minWidth = MinWidthCache;
    maxWidth = MaxWidthCache;
    return;
  }
  minWidth = maxWidth = 0;
  if (Text.empty()) return;
  int64_t minimum = 0, floatTotal = 0;
  for (const auto& image : Floats) {
    if (!image->IsFloating()) {
      minimum = std::max<int64_t>(minimum, image->ImageWidth);
      continue;
    }
    floatTotal += FullWidth(*image);
    // Text may always wrap after a float, even in text that keeps together.
    if (image->Pos >= 0 && image->Pos < static_cast<int>(BreakFlags.size())) BreakFlags[image->Pos] = 'y';
  }
  for (const auto& control : Controls)
    if (control->Kind != TFormControlKind::Hidden)
      minimum = std::max<int64_t>(minimum, FullWidth(*control));
  minimum = std::max(minimum, WidestPiece());
  const int64_t maximum = WidestStretch() + floatTotal;
  minWidth = NonNegative(minimum);
  // Never narrower than its narrowest: what encloses it divides the rest.
  maxWidth = NonNegative(std::max(maximum, minimum));
  // Floats may be sized anew for another width; plain text stays as it is.
  if (Floats.empty()) {
    MinWidthCache = minWidth;
    MaxWidthCache = maxWidth;
    WidthsCached = true;
  }
}

void TPreFormated::MeasureWidths(int& minWidth, int& maxWidth) {
  if (!PreWidthKnown) {
    PreWidth = TextWidth(0, static_cast<int>(Text.size()), false);
    PreWidthKnown = true;
  }
  maxWidth = PreWidth;
  minWidth = std::min(2000, PreWidth);
}

}  // namespace folverin
