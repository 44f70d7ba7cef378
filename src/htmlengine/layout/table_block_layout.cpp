// Layout of the box around a table: the box is as wide as the table wants
// within the room there is (or as WIDTH says, never narrower than the
// table's minimum), and a table narrower than the room is centred or moved
// right as its alignment says.
#include <algorithm>

#include "htmlengine/document/block.h"
#include "htmlengine/document/html_table.h"
#include "htmlengine/document/section_list.h"
#include "htmlengine/support/mul_div.h"

namespace folverin {

namespace {

constexpr int kOutsetBorder = 3;
constexpr int kCentre = 2;
constexpr int kRight = 6;

}  // namespace

int TTableBlock::HorizontalBordersAndPaddings() const { return HorizontalExtra() - HorizontalMargins(); }

void TTableBlock::ApplyTableBorder(const ThtmlTable& table) {
  if (BorderApplied) return;
  BorderApplied = true;
  if (table.BorderWidth <= 0) return;
  if (std::any_of(Box.BorderStyleCodes.begin(), Box.BorderStyleCodes.end(),
                  [](int code) { return code != 0; }))
    return;
  Box.BorderStyleCodes.fill(kOutsetBorder);
  Box.BorderWidth.fill(table.BorderWidth);
}

void TTableBlock::HandBackground(ThtmlTable& table) const {
  if (Box.BackgroundColour == NoColour || BackgroundImage) return;
  table.UseBlockBackground = true;
  table.BlockBackgroundColor = Box.BackgroundColour;
}

int TTableBlock::Justification() const {
  if (Centred) return kCentre;
  if (FloatSide == kAlignLeftFloat || FloatSide == kAlignRightFloat) return 0;
  return SurroundingAlign == kCentre || SurroundingAlign == kRight ? SurroundingAlign : 0;
}

int TTableBlock::ChooseContentWidth(ThtmlTable& table, int available) {
  table.RequestedWidth = 0;
  int tableMin = 0, tableMax = 0;
  table.MeasureWidths(tableMin, tableMax);
  if (WidthAttr <= 0) {
    const int room = available - HorizontalExtra();
    return tableMax <= room ? tableMax : std::max(tableMin, room);
  }
  const int64_t wanted = WidthAttrIsPercent
                             ? MulDiv(available, WidthAttr, 1000) - HorizontalExtra()
                             : int64_t{WidthAttr} - HorizontalBordersAndPaddings();
  const int width = static_cast<int>(std::max<int64_t>(tableMin, wanted));
  table.RequestedWidth = std::max(0, width);
  return width;
}

int TTableBlock::RequestedHeightOf() const {
  if (Box.Height > 0) return Box.Height;
  if (HeightAttr <= 0) return 0;
  if (!HeightAttrIsPercent) return HeightAttr;
  return static_cast<int>(MulDiv(Document->ClientHeight, HeightAttr, 1000));
}

int TTableBlock::Layout(int x, int y, int width, int& cursor, int& maxWidth, IndentManager& indents) {
  ThtmlTable* table = NotDisplayed ? nullptr : Table();
  if (!table) return TBlock::Layout(x, y, width, cursor, maxWidth, indents);
  YPosition = BoxTop = PaintTop = y;
  y = ClearedY(y, indents);
  ApplyTableBorder(*table);
  HandBackground(*table);

  const int left = indents.LeftEdge(y);
  const int available = indents.RightEdge(y) - left;
  const int contentWidth = std::max(0, ChooseContentWidth(*table, available));
  table->RequestedHeight = RequestedHeightOf();
  const int outer = contentWidth + HorizontalExtra();

  const bool floating = FloatSide == kAlignLeftFloat || FloatSide == kAlignRightFloat;
  int blockX = left;
  if (floating && FloatSide == kAlignRightFloat) blockX = indents.RightEdge(y) - outer;
  const int spare = available - outer;
  if (!floating && spare > 0 && HorizontalMargins() == 0) {
    if (Justification() == kCentre) blockX += spare / 2;
    else if (Justification() == kRight) blockX += spare;
  }
  const int blockHeight = LayoutContent(blockX + LeftExtra(), y, contentWidth, cursor, maxWidth, indents);
  TextStart = Cell.TextStart;
  TextLength = Cell.TextLength;
  if (floating) {
    indents.PlaceFloatBlock(y, FloatSide == kAlignLeftFloat ? blockX + outer : outer, FloatSide, blockHeight);
    Height = blockHeight;
    BoxBottom = PaintBottom = y + blockHeight;
    return y - YPosition;
  }
  Height = blockHeight + (y - YPosition);
  BoxBottom = PaintBottom = YPosition + Height;
  return PositionMode == 1 ? y - YPosition : Height;
}

void TTableBlock::MeasureWidths(int& minWidth, int& maxWidth) {
  ThtmlTable* table = NotDisplayed ? nullptr : Table();
  if (!table) return TBlock::MeasureWidths(minWidth, maxWidth);
  ApplyTableBorder(*table);
  HandBackground(*table);
  const int bordersAndPaddings = HorizontalBordersAndPaddings();
  if (!WidthAttrIsPercent && WidthAttr > bordersAndPaddings) {
    const int v = WidthAttr - bordersAndPaddings;
    table->RequestedWidth = v;
    table->MeasureWidths(minWidth, maxWidth);
    minWidth = maxWidth = std::max(minWidth, v);
  } else {
    table->RequestedWidth = 0;
    table->MeasureWidths(minWidth, maxWidth);
  }
  minWidth += HorizontalExtra();
  maxWidth += HorizontalExtra();
}

}  // namespace folverin
