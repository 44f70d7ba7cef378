#include "htmlengine/document/cell.h"

#include <iterator>

#include "htmlengine/document/document_walk.h"
#include "htmlengine/document/section.h"
#include "htmlengine/document/section_list.h"

namespace folverin {

namespace {

// An item is visited while the selection starts before its end; the walk of
// a cell ends at the first item that starts at or after the selection end.
class TSelectedTextVisitor : public TDocumentVisitor {
 public:
  TSelectedTextVisitor(TSelTextCount& collector, int selStart, int selEnd)
      : Collector(collector), SelStart(selStart), SelEnd(selEnd) {}
  bool EnterCell(TCellBasic&) override { return SelStart < SelEnd; }
  TWalkStep EnterItem(TSectionBase& item) override {
    if (item.TextStart >= SelEnd) return TWalkStep::EndCell;
    if (SelStart >= item.TextStart + item.TextLength) return TWalkStep::Skip;
    return item.CollectSelectedText(Collector, SelStart, SelEnd) ? TWalkStep::Descend
                                                                 : TWalkStep::Skip;
  }
  void LeaveItem(TSectionBase& item) override { item.EndSelectedText(Collector, SelEnd); }

 private:
  TSelTextCount& Collector;
  int SelStart, SelEnd;
};

}  // namespace

TCellBasic::TCellBasic(TSectionList* document)
    : Document(document),
      ArenaUse(std::in_place, document->SectionArena),
      Items(document->SectionArena.Resource()) {}

TCellBasic::TCellBasic(TSectionList* document, std::pmr::memory_resource* itemMemory)
    : Document(document), Items(itemMemory) {}

TCellBasic::~TCellBasic() { FreeItems(); }

void TCellBasic::FreeItems() {
  // Every cell of a torn-down tree passes here once its items have been
  // moved out; most are empty by then.
  if (Items.empty()) return;
  TItemList pending;
  MoveItemsTo(pending);
  while (!pending.empty()) {
    std::unique_ptr<TSectionBase> item = std::move(pending.back());
    pending.pop_back();
    item->DetachChildren(pending);
  }
}

void TCellBasic::MoveItemsTo(TItemList& out) {
  out.insert(out.end(), std::make_move_iterator(Items.begin()), std::make_move_iterator(Items.end()));
  Items.clear();
}

std::unique_ptr<TSectionBase> TCellBasic::RemoveItem(int index) {
  if (index < 0 || index >= Count()) return nullptr;
  std::unique_ptr<TSectionBase> item = std::move(Items[index]);
  Items.erase(Items.begin() + index);
  return item;
}

void TCellBasic::AddItem(std::unique_ptr<TSectionBase> item) {
  if (!item) return;
  if (!item->FinishForCell()) return;  // freeing it takes its names and link runs along
  item->Document = Document;
  // Most cells hold a few items: one allocation for them, not one per doubling.
  if (Items.capacity() == 0) Items.reserve(4);
  Items.push_back(std::move(item));
}

void TCellBasic::CollectSelectedText(TSelTextCount& collector, int selStart, int selEnd) {
  TSelectedTextVisitor visitor(collector, selStart, selEnd);
  WalkDocumentTree(*this, visitor);
}

int TCellBasic::SourceOfPosition(int position) {
  int result = -1;
  // Only an item whose range holds the position can answer for it.
  WalkItems(*this, [&](TSectionBase& item) {
    if (!item.IsDisplayed() || position < item.TextStart ||
        position >= item.TextStart + item.TextLength)
      return TWalkStep::Skip;
    result = item.SourceOfPosition(position);
    return result >= 0 ? TWalkStep::Stop : DescendIfCells(item);
  });
  return result;
}

int TCellBasic::PositionOfSource(int sourcePosition, bool exact, bool backward) {
  int result = -1;
  // Only sections answer, so the last answer in document order is the
  // first one met from the back.
  WalkItems(*this, [&](TSectionBase& item) {
    if (!item.IsDisplayed()) return TWalkStep::Skip;
    const int found = item.PositionOfSource(sourcePosition, exact);
    if (found >= 0) {
      result = found;
      if (!backward) return TWalkStep::Stop;
    }
    return DescendIfCells(item);
  });
  return result;
}

TSection* TCellBasic::CharacterAt(int position, char16_t& ch) {
  TSection* found = nullptr;
  if (position < TextStart || position >= TextStart + TextLength) return nullptr;
  WalkItems(*this, [&](TSectionBase& item) {
    if (!item.IsDisplayed() || position < item.TextStart ||
        position >= item.TextStart + item.TextLength)
      return TWalkStep::Skip;
    found = item.CharacterAt(position, ch);
    return found ? TWalkStep::Stop : DescendIfCells(item);
  });
  return found;
}

}  // namespace folverin
