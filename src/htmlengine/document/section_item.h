// An item of a cell (TSectionBase): a run of text, a block, a table, a rule
// or a page break. Every item takes a share of the document's running text
// positions, and may own cells of its own.
#pragma once

#include <memory>
#include <vector>

#include "htmlengine/document/id_name_list.h"

namespace folverin {

class IndentManager;
class TCellBasic;
class TSection;
class TSectionList;
class TSelTextCount;

// Before any layout an item has no vertical position yet.
inline constexpr int kNoYPosition = 999999999;

class TSectionBase : public TIDObject {
 public:
  explicit TSectionBase(TSectionList* document) : Document(document) {}

  int GetYPosition() const override { return YPosition; }

  // The cells the item owns, in document order.
  virtual int ChildCellCount() { return 0; }
  virtual TCellBasic* ChildCell(int /*index*/) { return nullptr; }
  // Moves the items of the item's cells to `out`, so that a deep tree can be
  // freed one level at a time instead of by recursion.
  virtual void DetachChildren(std::vector<std::unique_ptr<TSectionBase>>& /*out*/) {}
  // Called by the cell the item is added to; false when nothing of the item
  // is left that the document needs, and the cell drops it.
  virtual bool FinishForCell() { return true; }
  // Content that is not displayed takes no text positions and no part in
  // the text of the document.
  virtual bool IsDisplayed() const { return true; }

  // The item's own contribution to the selected text [selStart, selEnd);
  // true when its cells follow, and EndSelectedText runs after them.
  virtual bool CollectSelectedText(TSelTextCount& /*collector*/, int /*selStart*/,
                                   int /*selEnd*/) {
    return false;
  }
  virtual void EndSelectedText(TSelTextCount& /*collector*/, int /*selEnd*/) {}

  // Geometry. Lays the item out with its left edge at x and its top at y in
  // a cell `width` pixels wide, whose free room `indents` keeps. The item
  // takes its text positions from `cursor` on and leaves the cursor after
  // them, raises maxWidth to the widest line it made, and returns its
  // height. Without geometry of its own an item is a fixed height.
  virtual int Layout(int x, int y, int width, int& cursor, int& maxWidth, IndentManager& indents);
  // The narrowest width the item fits into, and the width it takes when
  // nothing has to be broken.
  virtual void MeasureWidths(int& minWidth, int& maxWidth) { minWidth = maxWidth = 0; }

  // Text and source positions of the item's own text; -1 when it has none
  // there.
  virtual int SourceOfPosition(int /*position*/) const { return -1; }
  virtual int PositionOfSource(int /*sourcePosition*/, bool /*exact*/) const { return -1; }
  virtual TSection* CharacterAt(int /*position*/, char16_t& /*ch*/) { return nullptr; }

  TSectionList* Document;
  int Height = 0;
  int PaintHeight = 0;
  int TextStart = 0;
  int TextLength = 0;
  int ZOrder = 0;
  int YPosition = kNoYPosition;
  int BoxBottom = 0;
  int BoxTop = 0;
  int PaintBottom = 0;
  int PaintTop = 0;
};

using TItemList = std::vector<std::unique_ptr<TSectionBase>>;

}  // namespace folverin
