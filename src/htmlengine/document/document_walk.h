// Walks the document tree in document order without recursion: documents
// nest blocks and tables as deep as their markup does, far deeper than the
// call stack allows.
#pragma once

namespace folverin {

class TCellBasic;
class TSectionBase;

enum class TWalkStep {
  Descend,  // visit the item's cells, then LeaveItem
  Skip,     // go on with the next item of the same cell
  EndCell,  // leave the rest of this cell's items unvisited
  Stop,     // end the whole walk
};

class TDocumentVisitor {
 public:
  virtual ~TDocumentVisitor() = default;
  // False skips the cell's items (LeaveCell is then not called either).
  virtual bool EnterCell(TCellBasic& /*cell*/) { return true; }
  virtual void LeaveCell(TCellBasic& /*cell*/) {}
  virtual TWalkStep EnterItem(TSectionBase& item) = 0;
  virtual void LeaveItem(TSectionBase& /*item*/) {}
};

// False when the visitor stopped the walk.
bool WalkDocumentTree(TCellBasic& root, TDocumentVisitor& visitor);

// A walk that only looks at items: enterItem(item) returns the step.
template <class TEnter>
bool WalkItems(TCellBasic& root, TEnter&& enterItem) {
  struct TItemVisitor : TDocumentVisitor {
    explicit TItemVisitor(TEnter& enter) : Enter(enter) {}
    TWalkStep EnterItem(TSectionBase& item) override { return Enter(item); }
    TEnter& Enter;
  } visitor(enterItem);
  return WalkDocumentTree(root, visitor);
}

// Descend when the item has cells, else go on with the next item.
TWalkStep DescendIfCells(TSectionBase& item);

}  // namespace folverin
