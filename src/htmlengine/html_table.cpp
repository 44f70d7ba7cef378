#include "htmlengine/html_table.h"

#include <algorithm>

namespace folverin {

void ThtmlTable::AddRow(std::unique_ptr<TCellList> row) {
  if (!row) return;
  Rows_.push_back(std::move(row));
  CellOrderValid = false;
}

std::vector<std::unique_ptr<TCellList>>& ThtmlTable::MutableRows() {
  CellOrderValid = false;
  return Rows_;
}

void ThtmlTable::UpdateCellOrder() {
  if (CellOrderValid) return;
  CellOrder.clear();
  for (const auto& row : Rows_)
    for (const auto& cell : row->Cells)
      if (cell) CellOrder.push_back(cell->Cell.get());
  CellOrderValid = true;
}

int ThtmlTable::ChildCellCount() {
  UpdateCellOrder();
  return static_cast<int>(CellOrder.size());
}

TCellBasic* ThtmlTable::ChildCell(int index) {
  UpdateCellOrder();
  return index >= 0 && index < static_cast<int>(CellOrder.size()) ? CellOrder[index] : nullptr;
}

void ThtmlTable::DetachChildren(TItemList& out) {
  for (const auto& row : Rows_)
    for (const auto& cell : row->Cells) {
      if (!cell) continue;
      TItemList items = cell->Cell->TakeItems();
      for (auto& item : items) out.push_back(std::move(item));
    }
}

int ThtmlTable::Layout(int /*x*/, int y, int width, int& cursor, int& maxWidth,
                       IndentManager& /*indents*/) {
  YPosition = y;
  TextStart = cursor;
  int top = y;
  for (const auto& row : Rows_) {
    int rowHeight = 0;
    for (const auto& cell : row->Cells)
      if (cell) rowHeight = std::max(rowHeight, cell->Cell->Layout(0, top, width, cursor, maxWidth, cell->Cell->Indents));
    top += rowHeight;
  }
  TextLength = cursor - TextStart;
  Height = top - y;
  return Height;
}

}  // namespace folverin
