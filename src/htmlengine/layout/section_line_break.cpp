// Line breaking: how much of a section fits on a line, and where the line
// may end.
#include <algorithm>
#include <cstdint>

#include "htmlengine/document/section.h"
#include "htmlengine/document/section_list.h"
#include "htmlengine/layout/section_layout_state.h"

namespace folverin {

namespace {

int SpacesFrom(std::u16string_view text, int index) {
  const int n = static_cast<int>(text.size());
  while (index < n && text[index] == u' ') ++index;
  return index;
}

}  // namespace

int TSection::FitCount(TSectionLayoutState& state, int lineStart, int n) {
  // A line break ends the line: nothing after it is looked at.
  int limit = n;
  bool breakLimited = false;
  const int lineBreak = TSectionLayoutState::NextIn(state.Breaks, lineStart, lineStart + n);
  if (lineBreak < lineStart + n) {
    if (lineBreak == lineStart) return 1;
    limit = lineBreak - lineStart;
    breakLimited = true;
  }
  int64_t available = int64_t{state.RightEdge()} - state.LeftEdge();
  if (lineStart == 0) available -= IndentPixels;

  // Most sections are short enough for their first line, and the last line
  // of a longer one mostly holds what is left, whatever the widths of their
  // characters: at the widest character and with every run's overhang, the
  // walk could stop nowhere before the limit.
  if (Floats.empty() && state.Markers.size() == state.Breaks.size() &&
      state.WidestChar * limit + state.OverhangTotal <= available)
    return limit + (breakLimited ? 1 : 0);

  const int fitted = WalkLine(state, lineStart, limit, available);
  return fitted + (breakLimited && fitted == limit ? 1 : 0);
}

int TSection::WalkLine(TSectionLayoutState& state, int lineStart, int limit, int64_t available) {
  const FontMetrics& metrics = Document->Metrics();
  const int end = lineStart + limit;
  int64_t used = 0;
  bool started = false;
  int i = lineStart;
  while (i < end) {
    const char16_t ch = Text[i];
    TFloatingObj* image = ch == kImageMarker ? FloatAt(i) : nullptr;
    if (image && image->IsFloating()) {
      // Beside the text: placed now at the start of the line, or below the
      // line when text came first.
      if (!started && image->Pos >= state.PlacedFloatsEnd) {
        const int width = FullWidth(*image);
        if (used + width > available) {
          if (i > lineStart) break;  // starts the next line, beside these
          if (state.Indents.NextWiderY(state.Y) > state.Y) return 0;
          PlaceFloat(state, *image, state.Y);  // too wide anywhere
          return 1;
        }
        PlaceFloat(state, *image, state.Y);
        used += width;
      }
      ++i;
      continue;
    }
    TFormControlObj* control = ch == kControlMarker ? ControlAt(i) : nullptr;
    if (image || control) {
      used += image ? FullWidth(*image) : FullWidth(*control);
      if (used > available) break;
      started = true;
      ++i;
      continue;
    }
    if (IsMarker(ch)) {  // a marker without its object takes no room
      ++i;
      continue;
    }
    state.Run = FontRunFrom(state.Run, i);
    const int runEnd = std::min({end, FontRunEnd(state.Run), TSectionLayoutState::NextIn(state.Markers, i, end)});
    const TFontObj& font = FontRuns[state.Run];
    const int64_t room = available - used - font.Overhang;
    int width = 0;
    const int fits = room < 0 ? 0
                              : metrics.TextFit(*font.Font, std::u16string_view(Text).substr(i, runEnd - i),
                                                static_cast<int>(std::min<int64_t>(room, INT32_MAX)), width);
    if (fits > 0) {
      used += width + font.Overhang;
      started = true;
    }
    i += fits;
    if (i < runEnd) break;
  }
  return i - lineStart;
}

// Where a line of `fitted` fitting characters (at least 1) out of n ends.
TSection::TBreak TSection::ChooseBreak(int lineStart, int fitted, int n) const {
  auto flag = [this](int index) { return BreakFlagAt(index); };
  auto through = [&](int last) { return TBreak{SpacesFrom(Text, last + 1) - lineStart, false}; };
  const int p = lineStart + fitted - 1;
  const char16_t last = Text[p];
  if ((last == u' ' || IsObjectMarker(last)) && flag(p) == 'y') return through(p);
  if (last == kBreakMarker || IsWideScript(last)) return through(p);

  const char16_t next = Text[p + 1];
  if (next == u' ' && flag(p) != 'n') return through(p);
  if (IsObjectMarker(next) && flag(p) != 'n') return TBreak{fitted, false};
  for (int i = p; i > lineStart; --i) {
    const char16_t ch = Text[i];
    if ((ch == u' ' || ch == u'-' || ch == u'?' || IsObjectMarker(ch) || IsWideScript(ch)) &&
        flag(i) != 'n')
      return through(i);
  }
  if (IsObjectMarker(Text[lineStart]) && flag(lineStart) == 'y') return through(lineStart);

  // No break fits: the line runs on to the end of its word.
  const int sectionEnd = static_cast<int>(Text.size());
  int q = p;
  for (; q + 1 < lineStart + n; ++q) {
    const char16_t ch = Text[q], after = Text[q + 1];
    if (after == kBreakMarker) break;  // nothing may follow a line break on its line
    if ((ch == u'-' || ch == u'?' || after == u' ' || IsObjectMarker(after) || IsWideScript(after)) &&
        flag(q + 1) != 'n')
      break;
  }
  int end = SpacesFrom(Text, q + 1);
  if (end < sectionEnd && Text[end] == kBreakMarker) ++end;
  return TBreak{end - lineStart, true};
}

}  // namespace folverin
