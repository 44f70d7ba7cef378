// A table (ThtmlTable): rows of cell objects, each owning a cell of items,
// and how the table shares its width among the columns and its height among
// the rows.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "common/ansi_string.h"
#include "htmlengine/document/cell.h"
#include "htmlengine/document/floating_obj.h"

namespace folverin {

// More columns than this cannot be laid out.
inline constexpr int kMaxTableColumns = 200;
// Pixel sizes taken from documents are held below this, so that sums of
// them stay far from the int range.
inline constexpr int kMaxTablePixels = 100'000'000;
// A padding side that the cell's style left to the table.
inline constexpr int kUnsetSide = -1;

// Vertical alignment codes of a cell.
inline constexpr uint8_t kVAlignTop = 1;
inline constexpr uint8_t kVAlignMiddle = 2;
inline constexpr uint8_t kVAlignBottom = 4;

// One column definition from COL or COLGROUP.
struct TColObj {
  int Width = 0;  // pixels, or tenths of a percent
  bool WidthIsPercent = false;
  AnsiString Align;
  uint8_t VAlign = 0;  // 0 when not given
};

// One table cell with its span, width and alignment. A filler (ColSpan 0)
// stands where a spanning cell covers a column; it is empty.
class TCellObj {
 public:
  explicit TCellObj(TSectionList* document) : Cell(document) {}
  static std::unique_ptr<TCellObj> Filler(TSectionList* document, int rowSpan);

  bool IsFiller() const { return ColSpan == 0; }

  int ColSpan = 1;
  int RowSpan = 1;
  int AssignedWidth = 0;
  int AssignedHeight = 0;
  int ContentHeight = 0;
  int SpecifiedHeight = 0;
  int VerticalOffset = 0;
  uint8_t VAlign = kVAlignMiddle;
  int SpecifiedWidth = 0;  // pixels, or tenths of a percent
  bool WidthIsPercent = false;
  std::array<int, 4> Padding{kUnsetSide, kUnsetSide, kUnsetSide, kUnsetSide};  // top right bottom left
  std::array<int, 4> Border{};
  int HorizontalExtra = 0;
  int VerticalExtra = 0;
  bool NoWrap = false;
  TCell Cell;  // part of the cell object: one allocation for both
  std::shared_ptr<TImageObj> BackgroundImage;

  // What one layout pass already knows of the content (see table_layout.cpp).
  int MeasuredPass = -1;
  int MeasuredMin = 0, MeasuredMax = 0;
  int HeightPass = -1;
  int HeightWidth = 0;
  int LaidOutPass = -1;
  int LaidOutY = 0, LaidOutWidth = 0, LaidOutCursor = 0, LaidOutHeight = 0;
};

// One row: its cells in column order.
class TCellList {
 public:
  void Add(std::unique_ptr<TCellObj> cell) { Cells.push_back(std::move(cell)); }
  std::vector<std::unique_ptr<TCellObj>> Cells;
  TColour BkColor = NoColour;
  std::shared_ptr<TImageObj> BackgroundImage;
  uint8_t VAlign = kVAlignMiddle;  // the row's VALIGN, the default of its cells
  int RowHeight = 0;
  bool BkGnd = false;  // some cell of the row paints a background
};

class ThtmlTable : public TSectionBase {
 public:
  using TSectionBase::TSectionBase;

  void AddRow(std::unique_ptr<TCellList> row);
  const std::vector<std::unique_ptr<TCellList>>& Rows() const { return Rows_; }
  std::vector<std::unique_ptr<TCellList>>& MutableRows();

  // The cells in row order, left to right; fillers and empty entries left
  // out, as they hold no text.
  int ChildCellCount() override;
  TCellBasic* ChildCell(int index) override;
  void DetachChildren(TItemList& out) override;
  bool CollectSelectedText(TSelTextCount&, int, int) override { return true; }
  int Layout(int x, int y, int width, int& cursor, int& maxWidth, IndentManager& indents) override;
  void MeasureWidths(int& minWidth, int& maxWidth) override;

  // Spans, fillers, paddings, borders and column definitions; once. Throws
  // ETableColumnsError for more than kMaxTableColumns columns.
  void PrepareColumns();
  // Set when the columns could not be prepared: the table is then reported
  // once and laid out as its text alone.
  bool ColumnsFailed = false;

  // Column minimum and maximum widths, each including one CellSpacing.
  struct TColumnMeasure {
    std::vector<int64_t> MinW, MaxW;
    int64_t Tmin = 0, Tmax = 0;
  };
  TColumnMeasure MeasureColumns();
  // Also fills Percents; tableWidth turns pixel widths into shares.
  TColumnMeasure MeasureColumnsPercent(int tableWidth);
  void ShareWidth(int64_t width);
  void SharePercentWidth(int64_t width, const TColumnMeasure& measure);

  int ColumnCount = 0;
  int BorderWidth = 0;
  int CellPadding = 1;
  int CellSpacing = 2;
  TColour BorderColorLight = clBtnHighlight;
  TColour BorderColorDark = clBtnShadow;
  std::unique_ptr<std::vector<TColObj>> ColumnDefs;
  bool Prepared = false;
  bool HasPixelWidths = false;
  int RequestedWidth = 0;
  int RequestedHeight = 0;
  bool UseBlockBackground = false;
  TColour BlockBackgroundColor = NoColour;
  std::array<int, kMaxTableColumns + 1> Widths{};
  std::array<int, kMaxTableColumns + 1> Percents{};
  int TableWidth = 0;
  int TableHeight = 0;
  int Left = 0;

 private:
  void UpdateCellOrder();
  // PrepareColumns, or false for a table of too many columns.
  bool ColumnsReady();
  int TextOnlyLayout(int y, int& cursor);
  void PrepareRow(TCellList& row);
  void SpreadRowSpans();
  void ApplyColumnDefinitions();
  // The content's minimum and maximum, once per layout pass.
  void MeasureCell(TCellObj& cell, int& minWidth, int& maxWidth);
  void ChooseWidths(int64_t width, bool fixed);
  void ShareByPercent(int64_t width, TColumnMeasure& measure);
  void FinishWidths(const std::vector<int64_t>& widths);
  std::vector<int64_t> RowHeights(int y, int cursor);
  int CellTop(const TCellObj& cell, int64_t rowTop) const;
  // Lays the content out, unless this pass already did so at the same place.
  int LayoutCell(TCellObj& cell, int y, int& cursor);
  void PlaceCells(const std::vector<int64_t>& heights, int& cursor);
  int ContentWidth(const TCellObj& cell) const;

  std::vector<std::unique_ptr<TCellList>> Rows_;
  std::vector<TCellBasic*> CellOrder;
  bool CellOrderValid = true;
  // MeasureWidths of the last layout pass, for the width it was asked with.
  int MeasuredPass = -1;
  int MeasuredRequest = 0;
  int MeasuredMin = 0, MeasuredMax = 0;
};

}  // namespace folverin
