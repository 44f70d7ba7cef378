#include <gtest/gtest.h>

#include "htmlengine/document/section.h"
#include "htmlengine/style/colour_names.h"
#include "htmlengine/table_test_support.h"
#include "htmlengine/tokenizer/html_attributes.h"

namespace folverin {
namespace {

using test::FirstTable;
using test::FirstTableBlock;
using test::TFixedItem;

TColour Colour(std::string_view name) {
  TColour colour = 0;
  EXPECT_TRUE(ColourFromString(name, false, colour));
  return colour;
}

TEST(TableBuilderTest, CellAttributesAndStyle) {
  TSectionList document;
  ParseDocument(
      "<TABLE BORDERCOLOR=red BORDERCOLORDARK=blue><TR VALIGN=bottom BGCOLOR=lime>"
      "<TD COLSPAN=3 ROWSPAN=2 WIDTH=50% HEIGHT=30 BGCOLOR=red BACKGROUND=b.gif>a"
      "<TD WIDTH=120 VALIGN=top>b"
      "<TD WIDTH=150% VALIGN=baseline "
      "STYLE=\"vertical-align:middle;width:40px;height:25px;background-color:blue\">c"
      "<TD VALIGN=center STYLE=\"width:33.3%\">d"
      "<TR><TD COLSPAN=1 ROWSPAN=0 WIDTH=0>e</TABLE>",
      document);
  ThtmlTable* table = FirstTable(document);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->BorderColorLight, Colour("red"));
  EXPECT_EQ(table->BorderColorDark, Colour("blue"));
  const TCellList& first = *table->Rows()[0];
  ASSERT_EQ(first.Cells.size(), 4u);
  EXPECT_EQ(first.BkColor, Colour("lime"));
  const TCellObj& a = *first.Cells[0];
  EXPECT_EQ(a.ColSpan, 3);
  EXPECT_EQ(a.RowSpan, 2);
  EXPECT_EQ(a.SpecifiedWidth, 500);
  EXPECT_TRUE(a.WidthIsPercent);
  EXPECT_EQ(a.SpecifiedHeight, 30);
  EXPECT_EQ(a.Cell.BkColor, Colour("red"));
  ASSERT_NE(a.BackgroundImage, nullptr);
  EXPECT_EQ(a.BackgroundImage->Source, "b.gif");
  EXPECT_EQ(a.VAlign, kVAlignBottom);  // the row's
  const TCellObj& b = *first.Cells[1];
  EXPECT_EQ(b.SpecifiedWidth, 120);
  EXPECT_FALSE(b.WidthIsPercent);
  EXPECT_EQ(b.VAlign, kVAlignTop);
  const TCellObj& c = *first.Cells[2];
  EXPECT_EQ(c.SpecifiedWidth, 40);  // the style's, the attribute was out of range
  EXPECT_FALSE(c.WidthIsPercent);
  EXPECT_EQ(c.SpecifiedHeight, 25);
  EXPECT_EQ(c.Cell.BkColor, Colour("blue"));
  EXPECT_EQ(c.VAlign, kVAlignMiddle);
  const TCellObj& d = *first.Cells[3];
  EXPECT_EQ(d.VAlign, kVAlignBottom);  // "center" is no VALIGN word
  EXPECT_EQ(d.SpecifiedWidth, 333);
  EXPECT_TRUE(d.WidthIsPercent);
  const TCellObj& e = *table->Rows()[1]->Cells[0];
  EXPECT_EQ(e.ColSpan, 1);
  EXPECT_EQ(e.RowSpan, 1);
  EXPECT_EQ(e.SpecifiedWidth, 0);
  EXPECT_EQ(e.VAlign, kVAlignMiddle);
  // Cells without a colour of their own take the row's.
  table->PrepareColumns();
  EXPECT_EQ(b.Cell.BkColor, Colour("lime"));
  EXPECT_EQ(a.Cell.BkColor, Colour("red"));
}

TEST(TableBuilderTest, ColumnDefinitionsFollowTheSpans) {
  TSectionList document;
  ParseDocument("<TABLE><COL VALIGN=top WIDTH=100><COL VALIGN=bottom WIDTH=30% ALIGN=right><COL>"
                "<TR><TD ROWSPAN=2>a<TD COLSPAN=5>b<TR><TD>c<TD>d</TABLE>",
                document);
  ThtmlTable* table = FirstTable(document);
  ASSERT_NE(table, nullptr);
  ASSERT_NE(table->ColumnDefs, nullptr);
  EXPECT_EQ(table->ColumnDefs->size(), 3u);
  const TCellObj& a = *table->Rows()[0]->Cells[0];
  const TCellObj& b = *table->Rows()[0]->Cells[1];
  const TCellObj& c = *table->Rows()[1]->Cells[0];
  const TCellObj& d = *table->Rows()[1]->Cells[1];
  EXPECT_EQ(a.VAlign, kVAlignTop);
  EXPECT_EQ(b.ColSpan, 2);  // only two definitions are left for it
  // Column 0 of the second row is a's: c starts under the second definition.
  EXPECT_EQ(c.VAlign, kVAlignBottom);
  auto* section = dynamic_cast<TSection*>(c.Cell.Item(0));
  ASSERT_NE(section, nullptr);
  EXPECT_EQ(section->Alignment, 3);
  EXPECT_EQ(d.VAlign, kVAlignMiddle);

  table->PrepareColumns();
  EXPECT_EQ(table->ColumnCount, 3);
  EXPECT_EQ(a.SpecifiedWidth, 100);
  EXPECT_EQ(b.SpecifiedWidth, 300);
  EXPECT_TRUE(b.WidthIsPercent);
  EXPECT_EQ(table->Rows()[1]->Cells[1].get(), &c);
  EXPECT_EQ(c.SpecifiedWidth, 300);
  EXPECT_EQ(d.SpecifiedWidth, 0);
  EXPECT_EQ(table->ColumnDefs, nullptr);
}

TEST(TableBuilderTest, TableBlockAttributes) {
  TSectionList document;
  ParseDocument("<DIV ALIGN=right><TABLE HEIGHT=50% WIDTH=40% BGCOLOR=red><TR><TD>"
                "<TABLE HEIGHT=50% ALIGN=left HSPACE=-70 VSPACE=9><TR><TD>x</TABLE></TABLE></DIV>",
                document);
  TTableBlock* outer = FirstTableBlock(document);
  ASSERT_NE(outer, nullptr);
  EXPECT_EQ(outer->HeightAttr, 500);
  EXPECT_TRUE(outer->HeightAttrIsPercent);
  EXPECT_EQ(outer->WidthAttr, 400);
  EXPECT_TRUE(outer->WidthAttrIsPercent);
  EXPECT_EQ(outer->SurroundingAlign, 6);
  EXPECT_EQ(outer->Box.BackgroundColour, Colour("red"));
  TTableBlock* inner = FirstTableBlock(*FirstTable(document)->ChildCell(0));
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(inner->HeightAttr, 0);  // a share of the window only for an outer table
  EXPECT_EQ(inner->FloatSide, kAlignLeftFloat);
  EXPECT_EQ(inner->Box.Margin[1], 40);
  EXPECT_EQ(inner->Box.Margin[3], 40);
  EXPECT_EQ(inner->Box.Margin[0], 9);
  document.Layout(800);
  ThtmlTable* table = FirstTable(document);
  EXPECT_TRUE(table->UseBlockBackground);
  EXPECT_EQ(table->Rows()[0]->Cells[0]->Cell.BkColor, Colour("red"));
}

// A table block around a one-cell table 16 to 56 pixels wide.
struct TBlockFixture {
  explicit TBlockFixture(std::vector<TAttribute> attributes) {
    TAttributeList list;
    for (TAttribute& attribute : attributes) list.Add(std::move(attribute));
    TProperties set = *Doc.StyleSheet.DefaultEntry();
    for (const char* side : {"margin-left", "margin-right", "margin-top", "margin-bottom"})
      set.AssignByName(side, "0");
    auto block = std::make_unique<TTableBlock>(&Doc, &Doc, set, &list);
    Block = block.get();
    auto table = std::make_unique<ThtmlTable>(&Doc);
    Table = table.get();
    auto row = std::make_unique<TCellList>();
    auto cell = std::make_unique<TCellObj>(&Doc);
    cell->Cell.AddItem(std::make_unique<TFixedItem>(&Doc, 10, 50, 5));
    row->Add(std::move(cell));
    table->AddRow(std::move(row));
    Block->Cell.AddItem(std::move(table));
    Doc.AddItem(std::move(block));
  }
  TSectionList Doc;
  TTableBlock* Block;
  ThtmlTable* Table;
};

TAttribute Attr(THtmlAttribute symbol, AnsiString value, int numeric) {
  return TAttribute{symbol, "", std::move(value), numeric};
}

TEST(TableBuilderTest, TableBlockWidthAndPlace) {
  TBlockFixture plain({});
  plain.Doc.Layout(800);
  EXPECT_EQ(plain.Block->ContentWidth, 56);
  EXPECT_EQ(plain.Table->TableWidth, 56);
  EXPECT_EQ(plain.Table->RequestedWidth, 0);
  EXPECT_EQ(plain.Block->ContentLeft, 0);
  plain.Block->SurroundingAlign = 6;
  plain.Doc.Layout(800);
  EXPECT_EQ(plain.Block->ContentLeft, 800 - 56);
  plain.Doc.Layout(10);  // below the minimum
  EXPECT_EQ(plain.Block->ContentWidth, 16);

  TBlockFixture centred({Attr(THtmlAttribute::Align, "center", 0)});
  centred.Table->BorderWidth = 3;
  centred.Doc.Layout(800);
  EXPECT_EQ(centred.Block->Box.BorderWidth[0], 3);
  EXPECT_EQ(centred.Block->Box.BorderStyleCodes[2], 3);  // outset
  // The cells get borders of 1 as well.
  EXPECT_EQ(centred.Block->ContentWidth, 58);
  EXPECT_EQ(centred.Block->ContentLeft, (800 - 58 - 6) / 2 + 3);

  TBlockFixture pixels({Attr(THtmlAttribute::Width, "300", 300)});
  pixels.Doc.Layout(800);
  EXPECT_EQ(pixels.Table->RequestedWidth, 300);
  EXPECT_EQ(pixels.Table->TableWidth, 300);
  int min = 0, max = 0;
  pixels.Block->MeasureWidths(min, max);
  EXPECT_EQ(min, 300);
  EXPECT_EQ(max, 300);

  TBlockFixture percent({Attr(THtmlAttribute::Width, "50%", 50), Attr(THtmlAttribute::Height, "90", 90)});
  percent.Doc.Layout(800);
  EXPECT_EQ(percent.Table->RequestedWidth, 400);
  EXPECT_EQ(percent.Table->TableWidth, 400);
  EXPECT_EQ(percent.Table->TableHeight, 90);
  percent.Block->MeasureWidths(min, max);
  EXPECT_EQ(min, 16);
  EXPECT_EQ(max, 56);

  TBlockFixture zero({Attr(THtmlAttribute::Width, "0", 0)});
  zero.Doc.Layout(800);
  EXPECT_EQ(zero.Block->ContentWidth, 56);
}

}  // namespace
}  // namespace folverin
