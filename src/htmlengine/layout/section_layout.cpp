// Section layout: the lines of a section one below the other, beside the
// floats of its cell, with their heights, horizontal positions and the
// floats they carry.
#include <algorithm>
#include <climits>
#include <cstdint>

#include "htmlengine/document/section.h"
#include "htmlengine/document/section_list.h"
#include "htmlengine/layout/section_layout_state.h"
#include "htmlengine/support/layout_limits.h"

namespace folverin {

namespace {

// Room a preformatted line may take: it never breaks.
constexpr int kPreformattedWidth = 32000;

int Clamped(int64_t value) {
  return static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}

int FullHeight(const TFloatingObj& image) { return image.VSpaceT + image.ImageHeight + image.VSpaceB; }

bool OnlyMarkers(std::u16string_view text, int start, int count) {
  for (int i = start; i < start + count; ++i)
    if (!IsMarker(text[i])) return false;
  return true;
}

// Lines for the text at its widest characters, with one to spare for a
// clearance: most sections then get their lines without the list growing.
size_t EstimatedLines(int64_t chars, int64_t widestChar, int64_t width) {
  constexpr int64_t kMostReserved = 64;  // a long section grows as usual
  if (width <= 0) return 2;
  return static_cast<size_t>(std::clamp<int64_t>(chars * widestChar / width + 2, 2, kMostReserved));
}

void CollectMarkers(std::u16string_view text, TSectionLayoutState& state) {
  if (!ContainsMarker(text)) return;
  for (int i = 0; i < static_cast<int>(text.size()); ++i)
    if (IsMarker(text[i])) {
      state.Markers.push_back(i);
      if (text[i] == kBreakMarker) state.Breaks.push_back(i);
    }
}

}  // namespace

int TSection::Layout(int x, int y, int width, int& cursor, int& maxWidth, IndentManager& indents) {
  return LayoutText(x, y, width, cursor, maxWidth, indents, false);
}

int TPreFormated::Layout(int x, int y, int /*width*/, int& cursor, int& maxWidth,
                         IndentManager& indents) {
  return LayoutText(x, y, kPreformattedWidth, cursor, maxWidth, indents, true);
}

int TSection::ClearHeight(const IndentManager& indents, int y) const {
  if (ClearMode == 0) return 0;  // most sections clear nothing: no need to look at the floats
  int left = 0, right = 0;
  indents.FloatBottoms(left, right);
  auto below = [y](int bottom) { return std::max(0, Clamped(int64_t{bottom} - y - 1)); };
  switch (ClearMode) {
    case 1: return below(left);
    case 2: return below(right);
    case 3: return std::max(below(left), below(right));
    default: return 0;
  }
}

int TSection::LayoutText(int x, int y, int width, int& cursor, int& maxWidth,
                         IndentManager& indents, bool preformatted) {
  YPosition = BoxTop = PaintTop = y;
  TextStart = cursor;
  TextLength = static_cast<int>(Text.size());
  LineList.clear();
  Height = 0;
  if (Text.empty()) {
    Height = preformatted ? FontRuns.front().Font->SizePoints : ClearHeight(indents, y);
    PaintHeight = Height;
    BoxBottom = PaintBottom = y + Height;
    return Height;
  }
  if (IndentPercent != 0) IndentPixels = Clamped(int64_t{IndentPercent} * width / 100);

  TSectionLayoutState state(indents, x, y);
  if (MayHoldMarkers) CollectMarkers(Text, state);
  for (const TFontObj& run : FontRuns) {
    state.WidestChar = std::max<int64_t>(state.WidestChar, run.MaxCharWidth);
    state.OverhangTotal += std::max(0, run.Overhang);
  }
  // A preformatted section is as wide as its line, measured below.
  if (!preformatted) state.MaxLineWidth = std::min(state.RightEdge() - state.LeftEdge(), width);
  for (const auto& image : Floats) state.MaxLineWidth = std::max(state.MaxLineWidth, FullWidth(*image));
  for (const auto& control : Controls)
    if (control->Kind != TFormControlKind::Hidden)
      state.MaxLineWidth = std::max(state.MaxLineWidth, FullWidth(*control));

  const int n = static_cast<int>(Text.size());
  if (LineList.capacity() == 0)
    LineList.reserve(preformatted ? 1 : EstimatedLines(n, state.WidestChar, state.MaxLineWidth));
  if (const int clear = ClearHeight(indents, y); clear > 0) AddEmptyLine(state, clear);
  while (state.LineStart < n) {
    const int left = n - state.LineStart;
    const int fitted = preformatted ? 0 : FitCount(state, state.LineStart, left);
    if (fitted == 0 && MoveBelowFloat(state)) continue;
    if (preformatted || fitted >= left) {
      MakeLine(state, left, preformatted);
      break;
    }
    const TBreak lineBreak = ChooseBreak(state.LineStart, std::max(1, fitted), left);
    if (lineBreak.Overlong && MoveBelowFloat(state)) continue;
    MakeLine(state, lineBreak.Chars, lineBreak.Overlong);
  }
  cursor = TextStart + n;

  PaintHeight = std::max(Height, Clamped(int64_t{state.LowestBottom} - YPosition));
  BoxBottom = YPosition + Height;
  PaintBottom = YPosition + PaintHeight;
  maxWidth = std::max(maxWidth, state.MaxLineWidth);
  ReportLayoutProgress();
  return Height;
}

// With nothing fitting beside the floats, the line waits below the next one
// that ends; false when no float ends below y.
bool TSection::MoveBelowFloat(TSectionLayoutState& state) {
  const int wider = state.Indents.NextWiderY(state.Y);
  // At the bottom of what layout counts, no float ends any more.
  if (wider <= state.Y || AddLayoutY(state.Y, wider - state.Y) <= state.Y) return false;
  AddEmptyLine(state, wider - state.Y);
  return true;
}

void TSection::AddEmptyLine(TSectionLayoutState& state, int height) {
  LineRec line;
  line.Start = state.LineStart;
  line.LineHt = line.LineImgHt = height;
  LineList.push_back(line);
  Height = AddLayoutY(Height, height);
  state.Y = AddLayoutY(state.Y, height);
  state.LowestBottom = std::max(state.LowestBottom, state.Y);
}

void TSection::PlaceFloat(TSectionLayoutState& state, TFloatingObj& image, int y) {
  image.DrawY = y;
  state.LowestBottom = std::max(state.LowestBottom, state.Indents.PlaceFloatImage(y, image));
  state.ForgetEdges();
  state.PlacedFloatsEnd = std::max(state.PlacedFloatsEnd, image.Pos + 1);
}

void TSection::MakeLine(TSectionLayoutState& state, int chars, bool overlong) {
  // Filled in place: nothing below adds lines while it is being made.
  LineRec& line = LineList.emplace_back();
  line.Start = state.LineStart;
  line.LineChars = chars;
  LineHeights(state, line);
  PositionLine(state, line, overlong);

  const int lineHeight = line.LineHt + line.SpaceBefore + line.SpaceAfter;
  Height = AddLayoutY(Height, lineHeight);
  state.Y = AddLayoutY(state.Y, lineHeight);
  state.LowestBottom = std::max(state.LowestBottom, state.Y);
  state.LineStart += chars;
  // Floats met further along the line take their room below it.
  auto image = std::lower_bound(Floats.begin(), Floats.end(), state.PlacedFloatsEnd,
                                [](const auto& object, int index) { return object->Pos < index; });
  for (; image != Floats.end() && (*image)->Pos < state.LineStart; ++image)
    if ((*image)->IsFloating() && Text[(*image)->Pos] == kImageMarker) PlaceFloat(state, **image, state.Y);
}

void TSection::LineHeights(TSectionLayoutState& state, LineRec& line) const {
  const int start = line.Start, end = line.Start + line.LineChars;
  int text = 0, descent = 0, above = 0, below = 0;
  if (!OnlyMarkers(Text, start, line.LineChars)) {
    size_t run = FontRunFrom(state.HeightRun, start);
    for (; run < FontRuns.size() && FontRuns[run].Pos < end; ++run) {
      text = std::max(text, FontRuns[run].LineHeight);
      descent = std::max(descent, FontRuns[run].Descent);
    }
    // The next line starts at `end`: in the last run looked at or the next.
    if (run > 0) state.HeightRun = run - 1;
  }
  auto raise = [&](int align, int height) {
    if (align == 1) {
      below = std::max(below, height - text);
    } else if (align == 2) {
      if (text == 0) {
        text = FontAt(start).LineHeight;
        descent = FontAt(start).Descent;
      }
      const int extra = height - text;
      below = std::max(below, extra / 2);
      above = std::max(above, extra - extra / 2);
    } else if (align == 3 || align == 4) {
      above = std::max(above, height + descent - text);
    }
  };
  for (int at = TSectionLayoutState::NextIn(state.Markers, start, end); at < end;
       at = TSectionLayoutState::NextIn(state.Markers, at + 1, end)) {
    if (TFloatingObj* image = Text[at] == kImageMarker ? FloatAt(at) : nullptr) {
      image->DrawY = state.Y;
      raise(image->ObjAlign, FullHeight(*image));
    } else if (TFormControlObj* control = Text[at] == kControlMarker ? ControlAt(at) : nullptr) {
      control->YValue = state.Y;
      raise(3, control->Height);  // controls sit on the baseline
    }
  }
  if (text + above + below < LineHeightPx) {
    const int half = (LineHeightPx - (text + above + below)) / 2;
    above += half;
    below += half;
  }
  line.LineHt = text;
  line.Descent = descent;
  line.SpaceBefore = above;
  line.SpaceAfter = below;
  line.LineImgHt = text + above + below;
}

void TSection::PositionLine(TSectionLayoutState& state, LineRec& line, bool overlong) {
  const bool firstLine = line.Start == 0;
  const int64_t left = int64_t{state.LeftEdge()} + (firstLine ? IndentPixels : 0);
  const int64_t right = state.RightEdge();
  const bool lastLine = line.Start + line.LineChars >= static_cast<int>(Text.size());
  // A left-aligned line that fitted needs no measuring.
  int64_t width = 0;
  if (Alignment != 1 || overlong) width = TextWidth(line.Start, line.LineChars, true);
  line.DrawWidth = Clamped(width);
  switch (Alignment) {
    case 2: line.LineIndent = Clamped((left + right - width) / 2 - state.X); break;
    case 3: line.LineIndent = Clamped(right - state.X - width); break;
    default: line.LineIndent = Clamped(left - state.X); break;
  }
  if (Alignment == 4 && !lastLine) {
    line.Extra = Clamped(std::max<int64_t>(0, right - left - width));
    line.Spaces = static_cast<int>(
        std::count(Text.begin() + line.Start, Text.begin() + line.Start + line.LineChars - 1, u' '));
  }
  if (overlong) state.MaxLineWidth = std::max(state.MaxLineWidth, Clamped(line.LineIndent + width));
}

void TSection::ReportLayoutProgress() {
  TSectionList& document = *Document;
  if (!document.PrintCopy && SectionOrdinal % 50 == 0 && document.LayoutPass != LayoutPassSeen &&
      document.FinishedSections > 0) {
    const int64_t base = document.ProgressBase;
    document.ReportProgress(psRunning,
                            Clamped(base + SectionOrdinal * (100 - base) / document.FinishedSections));
  }
  LayoutPassSeen = document.LayoutPass;
}

}  // namespace folverin
