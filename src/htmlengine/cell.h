// Cells: the ordered, owning lists of items that make up the document, the
// content of a block and the content of a table cell.
#pragma once

#include <memory>

#include "common/ansi_string.h"
#include "htmlengine/property_slots.h"
#include "htmlengine/section_item.h"

namespace folverin {

class TCellBasic {
 public:
  explicit TCellBasic(TSectionList* document) : Document(document) {}
  TCellBasic(const TCellBasic&) = delete;
  TCellBasic& operator=(const TCellBasic&) = delete;
  virtual ~TCellBasic();

  // Appends an item. A section that received text is finished first, and
  // dropped when nothing of it is left that the document needs.
  void AddItem(std::unique_ptr<TSectionBase> item);

  int Count() const { return static_cast<int>(Items.size()); }
  TSectionBase* Item(int index) const { return Items[index].get(); }
  TItemList TakeItems();
  // Takes one item out of the cell (a body replaced, an item dropped).
  std::unique_ptr<TSectionBase> RemoveItem(int index);
  // Frees every item, the deepest trees included, without recursion.
  void FreeItems();

  void CollectSelectedText(TSelTextCount& collector, int selStart, int selEnd);
  int SourceOfPosition(int position);
  int PositionOfSource(int sourcePosition, bool exact);
  // The section holding the text position and its character, or nullptr.
  TSection* CharacterAt(int position, char16_t& ch);

  TSectionList* Document;
  int CellY = 0;
  int TextStart = 0;
  int TextLength = 0;
  bool BkGnd = false;
  TColour BkColor = NoColour;
  int ContentBottom = 0;
  int DrawTop = 0;
  int DrawBottom = 0;
  AnsiString CellTag;  // the tag of the property set in force when the cell was made

 private:
  TItemList Items;
};

// A cell with its own floats and indents: a table cell, and the document.
class TCell : public TCellBasic {
 public:
  using TCellBasic::TCellBasic;
};

// The content cell of a block.
class TBlockCell : public TCellBasic {
 public:
  using TCellBasic::TCellBasic;
};

}  // namespace folverin
