#include "htmlengine/document/document_walk.h"

#include <vector>

#include "htmlengine/document/cell.h"

namespace folverin {

namespace {

// One open level: a cell and its next item, or an item and its next cell.
struct TWalkFrame {
  TCellBasic* Cell = nullptr;
  TSectionBase* Item = nullptr;
  int Next = 0;
};

}  // namespace

TWalkStep DescendIfCells(TSectionBase& item) {
  return item.ChildCellCount() > 0 ? TWalkStep::Descend : TWalkStep::Skip;
}

bool WalkDocumentTree(TCellBasic& root, TDocumentVisitor& visitor) {
  if (!visitor.EnterCell(root)) return true;
  std::vector<TWalkFrame> stack{{&root, nullptr, 0}};
  while (!stack.empty()) {
    TWalkFrame& frame = stack.back();
    if (frame.Cell) {
      TCellBasic& cell = *frame.Cell;
      if (frame.Next >= cell.Count()) {
        stack.pop_back();
        visitor.LeaveCell(cell);
        continue;
      }
      TSectionBase& item = *cell.Item(frame.Next++);
      switch (visitor.EnterItem(item)) {
        case TWalkStep::Stop: return false;
        case TWalkStep::EndCell: frame.Next = cell.Count(); break;
        case TWalkStep::Skip: break;
        case TWalkStep::Descend: stack.push_back({nullptr, &item, 0}); break;
      }
      continue;
    }
    TSectionBase& item = *frame.Item;
    if (frame.Next >= item.ChildCellCount()) {
      stack.pop_back();
      visitor.LeaveItem(item);
      continue;
    }
    TCellBasic* child = item.ChildCell(frame.Next++);
    if (child && visitor.EnterCell(*child)) stack.push_back({child, nullptr, 0});
  }
  return true;
}

}  // namespace folverin
