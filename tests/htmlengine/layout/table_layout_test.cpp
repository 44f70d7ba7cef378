#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "htmlengine/table_test_support.h"

namespace folverin {
namespace {

using test::FirstTable;
using test::TFixedItem;
using test::TTableFixture;
using test::WholeText;

// Defaults: CellSpacing 2 and CellPadding 1, so every column carries
// 2 + 1 + 1 = 4 pixels beside its content.

TEST(TableLayoutTest, ColumnWidthsFromContent) {
  TTableFixture t;
  TCellList& row = t.AddRow();
  t.AddCell(row, 10, 50, 5);
  t.AddCell(row, 20, 30, 5);
  int min = 0, max = 0;
  t.Table->MeasureWidths(min, max);
  EXPECT_EQ(min, 14 + 24 + 2);
  EXPECT_EQ(max, 54 + 34 + 2);
  // Room enough: every column at its maximum.
  t.Layout(800);
  EXPECT_EQ(t.Widths(), (std::vector<int>{54, 34}));
  EXPECT_EQ(t.Table->TableWidth, 90);
  // Between minimum and maximum, 30 of the 50 pixels of difference.
  t.Layout(70);
  EXPECT_EQ(t.Widths(), (std::vector<int>{14 + 24, 24 + 6}));
  EXPECT_EQ(t.Table->TableWidth, 70);
  // Too narrow: the minimum.
  t.Layout(10);
  EXPECT_EQ(t.Widths(), (std::vector<int>{14, 24}));
  EXPECT_EQ(t.Table->TableWidth, 40);
  EXPECT_EQ(row.Cells[0]->AssignedWidth, 14);
}

TEST(TableLayoutTest, PixelWidthOfASingleCell) {
  TTableFixture t;
  TCellList& row = t.AddRow();
  t.AddCell(row, 10, 50, 5).SpecifiedWidth = 100;
  TFixedItem* second = nullptr;
  t.AddCell(row, 20, 30, 5, &second);
  const ThtmlTable::TColumnMeasure m = [&] {
    t.Table->PrepareColumns();
    return t.Table->MeasureColumns();
  }();
  EXPECT_EQ(m.MinW, (std::vector<int64_t>{14, 24}));
  EXPECT_EQ(m.MaxW, (std::vector<int64_t>{104, 34}));
  EXPECT_TRUE(t.Table->HasPixelWidths);
  // 98 pixels for the columns: 60 of the 100 spare go by the differences.
  t.Layout(100);
  EXPECT_EQ(t.Widths(), (std::vector<int>{14 + 54, 24 + 6}));
  EXPECT_EQ(t.Table->TableWidth, 100);
  EXPECT_EQ(second->LaidOutWidth, 30 - 4);
  t.Layout(1000);
  EXPECT_EQ(t.Widths(), (std::vector<int>{104, 34}));

  // A width below the content's maximum drops that maximum.
  TTableFixture narrow;
  TCellList& only = narrow.AddRow();
  narrow.AddCell(only, 10, 50, 5).SpecifiedWidth = 5;
  narrow.Table->PrepareColumns();
  EXPECT_EQ(narrow.Table->MeasureColumns().MaxW, (std::vector<int64_t>{14}));
}

TEST(TableLayoutTest, PixelWidthOfASpanningCell) {
  TTableFixture t;
  TCellList& top = t.AddRow();
  t.AddCell(top, 10, 10, 5);
  t.AddCell(top, 10, 10, 5);
  TCellObj& span = t.AddCell(t.AddRow(), 10, 10, 5);
  span.ColSpan = 2;
  span.SpecifiedWidth = 100;
  t.Table->PrepareColumns();
  const ThtmlTable::TColumnMeasure m = t.Table->MeasureColumns();
  EXPECT_EQ(m.MinW, (std::vector<int64_t>{50, 50}));
  EXPECT_EQ(m.MaxW, (std::vector<int64_t>{50, 50}));

  // Without a pixel width the spanning cell's extra is spread by share.
  TTableFixture u;
  TCellList& first = u.AddRow();
  u.AddCell(first, 10, 20, 5);
  u.AddCell(first, 30, 40, 5);
  u.AddCell(u.AddRow(), 100, 200, 5).ColSpan = 2;
  u.Table->PrepareColumns();
  const ThtmlTable::TColumnMeasure p = u.Table->MeasureColumnsPercent(0);
  EXPECT_EQ(p.MinW, (std::vector<int64_t>{30, 74}));
  EXPECT_EQ(p.MaxW, (std::vector<int64_t>{72, 132}));
  EXPECT_EQ(p.Tmin, 104);
}

TEST(TableLayoutTest, PercentColumnsWithoutTableWidth) {
  TTableFixture t;
  TCellList& row = t.AddRow();
  TCellObj& a = t.AddCell(row, 10, 50, 5);
  a.SpecifiedWidth = 300;
  a.WidthIsPercent = true;
  TCellObj& b = t.AddCell(row, 10, 90, 5);
  b.SpecifiedWidth = 700;
  b.WidthIsPercent = true;
  // The first column needs 54 / 30% = 180 pixels, the second 94 / 70% = 134.
  t.Layout(800);
  EXPECT_EQ(t.Widths(), (std::vector<int>{54, 126}));
  EXPECT_EQ(t.Table->TableWidth, 182);
}

TEST(TableLayoutTest, FixedWidthSparesGoToColumnsWithoutPercent) {
  auto layout = [](int maxB, int maxC) {
    TTableFixture t;
    TCellList& row = t.AddRow();
    TCellObj& a = t.AddCell(row, 10, 10, 5);
    a.SpecifiedWidth = 500;
    a.WidthIsPercent = true;
    t.AddCell(row, 10, maxB, 5);
    t.AddCell(row, 10, maxC, 5);
    t.Table->RequestedWidth = 402;
    t.Layout(800);
    EXPECT_EQ(t.Table->TableWidth, 402);
    return t.Widths();
  };
  // 172 spare; the differences (10 and 100) are above a quarter of it.
  EXPECT_EQ(layout(20, 110), (std::vector<int>{200, 30, 170}));
  // Differences of 2 and 4 are below: equal shares.
  EXPECT_EQ(layout(12, 14), (std::vector<int>{200, 100, 100}));
}

TEST(TableLayoutTest, RowHeightsWithRowSpans) {
  TTableFixture t;
  TCellList& first = t.AddRow();
  TFixedItem* a = nullptr;
  TCellObj& cellA = t.AddCell(first, 10, 10, 10, &a);
  TCellObj& tall = t.AddCell(first, 10, 10, 101);
  tall.RowSpan = 2;
  TCellList& second = t.AddRow();
  t.AddCell(second, 10, 10, 20);
  // Round one: 10 + 2 + 2 and 20 + 2 + 2; the spanning cell needs
  // 101 + 2 + 2 = 105, so 67 more, 33 each and the remainder to the last.
  EXPECT_EQ(t.Layout(800), 47 + 58 + 2);
  EXPECT_EQ(first.RowHeight, 47);
  EXPECT_EQ(second.RowHeight, 58);
  EXPECT_EQ(tall.AssignedHeight, 105);
  EXPECT_EQ(cellA.AssignedHeight, 47);
  // Middle alignment: (47 - 10 - 2 - 2) / 2 below the top padding.
  EXPECT_EQ(cellA.VerticalOffset, 16);
  EXPECT_EQ(a->YPosition, 2 + 1 + 16);
  EXPECT_EQ(t.Table->TableHeight, 107);
}

TEST(TableLayoutTest, VerticalAlignmentAndRequestedHeight) {
  TTableFixture t;
  TCellList& row = t.AddRow();
  TFixedItem *top = nullptr, *middle = nullptr, *bottom = nullptr;
  t.AddCell(row, 10, 10, 10, &top).VAlign = kVAlignTop;
  t.AddCell(row, 10, 10, 11, &middle).VAlign = kVAlignMiddle;
  t.AddCell(row, 10, 10, 10, &bottom).VAlign = kVAlignBottom;
  t.AddCell(row, 10, 10, 30).SpecifiedHeight = 40;  // taller than its content
  TCellList& second = t.AddRow();
  t.AddCell(second, 10, 10, 10);
  t.Table->RequestedHeight = 200;
  // Rows of 42 and 14 grow by (200 - 56 - 2) / 2 each; the last takes the rest.
  EXPECT_EQ(t.Layout(800), 200);
  EXPECT_EQ(row.RowHeight, 42 + 71);
  EXPECT_EQ(second.RowHeight, 198 - 113);
  const int top0 = 2 + 1;
  EXPECT_EQ(top->YPosition, top0);
  EXPECT_EQ(middle->YPosition, top0 + (113 - 11 - 2 - 2) / 2);
  EXPECT_EQ(bottom->YPosition, top0 + 113 - 10 - 2 - 2);
  EXPECT_EQ(second.Cells[0]->AssignedHeight, 85);
}

TEST(TableLayoutTest, TextRunsThroughTheCellsInRowOrder) {
  TSectionList simple;
  ParseDocument("<TABLE><TR><TD>a<TD>b<TR><TD>c</TABLE>", simple);
  simple.Layout(800);
  EXPECT_EQ(WholeText(simple), u"a\r\nb\r\nc");
  simple.Layout(100);
  EXPECT_EQ(WholeText(simple), u"a\r\nb\r\nc");

  TSectionList document;
  ParseDocument("<TABLE><TR><TD>a<TD ROWSPAN=2>b<TR><TD>c</TABLE>", document);
  document.Layout(800);
  EXPECT_EQ(WholeText(document), u"a\r\nb\r\nc");
  ThtmlTable* table = FirstTable(document);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->TextLength, 3);
  EXPECT_EQ(table->Rows()[1]->Cells[0]->Cell.TextStart, table->TextStart + 2);
  EXPECT_GT(table->TableWidth, 0);
  EXPECT_GT(table->Height, 0);
}

// The pieces of text in the order they must come out.
void ExpectInOrder(const std::u16string& text, std::initializer_list<std::u16string_view> pieces,
                   const std::string& html) {
  size_t from = 0;
  for (std::u16string_view piece : pieces) {
    const size_t at = text.find(piece, from);
    ASSERT_NE(at, std::u16string::npos) << html << ": missing " << std::string(piece.begin(), piece.end());
    from = at + piece.size();
  }
}

// A table of more columns than layout handles is reported once, loses its
// layout and keeps its text; everything around it stays as it was.
TEST(TableLayoutTest, TooManyColumnsAreReportedOnceAndKeepTheirText) {
  std::string row;
  for (int i = 0; i < 201; ++i) row += "<TD>z";
  // 200 columns in each row, until the row span pushes the second row on.
  std::string spanRows = "<TR><TD ROWSPAN=2>s";
  for (int i = 0; i < 199; ++i) spanRows += "<TD>s";
  spanRows += "<TR>";
  for (int i = 0; i < 200; ++i) spanRows += "<TD>s";
  struct TCase {
    std::string Html;
    std::initializer_list<std::u16string_view> Text;
  };
  const TCase cases[] = {
      {"vorher<TABLE><TR>" + row + "</TABLE>nachher", {u"vorher", u"z\r\nz", u"z\r\nnachher"}},
      {"<P>vorher<TABLE><TR><TD COLSPAN=1000>breit<TD>zwei</TABLE><P>nachher",
       {u"vorher", u"breit", u"zwei", u"nachher"}},
      {"vorher<TABLE><TR><TD ROWSPAN=201>a<TD COLSPAN=201>b</TABLE>nachher",
       {u"vorher", u"a", u"b", u"nachher"}},
      {"vorher<TABLE>" + spanRows + "</TABLE>nachher", {u"vorher", u"s\r\ns", u"nachher"}},
      {"<TABLE><TR><TD>vorher<P>innen<TABLE><TR>" + row + "</TABLE>danach<TD>daneben</TABLE>ende",
       {u"vorher", u"innen", u"z\r\nz", u"danach", u"daneben", u"ende"}},
      {"<UL><LI>vorher<DIV STYLE=\"float:left\"><TABLE><TR><TD COLSPAN=1000>innen</TABLE></DIV>"
       "danach</UL>ende",
       {u"vorher", u"innen", u"danach", u"ende"}},
      // Only the wide table goes without layout, not the one around it.
      {"<TABLE><TR><TD>links<TD><TABLE><TR><TD COLSPAN=500>innen</TABLE><TD>rechts</TABLE>ende",
       {u"links", u"innen", u"rechts", u"ende"}},
  };
  for (const TCase& c : cases) {
    TSectionList document;
    std::vector<AnsiString> messages;
    document.OnLayoutError = [&](const AnsiString& message) { messages.push_back(message); };
    ParseDocument(c.Html, document);
    for (int width : {800, 100, 2000}) {
      document.Layout(width);
      ExpectInOrder(WholeText(document), c.Text, c.Html);
      EXPECT_EQ(messages, std::vector<AnsiString>{"Table has too many Columns"}) << c.Html;
    }
    EXPECT_NE(FirstTable(document), nullptr) << c.Html;
  }
}

TEST(TableLayoutTest, OddTablesStaySane) {
  // No rows at all.
  TTableFixture empty;
  EXPECT_EQ(empty.Layout(800), 2);
  EXPECT_EQ(empty.Table->TableWidth, 2);
  int min = -1, max = -1;
  empty.Table->MeasureWidths(min, max);
  EXPECT_EQ(min, 2);
  EXPECT_EQ(max, 2);

  // Zero-width columns and empty cells.
  TTableFixture zero;
  zero.Table->CellSpacing = 0;
  zero.Table->CellPadding = 0;
  TCellList& row = zero.AddRow();
  zero.AddCell(row, 0, 0, 0);
  row.Add(std::make_unique<TCellObj>(&zero.Doc));
  EXPECT_EQ(zero.Layout(0), 0);
  EXPECT_EQ(zero.Widths(), (std::vector<int>{0, 0}));

  // Huge pixel widths do not overflow.
  TTableFixture huge;
  TCellList& hugeRow = huge.AddRow();
  for (int i = 0; i < 3; ++i) huge.AddCell(hugeRow, 2'000'000'000, 2'000'000'000, 1).SpecifiedWidth = kMaxTablePixels;
  huge.Layout(800);
  for (int width : huge.Widths()) EXPECT_GT(width, 0);
  EXPECT_GT(huge.Table->TableWidth, 0);
  huge.Table->RequestedWidth = 2'000'000'000;
  huge.Layout(800);
  EXPECT_GT(huge.Table->TableWidth, 0);
  huge.Table->MeasureWidths(min, max);
  EXPECT_GT(min, 0);
  EXPECT_GE(max, min);

  TSectionList document;
  ParseDocument("<TABLE WIDTH=2000000000 HEIGHT=2000000000><TR><TD WIDTH=0 ROWSPAN=65535>a"
                "<TD WIDTH=2000000000 HEIGHT=2000000000>b<TR><TD>c</TABLE>"
                "<TABLE WIDTH=0><TR><TD></TABLE>after",
                document);
  document.Layout(800);
  EXPECT_EQ(WholeText(document), u"a\r\nb\r\nc\r\nafter");
  EXPECT_GT(document.DocumentHeight, 0);
}

// Nested tables lay their cells out twice; that must not multiply with
// every level.
TEST(TableLayoutTest, NestedTablesStayCheap) {
  TSectionList document;
  TCellBasic* cell = &document;
  TFixedItem* innermost = nullptr;
  for (int level = 0; level < 10; ++level) {
    TProperties set = *document.StyleSheet.DefaultEntry();
    auto block = std::make_unique<TTableBlock>(&document, cell, set, nullptr);
    auto table = std::make_unique<ThtmlTable>(&document);
    auto row = std::make_unique<TCellList>();
    auto cellObj = std::make_unique<TCellObj>(&document);
    auto beside = std::make_unique<TCellObj>(&document);
    beside->Cell.AddItem(std::make_unique<TFixedItem>(&document, 5, 10, 7));
    TCellBasic* inner = &cellObj->Cell;
    row->Add(std::move(cellObj));
    row->Add(std::move(beside));
    table->AddRow(std::move(row));
    block->Cell.AddItem(std::move(table));
    cell->AddItem(std::move(block));
    cell = inner;
  }
  auto item = std::make_unique<TFixedItem>(&document, 20, 40, 9);
  innermost = item.get();
  cell->AddItem(std::move(item));
  const auto start = std::chrono::steady_clock::now();
  document.Layout(800);
  document.Layout(700);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
  EXPECT_LE(innermost->Layouts, 2 * 4);
  EXPECT_LE(innermost->Measures, 2 * 2);
  EXPECT_GT(document.DocumentHeight, 9);
}

}  // namespace
}  // namespace folverin
