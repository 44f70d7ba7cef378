// Column widths of a table: the narrowest and widest each column may be,
// from the cells' contents and specified widths, and how a given width is
// shared among the columns when some cells ask for pixels or percentages.
#include <algorithm>
#include <numeric>

#include "htmlengine/document/html_table.h"
#include "htmlengine/document/section_list.h"
#include "htmlengine/support/mul_div.h"

namespace folverin {

namespace {

struct TSpanEntry {
  int Span;
  int Column;
  TCellObj* Cell;
};

// The cells ordered by span, narrow ones first, and within a span in row
// and column order: spanning cells share out what the narrower ones left.
std::vector<TSpanEntry> CellsBySpan(const std::vector<std::unique_ptr<TCellList>>& rows) {
  std::vector<TSpanEntry> entries;
  for (const auto& row : rows)
    for (size_t i = 0; i < row->Cells.size(); ++i)
      if (row->Cells[i]->ColSpan > 0)
        entries.push_back({row->Cells[i]->ColSpan, static_cast<int>(i), row->Cells[i].get()});
  std::stable_sort(entries.begin(), entries.end(),
                   [](const TSpanEntry& a, const TSpanEntry& b) { return a.Span < b.Span; });
  return entries;
}

int64_t SumOver(const std::vector<int64_t>& values, int from, int count) {
  return std::accumulate(values.begin() + from, values.begin() + from + count, int64_t{0});
}

bool PixelWidth(const TCellObj& cell) { return cell.SpecifiedWidth > 0 && !cell.WidthIsPercent; }

// Scales the columns of a span so that they add up to `total`, the rounding
// remainder going to the first of them.
void SpreadProportionally(std::vector<int64_t>& values, int from, int span, int64_t total) {
  const int64_t sum = SumOver(values, from, span);
  for (int k = from; k < from + span; ++k)
    values[k] = sum == 0 ? total / span : MulDiv(total, values[k], sum);
  values[from] += total - SumOver(values, from, span);
}

}  // namespace

void ThtmlTable::MeasureCell(TCellObj& cell, int& minWidth, int& maxWidth) {
  if (cell.MeasuredPass != Document->LayoutPass) {
    cell.Cell.MeasureWidths(cell.MeasuredMin, cell.MeasuredMax);
    cell.MeasuredPass = Document->LayoutPass;
  }
  minWidth = cell.MeasuredMin;
  maxWidth = cell.MeasuredMax;
}

ThtmlTable::TColumnMeasure ThtmlTable::MeasureColumns() {
  TColumnMeasure result;
  std::vector<int64_t>& minW = result.MinW;
  std::vector<int64_t>& maxW = result.MaxW;
  minW.assign(ColumnCount, 0);
  maxW.assign(ColumnCount, 0);
  for (const TSpanEntry& entry : CellsBySpan(Rows_)) {
    const TCellObj& cell = *entry.Cell;
    const int i = entry.Column, s = entry.Span;
    int measuredMin = 0, measuredMax = 0;
    MeasureCell(*entry.Cell, measuredMin, measuredMax);
    const int64_t b = int64_t{CellSpacing} + cell.HorizontalExtra;
    int64_t min = measuredMin + b, max = measuredMax + b;
    if (s == 1) {
      if (PixelWidth(cell)) max = std::max(min, cell.SpecifiedWidth + b);
      minW[i] = std::max(minW[i], min);
      maxW[i] = std::max(maxW[i], max);
      continue;
    }
    const int64_t m = SumOver(minW, i, s), bigM = SumOver(maxW, i, s);
    if (PixelWidth(cell)) {
      min = std::max<int64_t>(min, cell.SpecifiedWidth);
      max = min;
    }
    if (m < min) {
      if (m <= 0) minW[i] = min;
      else
        for (int k = i; k < i + s; ++k) minW[k] += MulDiv(minW[k], min - m, m);
    }
    if (bigM < max) {
      if (bigM <= 0) maxW[i] = max;
      else
        for (int k = i; k < i + s; ++k) maxW[k] += MulDiv(maxW[k], max - bigM, bigM);
    }
  }
  result.Tmin = SumOver(minW, 0, ColumnCount);
  result.Tmax = SumOver(maxW, 0, ColumnCount);
  return result;
}

ThtmlTable::TColumnMeasure ThtmlTable::MeasureColumnsPercent(int tableWidth) {
  TColumnMeasure result;
  std::vector<int64_t>& minW = result.MinW;
  std::vector<int64_t>& maxW = result.MaxW;
  minW.assign(ColumnCount, 0);
  maxW.assign(ColumnCount, 0);
  Percents.fill(0);
  for (const TSpanEntry& entry : CellsBySpan(Rows_)) {
    const TCellObj& cell = *entry.Cell;
    const int i = entry.Column, s = entry.Span;
    int64_t p = 0;
    if (cell.WidthIsPercent) p = cell.SpecifiedWidth;
    else if (tableWidth > 0) p = std::min<int64_t>(1000, MulDiv(cell.SpecifiedWidth, 1000, tableWidth));
    int measuredMin = 0, measuredMax = 0;
    MeasureCell(*entry.Cell, measuredMin, measuredMax);
    const int64_t b = int64_t{CellSpacing} + cell.HorizontalExtra;
    const int64_t min = measuredMin + b, max = measuredMax + b;
    if (s == 1) {
      minW[i] = std::max(minW[i], min);
      maxW[i] = std::max(maxW[i], max);
      Percents[i] = static_cast<int>(std::max<int64_t>(Percents[i], p));
      continue;
    }
    const int64_t m = SumOver(minW, i, s), bigM = SumOver(maxW, i, s);
    int64_t bigP = 0;
    int z = 0;
    for (int k = i; k < i + s; ++k) {
      if (Percents[k] > 0) bigP += Percents[k];
      else ++z;
    }
    const int64_t e1 = min - m, e2 = max - bigM;
    if (p > 0 || bigP > 0) {
      if (z == 0 && bigP < p) {
        for (int k = i; k < i + s; ++k) Percents[k] = static_cast<int>(MulDiv(Percents[k], p, bigP));
      } else if (z > 0 && (p - bigP) / z > 0) {
        for (int k = i; k < i + s; ++k)
          if (Percents[k] <= 0) Percents[k] = static_cast<int>((p - bigP) / z);
      }
      const int64_t d = std::max(bigP, p);
      if (e1 > 0)
        for (int k = i; k < i + s; ++k)
          minW[k] += z == 0 ? MulDiv(e1, Percents[k], d) : MulDiv(e1, maxW[k], bigM);
      if (e2 > 0)
        for (int k = i; k < i + s; ++k) {
          if (z == 0) maxW[k] += MulDiv(e2, Percents[k], d);
          else if (Percents[k] <= 0) maxW[k] += e2 / z;
        }
    } else {
      if (e1 > 0) SpreadProportionally(minW, i, s, min);
      if (e2 > 0) SpreadProportionally(maxW, i, s, max);
    }
  }
  result.Tmin = SumOver(minW, 0, ColumnCount);
  result.Tmax = SumOver(maxW, 0, ColumnCount);
  return result;
}

void ThtmlTable::ShareWidth(int64_t width) {
  const TColumnMeasure measure = MeasureColumns();
  std::vector<int64_t> widths(ColumnCount);
  for (int k = 0; k < ColumnCount; ++k) {
    if (width < measure.Tmin) widths[k] = measure.MinW[k];
    else if (width >= measure.Tmax) widths[k] = measure.MaxW[k];
    else
      widths[k] = measure.MinW[k] + MulDiv(measure.MaxW[k] - measure.MinW[k], width - measure.Tmin,
                                           measure.Tmax - measure.Tmin);
  }
  FinishWidths(widths);
}

void ThtmlTable::SharePercentWidth(int64_t width, const TColumnMeasure& measure) {
  const int n = ColumnCount;
  const std::vector<int64_t>& minW = measure.MinW;
  const std::vector<int64_t>& maxW = measure.MaxW;
  std::vector<int64_t> widths(n);
  std::vector<bool> held(n, false);
  int z = 0;
  int64_t g = 0, q = 0;
  for (int k = 0; k < n; ++k) {
    if (Percents[k] <= 0) {
      widths[k] = minW[k];
      ++z;
      g += maxW[k] - minW[k];
      continue;
    }
    const int64_t w = MulDiv(width, Percents[k], 1000);
    if (w > minW[k]) {
      widths[k] = w;
      q += Percents[k];
    } else {
      widths[k] = minW[k];
      held[k] = true;
    }
  }
  int64_t e = SumOver(widths, 0, n) - width;
  if (e < 0) {
    for (int k = 0; k < n; ++k) {
      if (z == 0) {
        if (Percents[k] > 0 && !held[k]) widths[k] += MulDiv(-e, Percents[k], q);
      } else if (Percents[k] <= 0) {
        widths[k] += g <= 0 || g < -e / 4 ? -e / z : MulDiv(-e, maxW[k] - minW[k], g);
      }
    }
  } else if (e > 0) {
    for (int round = 0; round < 4; ++round) {
      bool newlyHeld = false;
      for (int k = 0; k < n; ++k) {
        if (Percents[k] <= 0 || held[k]) continue;
        const int64_t c = MulDiv(e, Percents[k], q);
        if (widths[k] - c >= minW[k]) continue;
        held[k] = newlyHeld = true;
        q -= Percents[k];
        e -= widths[k] - minW[k];
        widths[k] = minW[k];
      }
      if (!newlyHeld) break;
    }
    for (int k = 0; k < n; ++k)
      if (Percents[k] > 0 && !held[k]) widths[k] -= MulDiv(e, Percents[k], q);
  }
  e = SumOver(widths, 0, n) - width;
  if (n > 0 && e <= 0) {
    widths[0] -= e;
  } else if (e > 0) {
    auto free = std::find(held.begin(), held.end(), false);
    if (free != held.end()) widths[free - held.begin()] -= e;
  }
  FinishWidths(widths);
}

}  // namespace folverin
