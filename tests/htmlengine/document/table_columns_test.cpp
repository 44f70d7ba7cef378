#include <gtest/gtest.h>

#include <chrono>

#include "htmlengine/support/html_engine_error.h"
#include "htmlengine/table_test_support.h"

namespace folverin {
namespace {

using test::FirstTable;
using test::TTableFixture;

TEST(TableColumnsTest, BorderAndSpacingAttributes) {
  TSectionList document;
  ParseDocument("<TABLE BORDER CELLSPACING=99><TR><TD>a<TD STYLE=\"padding-left:7px\">b</TABLE>",
                document);
  ThtmlTable* table = FirstTable(document);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->BorderWidth, 1);
  EXPECT_EQ(table->CellSpacing, 40);
  table->PrepareColumns();
  const TCellObj& a = *table->Rows()[0]->Cells[0];
  const TCellObj& b = *table->Rows()[0]->Cells[1];
  for (int side = 0; side < 4; ++side) {
    EXPECT_GE(a.Border[side], 1);
    EXPECT_EQ(a.Padding[side], 1);
  }
  EXPECT_EQ(a.HorizontalExtra, 4);
  EXPECT_EQ(a.VerticalExtra, 4);
  // A side that the style sets is its own; the others are the table's.
  EXPECT_EQ(b.Padding[3], 7);
  EXPECT_EQ(b.Padding[1], 1);
  EXPECT_EQ(b.HorizontalExtra, 7 + 1 + 2);

