#include "htmlengine/document/html_table.h"

namespace folverin {

std::unique_ptr<TCellObj> TCellObj::Filler(TSectionList* document, int rowSpan) {
  auto filler = std::make_unique<TCellObj>(document);
  filler->ColSpan = 0;
  filler->RowSpan = rowSpan;
  return filler;
}

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
      if (cell && !cell->IsFiller()) CellOrder.push_back(&cell->Cell);
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
      cell->Cell.MoveItemsTo(out);
    }
}

}  // namespace folverin
