// A table (ThtmlTable): rows of cell objects, each owning a cell of items.
#pragma once

#include <memory>
#include <vector>

#include "htmlengine/cell.h"

namespace folverin {

// More columns than this cannot be laid out.
inline constexpr int kMaxTableColumns = 200;

// One table cell with its span, width and alignment.
class TCellObj {
 public:
  explicit TCellObj(TSectionList* document) : Cell(std::make_unique<TCell>(document)) {}

  std::unique_ptr<TCell> Cell;
  int ColSpan = 1;
  int RowSpan = 1;
  int RequestedWidth = 0;  // WIDTH of the cell, 0 when none
  bool RequestedWidthPercent = false;
  int VAlign = 0;
  bool NoWrap = false;
  TColour BkColor = NoColour;
};

// One row. An entry is empty where a cell of an earlier row or column spans
// over the column.
class TCellList {
 public:
  void Add(std::unique_ptr<TCellObj> cell) { Cells.push_back(std::move(cell)); }
  std::vector<std::unique_ptr<TCellObj>> Cells;
  int RowAlign = 0;
  TColour BkColor = NoColour;
};

class ThtmlTable : public TSectionBase {
 public:
  using TSectionBase::TSectionBase;

  void AddRow(std::unique_ptr<TCellList> row);
  const std::vector<std::unique_ptr<TCellList>>& Rows() const { return Rows_; }
  // For layout, which adds fillers to rows.
  std::vector<std::unique_ptr<TCellList>>& MutableRows();

  // The cells in row order, left to right, empty entries left out.
  int ChildCellCount() override;
  TCellBasic* ChildCell(int index) override;
  void DetachChildren(TItemList& out) override;
  bool CollectSelectedText(TSelTextCount&, int, int) override { return true; }
  int Layout(int x, int y, int width, int& cursor, int& maxWidth, IndentManager& indents) override;

  int ColumnCount = 0;
  int BorderWidth = 0;
  int CellPadding = 1;
  int CellSpacing = 2;

 private:
  void UpdateCellOrder();

  std::vector<std::unique_ptr<TCellList>> Rows_;
  std::vector<TCellBasic*> CellOrder;
  bool CellOrderValid = true;
};

}  // namespace folverin
