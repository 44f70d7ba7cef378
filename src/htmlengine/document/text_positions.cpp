#include "htmlengine/document/text_positions.h"

#include "htmlengine/document/cell.h"
#include "htmlengine/document/document_walk.h"
#include "htmlengine/document/section.h"

namespace folverin {

namespace {

class TTextPositionVisitor : public TDocumentVisitor {
 public:
  TTextPositionVisitor(int y, int& cursor) : Y(y), Cursor(cursor) {}
  bool EnterCell(TCellBasic& cell) override {
    cell.CellY = Y;
    cell.TextStart = Cursor;
    return true;
  }
  void LeaveCell(TCellBasic& cell) override { cell.TextLength = Cursor - cell.TextStart; }
  TWalkStep EnterItem(TSectionBase& item) override {
    item.YPosition = Y;
    item.Height = 0;
    if (!item.IsDisplayed()) {
      item.TextStart = item.TextLength = 0;
      return TWalkStep::Skip;
    }
    item.TextStart = Cursor;
    item.TextLength = 0;
    if (auto* section = dynamic_cast<TSection*>(&item)) {
      section->TextLength = static_cast<int>(section->Text.size());
      section->LayoutLines();
      Cursor += section->TextLength;
      return TWalkStep::Skip;
    }
    return item.ChildCellCount() > 0 ? TWalkStep::Descend : TWalkStep::Skip;
  }
  void LeaveItem(TSectionBase& item) override { item.TextLength = Cursor - item.TextStart; }

 private:
  int Y;
  int& Cursor;
};

}  // namespace

void AssignTextPositions(TCellBasic& cell, int y, int& cursor) {
  TTextPositionVisitor visitor(y, cursor);
  WalkDocumentTree(cell, visitor);
}

}  // namespace folverin
