#include <gtest/gtest.h>

#include "htmlengine/document_builder.h"
#include "htmlengine/layout_limits.h"
#include "htmlengine/section_list.h"

namespace folverin {
namespace {

TEST(LayoutLimitsTest, PositionsStopAtTheLimitAndNeverMoveBack) {
  EXPECT_EQ(AddLayoutY(10, 20), 30);
  EXPECT_EQ(AddLayoutY(kMaxLayoutY - 5, 20), kMaxLayoutY);
  EXPECT_EQ(AddLayoutY(2'000'000'000, 20), 2'000'000'000);  // already beyond: stays
  EXPECT_EQ(AddLayoutY(2'000'000'000, 2'000'000'000), 2'000'000'000);
  EXPECT_EQ(AddLayoutY(-kMaxLayoutY + 1, -20), -kMaxLayoutY);
  EXPECT_EQ(ObjectPixels(-3), 0);
  EXPECT_EQ(ObjectPixels(2'147'483'647), kMaxObjectPixels);
}

// Inputs the fuzzers found: each must lay out and end.
TEST(LayoutLimitsTest, HugeSizesLayOutAndEnd) {
  const char* documents[] = {
      // Floats beside a line that fits nothing, in a cell as wide as int.
      "<TABLE CELLPADDING=3><TD STYLE=\"width:2147483647px;padding:0px\">"
      "<IMG ALIGN=left WIDTH=0 HEIGHT=20>a b c d e f g <IMG ALIGN=left WIDTH=0 HEIGHT=20></TABLE>",
      "<IMG ALIGN=left WIDTH=2147483647 HEIGHT=2147483647 HSPACE=2147483647>text<IMG ALIGN=right "
      "WIDTH=2000000000 HEIGHT=2000000000>more text",
      // Row spans far beyond the rows there are, in rows that grow late.
      "<TABLE><TD ROWSPAN=2147483647 HEIGHT=x VALIGN=bottom><TR><TR><PRE>pre  formatted</PRE>"
      "<TD ROWSPAN=2147483647 HEIGHT=x VALIGN=bottom><TR><TR><TD STYLE=\"width:0px;padding:0px\">"
      "</TABLE>",
      "<TABLE HEIGHT=2000000000><TR><TD HEIGHT=2147483647>a<TR><TD>b</TABLE>"
      "<TABLE HEIGHT=2000000000><TR><TD HEIGHT=2147483647>c</TABLE><IMG ALIGN=left HEIGHT=99999>d"};
  for (const char* html : documents)
    for (int width : {0, 1, 150, 2'000'000'000}) {
      TSectionList document;
      ParseDocument(html, document);
      document.Layout(width);
      EXPECT_GT(document.TextLength, 0) << html << " at " << width;
      EXPECT_GE(document.DocumentHeight, 0);
    }
}

}  // namespace
}  // namespace folverin
