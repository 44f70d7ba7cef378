#include "htmlengine/text_positions.h"

#include "htmlengine/cell.h"
#include "htmlengine/document_walk.h"

namespace folverin {

namespace {

class TTextPositionVisitor : public TDocumentVisitor {
 public:
  explicit TTextPositionVisitor(int& cursor) : Cursor(cursor) {}
  bool EnterCell(TCellBasic& cell) override {
    cell.TextStart = Cursor;
    return true;
  }
  void LeaveCell(TCellBasic& cell) override { cell.TextLength = Cursor - cell.TextStart; }
  TWalkStep EnterItem(TSectionBase& item) override {
    return item.BeginTextPositions(Cursor) ? TWalkStep::Descend : TWalkStep::Skip;
  }
  void LeaveItem(TSectionBase& item) override { item.EndTextPositions(Cursor); }

 private:
  int& Cursor;
};

}  // namespace

void AssignTextPositions(TCellBasic& cell, int& cursor) {
  TTextPositionVisitor visitor(cursor);
  WalkDocumentTree(cell, visitor);
}

}  // namespace folverin
