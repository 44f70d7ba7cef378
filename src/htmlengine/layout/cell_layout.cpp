// Cells lay their items out one below the other. A TCell keeps the floats
// and indents of everything inside it.
#include <algorithm>

#include "htmlengine/document/cell.h"
#include "htmlengine/document/section_list.h"
#include "htmlengine/document/text_positions.h"
#include "htmlengine/support/layout_limits.h"

namespace folverin {

namespace {

// Layout recurses through every cell it enters. Deeper than the builder
// ever nests, the content only gets its text positions.
constexpr int kMaxLayoutDepth = 400;

class TLayoutDepth {
 public:
  explicit TLayoutDepth(TSectionList& document) : Document(document) { ++Document.LayoutDepth; }
  ~TLayoutDepth() { --Document.LayoutDepth; }
  TLayoutDepth(const TLayoutDepth&) = delete;
  TLayoutDepth& operator=(const TLayoutDepth&) = delete;
  bool TooDeep() const { return Document.LayoutDepth > kMaxLayoutDepth; }

 private:
  TSectionList& Document;
};

}  // namespace

int TCellBasic::Layout(int x, int y, int width, int& cursor, int& maxWidth, IndentManager& indents) {
  TLayoutDepth depth(*Document);
  if (depth.TooDeep()) {
    AssignTextPositions(*this, y, cursor);
    return 0;
  }
  CellY = y;
  TextStart = cursor;
  int itemY = y;
  for (const auto& item : Items)
    itemY = AddLayoutY(itemY, item->Layout(x, itemY, width, cursor, maxWidth, indents));
  TextLength = cursor - TextStart;
  ContentBottom = itemY;
  return itemY - y;
}

void TCellBasic::MeasureWidths(int& minWidth, int& maxWidth) {
  minWidth = maxWidth = 0;
  TLayoutDepth depth(*Document);
  if (depth.TooDeep()) return;
  for (const auto& item : Items) {
    int itemMin = 0, itemMax = 0;
    item->MeasureWidths(itemMin, itemMax);
    minWidth = std::max(minWidth, itemMin);
    maxWidth = std::max(maxWidth, itemMax);
  }
}

int TCell::Layout(int /*x*/, int y, int width, int& cursor, int& maxWidth, IndentManager& /*indents*/) {
  TLayoutDepth depth(*Document);
  if (depth.TooDeep()) {
    AssignTextPositions(*this, y, cursor);
    return 0;
  }
  Indents.Reset(0, width);
  Indents.CellWidth = width;
  const void* savedOwner = Indents.CurrentOwner;
  Indents.CurrentOwner = this;
  const int left = Indents.AddLeftMargin(0, y);
  const int right = Indents.AddRightMargin(width, y);

  CellY = y;
  TextStart = cursor;
  int itemY = y;
  for (int i = 0; i < Count(); ++i)
    itemY = AddLayoutY(itemY, Item(i)->Layout(0, itemY, width, cursor, maxWidth, Indents));
  TextLength = cursor - TextStart;
  ContentBottom = itemY;

  // Removed right side first: the indexes were taken in that order.
  Indents.RemoveRight(right);
  Indents.RemoveLeft(left);
  Indents.CurrentOwner = savedOwner;
  return std::max(itemY, Indents.LowestFloatBottom()) - y;
}

}  // namespace folverin
