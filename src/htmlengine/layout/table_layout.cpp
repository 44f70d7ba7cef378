// Table layout: the columns get their widths from the room the table has,
// the rows their heights from the cells (row spans shared out over the rows
// they cover), and every cell's content is placed in its box, vertically
// aligned. Text positions run through the cells in row order.
//
// A cell is laid out twice, once to learn its height and once in place;
// nested tables would make that exponential. So one layout pass remembers
// each cell's measures and its height for the width it was given, and a
// cell laid out again at the same place in the same pass is left as it is.
//
// A table of more columns than layout can handle is reported once and keeps
// only its text: its cells get their text positions but no geometry, and
// everything around it is laid out as usual.
#include <algorithm>
#include <cstdint>
#include <numeric>

#include "htmlengine/document/html_table.h"
#include "htmlengine/document/section_list.h"
#include "htmlengine/document/text_positions.h"
#include "htmlengine/support/html_engine_error.h"
#include "htmlengine/support/mul_div.h"

namespace folverin {

namespace {

// Sums of widths and heights are kept far enough from the int range that
// positions built on them cannot overflow.
constexpr int64_t kMaxExtent = int64_t{1} << 30;

int ToInt(int64_t value) { return static_cast<int>(std::clamp(value, -kMaxExtent, kMaxExtent)); }

int64_t Sum(const std::vector<int64_t>& values) {
  return std::accumulate(values.begin(), values.end(), int64_t{0});
}

// Shrinks the values proportionally when their sum is beyond kMaxExtent.
void LimitTotal(std::vector<int64_t>& values) {
  const int64_t total = Sum(values);
  if (total <= kMaxExtent) return;
  for (int64_t& value : values) value = MulDiv(value, kMaxExtent, total);
}

}  // namespace

void ThtmlTable::FinishWidths(const std::vector<int64_t>& widths) {
  std::vector<int64_t> limited = widths;
  for (int64_t& width : limited) width = std::clamp<int64_t>(width, 0, kMaxExtent);
  LimitTotal(limited);
  Widths.fill(0);
  for (int k = 0; k < ColumnCount; ++k) Widths[k] = static_cast<int>(limited[k]);
}

void ThtmlTable::ShareByPercent(int64_t width, TColumnMeasure& m) {
  const int n = ColumnCount;
  int64_t p = 0;
  for (int k = 0; k < n; ++k) p += Percents[k];
  if (p > 0 && p <= 1000) {
    int64_t bigN = 0, a = 0;
    for (int k = 0; k < n; ++k) {
      if (Percents[k] <= 0) bigN += m.MaxW[k];
      else a = std::max(a, MulDiv(m.MaxW[k], 1000, Percents[k]));
    }
    const int64_t b = p < 1000 ? MulDiv(bigN, 1000, 1000 - p) : bigN > 0 ? 30000 : 0;
    const int64_t x = std::max(a, b);
    if (width >= x) {
      std::vector<int64_t> widths(n);
      const int64_t rest = MulDiv(x, 1000 - p, 1000);
      for (int k = 0; k < n; ++k)
        widths[k] = Percents[k] > 0 ? MulDiv(x, Percents[k], 1000)
                                    : bigN == 0 ? 0 : MulDiv(m.MaxW[k], rest, bigN);
      FinishWidths(widths);
      return;
    }
    // Percent columns that cannot have their share drop out; the others are
    // scaled down until they fit beside them. A bounded number of rounds.
    int64_t lastN = INT64_MAX;
    for (int round = 0; round < 1000; ++round) {
      int64_t s = 0, t = 0;
      bool kept = false;
      for (int k = 0; k < n; ++k) {
        if (Percents[k] <= 0) {
          s += m.MinW[k];
          continue;
        }
        const int64_t w = MulDiv(width, Percents[k], 1000);
        if (w < m.MinW[k]) {
          Percents[k] = 0;
          s += m.MinW[k];
        } else {
          t += w;
          kept = true;
        }
      }
      if (!kept) break;
      if (width < s + t) {
        lastN = std::min(width - s, lastN - 1);
        for (int k = 0; k < n; ++k)
          if (Percents[k] > 0) Percents[k] = static_cast<int>(MulDiv(Percents[k], lastN, t));
        continue;
      }
      for (int k = 0; k < n; ++k)
        if (Percents[k] > 0) m.MinW[k] = m.MaxW[k] = MulDiv(width, Percents[k], 1000);
      m.Tmin = Sum(m.MinW);
      m.Tmax = Sum(m.MaxW);
      break;
    }
  }
  if (width < m.Tmax && m.Tmax != m.Tmin) {
    std::vector<int64_t> widths(n);
    int widest = 0;
    for (int k = 0; k < n; ++k) {
      widths[k] = m.MinW[k] + MulDiv(m.MaxW[k] - m.MinW[k], width - m.Tmin, m.Tmax - m.Tmin);
      if (m.MaxW[k] - m.MinW[k] > m.MaxW[widest] - m.MinW[widest]) widest = k;
    }
    if (n > 0) widths[widest] += width - Sum(widths);
    FinishWidths(widths);
  } else {
    FinishWidths(m.MaxW);
  }
}

void ThtmlTable::ChooseWidths(int64_t width, bool fixed) {
  if (HasPixelWidths && !fixed) return ShareWidth(width);
  TColumnMeasure measure = MeasureColumnsPercent(ToInt(width));
  if (measure.Tmin >= width) FinishWidths(measure.MinW);
  else if (fixed) SharePercentWidth(width, measure);
  else ShareByPercent(width, measure);
}

int ThtmlTable::ContentWidth(const TCellObj& cell) const {
  return std::max(0, cell.AssignedWidth - cell.HorizontalExtra - CellSpacing);
}

int ThtmlTable::CellTop(const TCellObj& cell, int64_t rowTop) const {
  return ToInt(rowTop + CellSpacing + cell.Padding[0] + cell.Border[0] + cell.VerticalOffset);
}

int ThtmlTable::LayoutCell(TCellObj& cell, int y, int& cursor) {
  const int width = ContentWidth(cell);
  TCell& content = cell.Cell;
  if (cell.LaidOutPass == Document->LayoutPass && cell.LaidOutY == y && cell.LaidOutWidth == width &&
      cell.LaidOutCursor == cursor) {
    cursor += content.TextLength;
    return cell.LaidOutHeight;
  }
  int widest = 0;
  cell.LaidOutCursor = cursor;
  cell.LaidOutHeight = content.Layout(0, y, width, cursor, widest, content.Indents);
  cell.LaidOutPass = Document->LayoutPass;
  cell.LaidOutY = y;
  cell.LaidOutWidth = width;
  return cell.LaidOutHeight;
}

// The heights are learnt by laying each cell out where it will most likely
// end up (its row's top as known so far, no vertical offset, the text
// positions it will get), so that placing it afterwards is usually nothing
// more than finding it already done.
std::vector<int64_t> ThtmlTable::RowHeights(int y, int cursor) {
  const int rowCount = static_cast<int>(Rows_.size());
  std::vector<int64_t> heights(rowCount, 0);
  for (int s = 1;; ++s) {
    bool longer = false;
    int64_t rowTop = y;
    int guessCursor = cursor;
    for (int r = 0; r < rowCount; rowTop += heights[r], ++r) {
      const auto& cells = Rows_[r]->Cells;
      int64_t tallest = 0;
      for (size_t i = 0; i < cells.size(); ++i) {
        TCellObj& cell = *cells[i];
        if (cell.RowSpan > s) longer = true;
        if (cell.ColSpan <= 0) continue;
        int64_t assigned = 0;
        for (size_t k = i; k < i + cell.ColSpan && k < cells.size(); ++k) assigned += Widths[k];
        cell.AssignedWidth = ToInt(assigned);
        if (cell.RowSpan != s || r + s > rowCount) {
          guessCursor += cell.Cell.TextLength;
          continue;
        }
        const int width = ContentWidth(cell);
        if (cell.HeightPass != Document->LayoutPass || cell.HeightWidth != width) {
          cell.VerticalOffset = 0;
          cell.ContentHeight = LayoutCell(cell, CellTop(cell, rowTop), guessCursor);
          cell.HeightPass = Document->LayoutPass;
          cell.HeightWidth = width;
        } else {
          guessCursor += cell.Cell.TextLength;
        }
        tallest = std::max<int64_t>(
            tallest, std::max<int64_t>(cell.SpecifiedHeight, int64_t{cell.ContentHeight} + cell.VerticalExtra));
      }
      if (r + s > rowCount) continue;
      const int64_t h = tallest + CellSpacing;
      if (s == 1) {
        heights[r] = h;
        continue;
      }
      const int64_t sum = std::accumulate(heights.begin() + r, heights.begin() + r + s, int64_t{0});
      if (sum >= h) continue;
      for (int k = r; k < r + s; ++k) heights[k] += (h - sum) / s;
      heights[r + s - 1] += (h - sum) % s;
    }
    // No span reaches past the last row, whatever a cell still claims.
    if (!longer || s >= rowCount) break;
  }
  return heights;
}

void ThtmlTable::PlaceCells(const std::vector<int64_t>& heights, int& cursor) {
  int64_t top = YPosition;
  for (size_t r = 0; r < Rows_.size(); ++r) {
    TCellList& row = *Rows_[r];
    row.RowHeight = ToInt(heights[r]);
    for (const auto& entry : row.Cells) {
      TCellObj& cell = *entry;
      int64_t assigned = 0;
      for (size_t k = r; k < r + std::max(cell.RowSpan, 0) && k < heights.size(); ++k) assigned += heights[k];
      cell.AssignedHeight = ToInt(assigned);
      if (cell.IsFiller()) continue;
      const int d = cell.AssignedHeight - cell.ContentHeight - CellSpacing - cell.VerticalExtra;
      cell.VerticalOffset = cell.VAlign == kVAlignTop ? 0 : cell.VAlign == kVAlignMiddle ? d / 2 : d;
      LayoutCell(cell, CellTop(cell, top), cursor);
    }
    top += heights[r];
  }
}

bool ThtmlTable::ColumnsReady() {
  if (ColumnsFailed) return false;
  try {
    PrepareColumns();
    return true;
  } catch (const ETableColumnsError& error) {
    ColumnsFailed = true;
    ColumnCount = 0;
    Document->ReportLayoutError(error.what());
    return false;
  }
}

int ThtmlTable::TextOnlyLayout(int y, int& cursor) {
  TableWidth = TableHeight = Height = 0;
  for (int i = 0; i < ChildCellCount(); ++i) AssignTextPositions(*ChildCell(i), y, cursor);
  BoxBottom = PaintBottom = y;
  TextLength = cursor - TextStart;
  return 0;
}

int ThtmlTable::Layout(int x, int y, int /*width*/, int& cursor, int& maxWidth, IndentManager& indents) {
  YPosition = BoxTop = PaintTop = y;
  TextStart = cursor;
  Left = x;
  if (!ColumnsReady()) return TextOnlyLayout(y, cursor);
  const int avail = indents.RightEdge(y) - indents.LeftEdge(y);
  const bool fixed = RequestedWidth > 0;
  const int64_t w = int64_t{fixed ? RequestedWidth : avail} - CellSpacing;
  ChooseWidths(w, fixed);
  TableWidth = ToInt(int64_t{CellSpacing} + std::accumulate(Widths.begin(), Widths.end(), int64_t{0}));

  std::vector<int64_t> heights = RowHeights(y, cursor);
  const int64_t wanted = int64_t{RequestedHeight} - CellSpacing;
  const int64_t sum = Sum(heights);
  if (!heights.empty() && sum < wanted) {
    const int64_t share = (wanted - sum) / static_cast<int64_t>(heights.size());
    for (size_t r = 0; r + 1 < heights.size(); ++r) heights[r] += share;
    heights.back() = wanted - (Sum(heights) - heights.back());
  }
  LimitTotal(heights);
  PlaceCells(heights, cursor);

  TableHeight = ToInt(Sum(heights) + CellSpacing);
  Height = TableHeight;
  BoxBottom = PaintBottom = ToInt(int64_t{y} + TableHeight);
  TextLength = cursor - TextStart;
  maxWidth = std::max(maxWidth, TableWidth);
  return Height;
}

void ThtmlTable::MeasureWidths(int& minWidth, int& maxWidth) {
  if (!ColumnsReady()) {
    minWidth = maxWidth = 0;
    return;
  }
  if (MeasuredPass != Document->LayoutPass || MeasuredRequest != RequestedWidth) {
    const TColumnMeasure measure = !HasPixelWidths || RequestedWidth > 0
                                       ? MeasureColumnsPercent(RequestedWidth)
                                       : MeasureColumns();
    MeasuredMin = ToInt(std::max<int64_t>(measure.Tmin + CellSpacing, RequestedWidth));
    MeasuredMax = ToInt(std::max<int64_t>(measure.Tmax + CellSpacing, RequestedWidth));
    MeasuredPass = Document->LayoutPass;
    MeasuredRequest = RequestedWidth;
  }
  minWidth = MeasuredMin;
  maxWidth = MeasuredMax;
}

}  // namespace folverin
