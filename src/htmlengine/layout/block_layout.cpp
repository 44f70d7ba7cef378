// Block boxes: margins, borders and paddings around a content cell, width
// from the style, blocks that float beside the flow. Only the text positions
// and the lines of the sections inside have to come out exactly; the box
// geometry is this program's own.
#include <algorithm>

#include "htmlengine/document/block.h"
#include "htmlengine/document/horz_line.h"
#include "htmlengine/document/section_list.h"

namespace folverin {

namespace {

int Side(int value) { return value == Auto || value == AutoParagraph || value < 0 ? 0 : value; }

// A border counts only where it is drawn.
int BorderSide(const TBoxMeasures& box, int side) {
  return box.BorderStyleCodes[side] == 0 ? 0 : std::max(0, box.BorderWidth[side]);
}

constexpr int kTop = 0, kRight = 1, kBottom = 2, kLeft = 3;

}  // namespace

int TBlock::HorizontalExtra() const {
  return Side(Box.Margin[kLeft]) + Side(Box.Margin[kRight]) + BorderSide(Box, kLeft) +
         BorderSide(Box, kRight) + Side(Box.Padding[kLeft]) + Side(Box.Padding[kRight]);
}

int TBlock::VerticalExtraTop() const {
  return Side(Box.Margin[kTop]) + BorderSide(Box, kTop) + Side(Box.Padding[kTop]);
}

int TBlock::VerticalExtraBottom() const {
  return Side(Box.Margin[kBottom]) + BorderSide(Box, kBottom) + Side(Box.Padding[kBottom]);
}

int TBlock::LeftExtra() const {
  return Side(Box.Margin[kLeft]) + BorderSide(Box, kLeft) + Side(Box.Padding[kLeft]);
}

int TBlock::HorizontalMargins() const { return Side(Box.Margin[kLeft]) + Side(Box.Margin[kRight]); }

int TBlock::ClearedY(int y, const IndentManager& indents) const {
  if (ClearMode == 0) return y;
  int left = 0, right = 0;
  indents.FloatBottoms(left, right);
  return std::max(y, ClearMode == 1 ? left : ClearMode == 2 ? right : std::max(left, right));
}

int TBlock::LayoutContent(int contentX, int y, int contentWidth, int& cursor, int& maxWidth,
                          IndentManager& indents) {
  ContentLeft = contentX;
  ContentWidth = contentWidth;
  const void* savedOwner = indents.CurrentOwner;
  indents.CurrentOwner = this;
  const int left = indents.AddLeftMargin(contentX - indents.LeftBase, y);
  const int right = indents.AddRightMargin(contentX + contentWidth - indents.LeftBase, y);
  const int top = y + VerticalExtraTop();
  int contentHeight = Cell.Layout(contentX, top, contentWidth, cursor, maxWidth, indents);
  indents.RemoveRight(right);
  indents.RemoveLeft(left);
  indents.CurrentOwner = savedOwner;
  contentHeight = std::max(contentHeight, Side(Box.Height));
  return VerticalExtraTop() + contentHeight + VerticalExtraBottom();
}

int TBlock::Layout(int x, int y, int width, int& cursor, int& maxWidth, IndentManager& indents) {
  const int startY = y;
  YPosition = BoxTop = PaintTop = y;
  if (NotDisplayed) {
    TextStart = TextLength = Height = 0;
    BoxBottom = PaintBottom = y;
    return 0;
  }
  y = ClearedY(y, indents);
  YPosition = BoxTop = PaintTop = y;

  const int extra = HorizontalExtra();
  int contentWidth = std::max(0, width - extra);
  if (WidthPercent > 0)
    contentWidth = std::max(0, static_cast<int>(int64_t{width} * WidthPercent / 1000) - extra);
  else if (Box.Width != Auto && Box.Width > 0)
    contentWidth = Box.Width;

  int blockHeight;
  if (FloatSide == 5 || FloatSide == 6) {
    // A floated block is as wide as its content wants, within the room left.
    int minWidth = 0, maxContent = 0;
    Cell.MeasureWidths(minWidth, maxContent);
    const int room = std::max(0, indents.RightEdge(y) - indents.LeftEdge(y) - extra);
    if (WidthPercent == 0 && (Box.Width == Auto || Box.Width <= 0))
      contentWidth = std::max(minWidth, std::min(maxContent, room));
    const int outer = contentWidth + extra;
    const int blockX = FloatSide == 5 ? indents.LeftEdge(y) : indents.RightEdge(y) - outer;
    const int contentX = blockX + LeftExtra();
    blockHeight = LayoutContent(contentX, y, contentWidth, cursor, maxWidth, indents);
    indents.PlaceFloatBlock(y, FloatSide == 5 ? blockX + outer : outer, FloatSide, blockHeight);
    Height = blockHeight;
    TextStart = Cell.TextStart;
    TextLength = Cell.TextLength;
    BoxBottom = PaintBottom = y + blockHeight;
    return y - startY;  // beside the flow: only a clearance moves it down
  }

  const int contentX = x + LeftExtra();
  blockHeight = LayoutContent(contentX, y, contentWidth, cursor, maxWidth, indents);
  Height = blockHeight;
  TextStart = Cell.TextStart;
  TextLength = Cell.TextLength;
  BoxBottom = PaintBottom = y + Height;
  // Taken out of the flow, an absolutely placed block leaves no room behind.
  return (y - startY) + (PositionMode == 1 ? 0 : Height);
}

void TBlock::MeasureWidths(int& minWidth, int& maxWidth) {
  minWidth = maxWidth = 0;
  if (NotDisplayed) return;
  Cell.MeasureWidths(minWidth, maxWidth);
  if (WidthPercent == 0 && Box.Width != Auto && Box.Width > 0) {
    minWidth = std::max(minWidth, Box.Width);
    maxWidth = std::max(minWidth, Box.Width);
  }
  const int extra = HorizontalExtra();
  minWidth += extra;
  maxWidth += extra;
}

int THorzLine::Layout(int x, int y, int /*width*/, int& cursor, int& maxWidth,
                      IndentManager& indents) {
  YPosition = BoxTop = PaintTop = y;
  TextStart = cursor;
  TextLength = 0;
  const int room = std::max(0, indents.RightEdge(y) - indents.LeftEdge(y));
  int lineWidth = WidthPercent ? static_cast<int>(int64_t{room} * std::clamp(Width, 0, 100) / 100)
                               : std::min(room, std::max(0, Width));
  if (WidthPercent && Width <= 0) lineWidth = room;
  LineWidth = lineWidth;
  LineLeft = Align == 2 ? x + (room - lineWidth) / 2 : Align == 6 ? x + room - lineWidth : x;
  maxWidth = std::max(maxWidth, lineWidth);
  // A little room above and below, as rules are drawn.
  Height = std::max(1, VSize) + 2 * kRuleSpace;
  BoxBottom = PaintBottom = y + Height;
  return Height;
}

void THorzLine::MeasureWidths(int& minWidth, int& maxWidth) {
  minWidth = maxWidth = WidthPercent ? 0 : std::max(0, Width);
}

}  // namespace folverin
