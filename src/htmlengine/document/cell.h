// Cells: the ordered, owning lists of items that make up the document, the
// content of a block and the content of a table cell.
#pragma once

#include <memory>
#include <memory_resource>
#include <optional>
#include <vector>

#include "common/ansi_string.h"
#include "htmlengine/document/indent_manager.h"
#include "htmlengine/document/section_arena.h"
#include "htmlengine/document/section_item.h"
#include "htmlengine/style/property_slots.h"

namespace folverin {

class TCellBasic {
 public:
  // The list of items comes from the document's pool of section memory.
  explicit TCellBasic(TSectionList* document);
  TCellBasic(const TCellBasic&) = delete;
  TCellBasic& operator=(const TCellBasic&) = delete;
  virtual ~TCellBasic();

  // Appends an item. A section that received text is finished first, and
  // dropped when nothing of it is left that the document needs.
  void AddItem(std::unique_ptr<TSectionBase> item);

  int Count() const { return static_cast<int>(Items.size()); }
  TSectionBase* Item(int index) const { return Items[index].get(); }
  // Moves the items to the end of `out`, leaving the cell empty.
  void MoveItemsTo(TItemList& out);
  // Takes one item out of the cell (a body replaced, an item dropped).
  std::unique_ptr<TSectionBase> RemoveItem(int index);
  // Frees every item, the deepest trees included, without recursion.
  void FreeItems();

  // Lays the items out one below the other from y and gives them their
  // text positions from `cursor` on; returns the height of the items.
  virtual int Layout(int x, int y, int width, int& cursor, int& maxWidth, IndentManager& indents);
  // The widest minimum and the widest maximum of the items.
  virtual void MeasureWidths(int& minWidth, int& maxWidth);

  void CollectSelectedText(TSelTextCount& collector, int selStart, int selEnd);
  int SourceOfPosition(int position);
  // The first item that holds the source position answers; asked backward,
  // the last one.
  int PositionOfSource(int sourcePosition, bool exact, bool backward = false);
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

 protected:
  // For the document's own cell, which exists before the document's pool.
  TCellBasic(TSectionList* document, std::pmr::memory_resource* itemMemory);

 private:
  // Before the items, so that their list is gone before the pool is let go.
  std::optional<TSectionArena::TUse> ArenaUse;
  std::pmr::vector<std::unique_ptr<TSectionBase>> Items;
};

// A cell with its own floats and indents: a table cell, and the document.
// A cell with indents and floats of its own: the document, a table cell.
class TCell : public TCellBasic {
 public:
  using TCellBasic::TCellBasic;
  // The indent manager passed in is not used: the cell keeps its own.
  int Layout(int x, int y, int width, int& cursor, int& maxWidth, IndentManager& indents) override;

  IndentManager Indents;
};

// The content cell of a block.
class TBlockCell : public TCellBasic {
 public:
  using TCellBasic::TCellBasic;
};

}  // namespace folverin
