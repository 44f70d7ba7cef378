// Block boxes (TBlock and its kinds): an item that owns a cell of its own.
#pragma once

#include <memory>

#include "common/ansi_string.h"
#include "htmlengine/document/cell.h"
#include "htmlengine/style/property_derived_values.h"

namespace folverin {

class TAttributeList;
class TFloatingObj;
class ThtmlTable;
class THorzLine;
class TProperties;

class TBlock : public TSectionBase {
 public:
  // Takes tag, class, display, float, clear, position and visibility from
  // the property set; an ID attribute registers the block.
  TBlock(TSectionList* document, TCellBasic* parentCell, TProperties& properties,
         TAttributeList* attributes);
  ~TBlock() override;

  int ChildCellCount() override { return 1; }
  TCellBasic* ChildCell(int index) override { return index == 0 ? &Cell : nullptr; }
  void DetachChildren(TItemList& out) override;
  bool IsDisplayed() const override { return !NotDisplayed; }

  int Layout(int x, int y, int width, int& cursor, int& maxWidth, IndentManager& indents) override;
  void MeasureWidths(int& minWidth, int& maxWidth) override;

  bool CollectSelectedText(TSelTextCount& collector, int selStart, int selEnd) override;
  // A paragraph is followed by an empty line when text follows it.
  void EndSelectedText(TSelTextCount& collector, int selEnd) override;

  TBlockCell Cell;  // part of the block: one allocation for both
  TCellBasic* ParentCell;
  AnsiString TagAndClass;  // "p." for a paragraph without class
  bool NotDisplayed = false;
  int FloatSide = 0;       // 5 left, 6 right
  int ClearMode = 0;
  int PositionMode = 0;    // 0 static, 1 absolute, 2 relative
  int VisibilityMode = 0;
  AnsiString TitleText;
  std::unique_ptr<TFloatingObj> BackgroundImage;

  // Margins, borders, paddings and size from the style; percentages of the
  // containing width are kept apart (WidthPercent, tenths of a percent).
  TBoxMeasures Box;
  int WidthPercent = 0;
  // After layout: the content box.
  int ContentLeft = 0;
  int ContentWidth = 0;

 protected:
  // The horizontal room the box takes around its content.
  int HorizontalExtra() const;
  int VerticalExtraTop() const;
  int VerticalExtraBottom() const;
  // The left margin, border and padding: where the content starts.
  int LeftExtra() const;
  int HorizontalMargins() const;
  // Below the floats that the block's clear mode has to pass.
  int ClearedY(int y, const IndentManager& indents) const;
  // Lays the content cell out at the given content box; the block's height.
  int LayoutContent(int contentX, int y, int contentWidth, int& cursor, int& maxWidth,
                    IndentManager& indents);
};

// The document body.
class TBodyBlock : public TBlock {
 public:
  using TBlock::TBlock;
};

// A list item; its bullet or number is painted, not text.
class TBlockLI : public TBlock {
 public:
  using TBlock::TBlock;
  int ListType = 0;
  int ListNumber = 0;
  char ListStyle = '1';
  bool Plain = false;
  int ListDepth = 0;
};

// The box around a table; the table is the item of its cell. Its width is
// chosen from the table's minimum and maximum and the WIDTH asked for.
class TTableBlock : public TBlock {
 public:
  // Takes ALIGN, WIDTH, HEIGHT, HSPACE, VSPACE, BGCOLOR and BACKGROUND.
  TTableBlock(TSectionList* document, TCellBasic* parentCell, TProperties& properties,
              TAttributeList* attributes);

  int Layout(int x, int y, int width, int& cursor, int& maxWidth, IndentManager& indents) override;
  void MeasureWidths(int& minWidth, int& maxWidth) override;

  // The table in the block's cell, or nullptr.
  ThtmlTable* Table() const;

  bool Centred = false;        // ALIGN=center
  int SurroundingAlign = 0;    // text-align code around the table (2 centre, 6 right)
  int WidthAttr = 0;           // pixels, or tenths of a percent; 0 when unset
  bool WidthAttrIsPercent = false;
  int HeightAttr = 0;          // pixels, or tenths of a percent; 0 when unset
  bool HeightAttrIsPercent = false;

 private:
  void TakeAttributes(TProperties& properties, const TAttributeList& attributes);
  void ApplyTableBorder(const ThtmlTable& table);
  void HandBackground(ThtmlTable& table) const;
  int HorizontalBordersAndPaddings() const;
  int ChooseContentWidth(ThtmlTable& table, int available);
  int RequestedHeightOf() const;
  int Justification() const;
  bool StyleHasMargin[4] = {};
  bool BorderApplied = false;
};

// A table with its caption: both blocks are items of its cell.
class TTableAndCaptionBlock : public TBlock {
 public:
  using TBlock::TBlock;
  bool TopCaption = true;
};

// The box around a horizontal rule; the rule is the item of its cell.
class THRBlock : public TBlock {
 public:
  using TBlock::TBlock;
  THorzLine* Line = nullptr;  // held by the block's cell
  int Align = 0;
};

}  // namespace folverin
