// Tables for layout tests: cells holding an item of known widths and
// height, so that column and row sizes come out as exact numbers, and
// tables taken from parsed documents.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "htmlengine/builder/document_builder.h"
#include "htmlengine/document/block.h"
#include "htmlengine/document/document_walk.h"
#include "htmlengine/document/html_table.h"
#include "htmlengine/document/section_list.h"

namespace folverin::test {

// An item that is `Min` to `Max` pixels wide and `FixedHeight` high.
class TFixedItem : public TSectionBase {
 public:
  TFixedItem(TSectionList* document, int min, int max, int height)
      : TSectionBase(document), Min(min), Max(max), FixedHeight(height) {}
  int Layout(int /*x*/, int y, int width, int& cursor, int& /*maxWidth*/, IndentManager&) override {
    YPosition = y;
    TextStart = cursor;
    TextLength = 0;
    LaidOutWidth = width;
    ++Layouts;
    Height = FixedHeight;
    return Height;
  }
  void MeasureWidths(int& minWidth, int& maxWidth) override {
    ++Measures;
    minWidth = Min;
    maxWidth = Max;
  }
  int Min, Max, FixedHeight;
  int LaidOutWidth = -1;
  int Layouts = 0;
  int Measures = 0;
};

// A table that is not part of any document tree, laid out on its own.
class TTableFixture {
 public:
  TTableFixture() : Table(std::make_unique<ThtmlTable>(&Doc)) {}

  TCellList& AddRow() {
    Table->AddRow(std::make_unique<TCellList>());
    return *Table->MutableRows().back();
  }
  TCellObj& AddCell(TCellList& row, int min, int max, int height, TFixedItem** item = nullptr) {
    auto cell = std::make_unique<TCellObj>(&Doc);
    auto content = std::make_unique<TFixedItem>(&Doc, min, max, height);
    if (item) *item = content.get();
    cell->Cell.AddItem(std::move(content));
    row.Add(std::move(cell));
    return *row.Cells.back();
  }
  // A new layout pass `width` pixels wide; returns the table's height.
  int Layout(int width) {
    ++Doc.LayoutPass;
    Indents.Reset(0, width);
    int cursor = 0, widest = 0;
    return Table->Layout(0, 0, width, cursor, widest, Indents);
  }
  std::vector<int> Widths() const {
    return std::vector<int>(Table->Widths.begin(), Table->Widths.begin() + Table->ColumnCount);
  }

  TSectionList Doc;
  std::unique_ptr<ThtmlTable> Table;
  IndentManager Indents;
};

// The first table of a parsed document, in document order.
inline ThtmlTable* FirstTable(TCellBasic& root) {
  ThtmlTable* found = nullptr;
  WalkItems(root, [&](TSectionBase& item) {
    if ((found = dynamic_cast<ThtmlTable*>(&item))) return TWalkStep::Stop;
    return DescendIfCells(item);
  });
  return found;
}

inline TTableBlock* FirstTableBlock(TCellBasic& root) {
  TTableBlock* found = nullptr;
  WalkItems(root, [&](TSectionBase& item) {
    if ((found = dynamic_cast<TTableBlock*>(&item))) return TWalkStep::Stop;
    return DescendIfCells(item);
  });
  return found;
}

// The whole text of the laid-out document.
inline std::u16string WholeText(TSectionList& document) {
  document.SelectionStart = 0;
  document.SelectionEnd = document.TextLength;
  const int n = document.GetSelectedLength();
  std::u16string text(n + 1, u'\0');
  const int written = document.CopySelectedText(text.data(), n + 1);
  text.resize(written);
  return text;
}

}  // namespace folverin::test