  TSectionList plain;
  ParseDocument("<TABLE BORDER=500 CELLPADDING=0><TR><TD>a</TABLE>", plain);
  ThtmlTable* wide = FirstTable(plain);
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(wide->BorderWidth, 100);
  EXPECT_EQ(wide->CellSpacing, 2);
  wide->PrepareColumns();
  EXPECT_EQ(wide->Rows()[0]->Cells[0]->HorizontalExtra, 2);  // borders of 1, no padding
}

TEST(TableColumnsTest, SpansAreFilledAndColumnsCounted) {
  TTableFixture t;
  TCellList& first = t.AddRow();
  t.AddCell(first, 1, 1, 1).ColSpan = 3;
  t.AddCell(first, 1, 1, 1);
  TCellList& second = t.AddRow();
  t.AddCell(second, 1, 1, 1);
  TCellList& third = t.AddRow();
  for (int i = 0; i < 5; ++i) t.AddCell(third, 1, 1, 1);
  t.Table->PrepareColumns();
  ASSERT_EQ(first.Cells.size(), 4u);
  EXPECT_EQ(first.Cells[1]->ColSpan, 0);
  EXPECT_EQ(first.Cells[2]->ColSpan, 0);
  EXPECT_EQ(first.Cells[3]->ColSpan, 1);
  EXPECT_EQ(second.Cells.size(), 1u);
  EXPECT_EQ(t.Table->ColumnCount, 5);
  EXPECT_FALSE(t.Table->HasPixelWidths);
  // Fillers hold no text and are not among the table's cells.
  EXPECT_EQ(t.Table->ChildCellCount(), 2 + 1 + 5);
  EXPECT_EQ(t.Table->ChildCell(1), &first.Cells[3]->Cell);
}

TEST(TableColumnsTest, RowSpansAreCutAndCoverTheRowsBelow) {
  TTableFixture t;
  TCellList& first = t.AddRow();
  t.AddCell(first, 1, 1, 1);
  TCellObj& big = t.AddCell(first, 1, 1, 1);
  big.RowSpan = 2;
  big.ColSpan = 2;
  TCellObj& tall = t.AddCell(first, 1, 1, 1);
  tall.RowSpan = 65535;
  TCellList& second = t.AddRow();
  TCellObj& below = t.AddCell(second, 1, 1, 1);
  t.Table->PrepareColumns();
  EXPECT_EQ(tall.RowSpan, 2);
  EXPECT_EQ(big.RowSpan, 2);
  // Row two: its own cell, then fillers under the 2x2 cell and the tall one.
  ASSERT_EQ(second.Cells.size(), 4u);
  EXPECT_EQ(second.Cells[0].get(), &below);
  for (int c = 1; c < 4; ++c) EXPECT_TRUE(second.Cells[c]->IsFiller()) << c;
  EXPECT_EQ(t.Table->ColumnCount, 4);

  // A covered column in a short row: the row is padded up to it first.
  TTableFixture u;
  TCellList& top = u.AddRow();
  for (int i = 0; i < 3; ++i) u.AddCell(top, 1, 1, 1);
  top.Cells[2]->RowSpan = 3;
  u.AddRow();
  u.AddRow();
  u.Table->PrepareColumns();
  for (int r = 1; r < 3; ++r) {
    ASSERT_EQ(u.Table->Rows()[r]->Cells.size(), 3u);
    for (const auto& entry : u.Table->Rows()[r]->Cells) EXPECT_TRUE(entry->IsFiller());
  }
}

TEST(TableColumnsTest, EmptyEntriesBecomeFillersAndKeepTheTextOrder) {
  TTableFixture t;
  TCellList& first = t.AddRow();
  t.AddCell(first, 1, 1, 1);
  first.Add(nullptr);
  t.AddCell(first, 1, 1, 1);
  TCellBasic* last = &first.Cells[2]->Cell;
  EXPECT_EQ(t.Table->ChildCellCount(), 2);
  t.Table->PrepareColumns();
  ASSERT_NE(first.Cells[1], nullptr);
  EXPECT_TRUE(first.Cells[1]->IsFiller());
  EXPECT_EQ(t.Table->ChildCellCount(), 2);
  EXPECT_EQ(t.Table->ChildCell(1), last);
  EXPECT_EQ(t.Table->ColumnCount, 3);
}

TEST(TableColumnsTest, ColumnDefinitionsAndBackgrounds) {
  TTableFixture t;
  t.Table->ColumnDefs = std::make_unique<std::vector<TColObj>>();
  t.Table->ColumnDefs->push_back({300, true, "", 0});
  t.Table->ColumnDefs->push_back({0, false, "", 0});
  t.Table->ColumnDefs->push_back({80, false, "", 0});
  t.Table->UseBlockBackground = true;
  t.Table->BlockBackgroundColor = 0x00FF00;
  TCellList& row = t.AddRow();
  row.BkColor = 0x0000FF;
  TCellObj& a = t.AddCell(row, 1, 1, 1);
  TCellObj& b = t.AddCell(row, 1, 1, 1);
  b.SpecifiedWidth = 55;
  TCellList& other = t.AddRow();
  TCellObj& c = t.AddCell(other, 1, 1, 1);
  c.Cell.BkColor = 0x123456;
  TCellObj& d = t.AddCell(other, 1, 1, 1);
  t.AddCell(other, 1, 1, 1);
  t.Table->PrepareColumns();
  EXPECT_EQ(a.SpecifiedWidth, 300);
  EXPECT_TRUE(a.WidthIsPercent);
  EXPECT_EQ(b.SpecifiedWidth, 55);  // the definition gives no width
  EXPECT_EQ(other.Cells[2]->SpecifiedWidth, 80);
  EXPECT_TRUE(t.Table->HasPixelWidths);
  EXPECT_EQ(t.Table->ColumnDefs, nullptr);
  EXPECT_EQ(a.Cell.BkColor, 0x0000FFu);  // the row's colour comes first
  EXPECT_EQ(c.Cell.BkColor, 0x123456u);
  EXPECT_EQ(d.Cell.BkColor, 0x00FF00u);
  EXPECT_TRUE(row.BkGnd);
}

TEST(TableColumnsTest, TooManyColumnsFailWithoutBuildingThem) {
  TTableFixture t;
  TCellList& row = t.AddRow();
  for (int i = 0; i < 200; ++i) t.AddCell(row, 1, 1, 1);
  t.Table->PrepareColumns();
  EXPECT_EQ(t.Table->ColumnCount, 200);

  TTableFixture wide;
  TCellList& wideRow = wide.AddRow();
  for (int i = 0; i < 201; ++i) wide.AddCell(wideRow, 1, 1, 1);
  EXPECT_THROW(wide.Table->PrepareColumns(), ETableColumnsError);

  // Spans that reach past the limit, in a row or through row spans.
  TTableFixture spanned;
  spanned.AddCell(spanned.AddRow(), 1, 1, 1).ColSpan = 2'000'000'000;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_THROW(spanned.Table->PrepareColumns(), ETableColumnsError);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));

  TTableFixture stacked;
  TCellList& top = stacked.AddRow();
  for (int i = 0; i < 200; ++i) stacked.AddCell(top, 1, 1, 1).RowSpan = 2;
  stacked.AddCell(stacked.AddRow(), 1, 1, 1);
  EXPECT_THROW(stacked.Table->PrepareColumns(), ETableColumnsError);
}

}  // namespace
}  // namespace folverin
