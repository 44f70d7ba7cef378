// Columns of a table: spanned positions are filled in so that every row
// lists one entry per column it reaches, the cells get their padding and
// border from the table, and the column definitions hand out their widths.
#include <algorithm>

#include "htmlengine/document/html_table.h"
#include "htmlengine/support/html_engine_error.h"

namespace folverin {

namespace {

// A row that reaches past the column limit makes the whole table fail; it
// is stopped before the fillers of a huge span are made.
void CheckRowLength(size_t length) {
  if (length > static_cast<size_t>(kMaxTableColumns)) throw ETableColumnsError();
}

void TakeTableBox(TCellObj& cell, int cellPadding, int borderWidth) {
  for (int& side : cell.Padding)
    if (side == kUnsetSide) side = cellPadding;
  if (borderWidth > 0)
    for (int& side : cell.Border) side = std::max(side, 1);
  cell.HorizontalExtra = cell.Padding[1] + cell.Padding[3] + cell.Border[1] + cell.Border[3];
  cell.VerticalExtra = cell.Padding[0] + cell.Padding[2] + cell.Border[0] + cell.Border[2];
}

void TakeBackground(TCell& cell, TColour colour) {
  if (cell.BkColor != NoColour || colour == NoColour) return;
  cell.BkColor = colour;
  cell.BkGnd = true;
}

}  // namespace

void ThtmlTable::PrepareRow(TCellList& row) {
  // An empty entry stands for a covered column, which a filler is as well.
  for (auto& entry : row.Cells)
    if (!entry) entry = TCellObj::Filler(Document, 0);
  for (int i = static_cast<int>(row.Cells.size()) - 1; i >= 0; --i) {
    TCellObj& cell = *row.Cells[i];
    if (cell.IsFiller()) continue;
    TakeBackground(cell.Cell, row.BkColor);
    TakeTableBox(cell, CellPadding, BorderWidth);
    if (!cell.BackgroundImage) cell.BackgroundImage = row.BackgroundImage;
    if (cell.SpecifiedWidth > 0 && !cell.WidthIsPercent) HasPixelWidths = true;
    if (UseBlockBackground) TakeBackground(cell.Cell, BlockBackgroundColor);
    if (cell.Cell.BkGnd) row.BkGnd = true;
    const int fillers = cell.ColSpan - 1;
    if (fillers <= 0) continue;
    CheckRowLength(row.Cells.size() + static_cast<size_t>(fillers));
    const int rowSpan = cell.RowSpan < 2 ? 1 : cell.RowSpan;
    for (int k = 0; k < fillers; ++k)
      row.Cells.insert(row.Cells.begin() + i + 1, TCellObj::Filler(Document, rowSpan));
  }
}

void ThtmlTable::SpreadRowSpans() {
  const int rowCount = static_cast<int>(Rows_.size());
  const int columns = ColumnCount;
  for (int c = 0; c < columns; ++c)
    for (int r = 0; r < rowCount; ++r) {
      auto& cells = Rows_[r]->Cells;
      if (static_cast<int>(cells.size()) <= c) continue;
      TCellObj& cell = *cells[c];
      cell.RowSpan = std::min(cell.RowSpan, rowCount - r);
      for (int k = 1; k < cell.RowSpan; ++k) {
        auto& below = Rows_[r + k]->Cells;
        while (static_cast<int>(below.size()) < c) below.push_back(TCellObj::Filler(Document, 0));
        CheckRowLength(below.size() + 1);
        below.insert(below.begin() + c, TCellObj::Filler(Document, 0));
      }
    }
}

void ThtmlTable::ApplyColumnDefinitions() {
  const std::vector<TColObj>& defs = *ColumnDefs;
  bool pixels = false;
  for (const auto& row : Rows_) {
    const int n = std::min(static_cast<int>(row->Cells.size()), ColumnCount);
    for (int i = 0; i < n; ++i) {
      TCellObj& entry = *row->Cells[i];
      if (i < static_cast<int>(defs.size()) && defs[i].Width > 0) {
        entry.SpecifiedWidth = defs[i].Width;
        entry.WidthIsPercent = defs[i].WidthIsPercent;
      }
      if (!entry.WidthIsPercent) pixels = true;
    }
  }
  HasPixelWidths = pixels;
  ColumnDefs.reset();
}

void ThtmlTable::PrepareColumns() {
  if (Prepared) return;
  CellOrderValid = false;
  ColumnCount = 0;
  HasPixelWidths = false;
  for (const auto& row : Rows_) {
    PrepareRow(*row);
    ColumnCount = std::max(ColumnCount, static_cast<int>(row->Cells.size()));
  }
  SpreadRowSpans();
  ColumnCount = 0;
  for (const auto& row : Rows_) ColumnCount = std::max(ColumnCount, static_cast<int>(row->Cells.size()));
  if (ColumnCount > kMaxTableColumns) throw ETableColumnsError();
  if (ColumnDefs) ApplyColumnDefinitions();
  Prepared = true;
}

}  // namespace folverin
