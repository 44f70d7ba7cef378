#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "htmlengine/builder/document_builder.h"
#include "htmlengine/document/section_list.h"
#include "htmlengine/support/layout_limits.h"
#include "htmlengine/table_test_support.h"

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

// Each # becomes the number under test.
std::string WithNumber(std::string_view text, std::string_view number) {
  std::string out;
  for (char c : text) {
    if (c == '#') out += number;
    else out += c;
  }
  return out;
}

// Every number the builder reads from a document, at the ends of int and
// beyond, in every kind of place layout puts content, at several widths. A
// build with -fsanitize=undefined stops at any overflow this reaches; here
// every document must still keep its text.
TEST(LayoutLimitsTest, ExtremeNumbersInEveryAttributeAndStyleLength) {
  const char* numbers[] = {"2147483647", "+2147483647", "-2147483648", "99999999999",
                           "-99999999999", "2147483647.9"};
  // Each with a "t" to find in the text.
  const char* pieces[] = {
      "<FONT SIZE=+#>t</FONT><FONT SIZE=#>t</FONT><FONT SIZE=\"#\">t</FONT><FONT SIZE=-#>t</FONT>"
      "<BASEFONT SIZE=#>t<FONT SIZE=+1>t</FONT>",
      "<OL START=#><LI>t<LI>t</OL><OL><LI VALUE=#>t<LI>t<LI VALUE=-#>t<LI>t</OL>",
      "<UL><LI VALUE=#>t<LI>t</UL><OL TYPE=i START=#><LI>t<OL><LI VALUE=#>t</OL><LI>t</OL>",
      "<HR WIDTH=# SIZE=#>t<HR WIDTH=\"#%\">t<HR WIDTH=#%>t",
      "<TABLE WIDTH=# HEIGHT=# BORDER=# CELLPADDING=# CELLSPACING=# HSPACE=# VSPACE=#><TR>"
      "<TD WIDTH=# HEIGHT=#>t<TD WIDTH=\"#%\">t<TR><TD ROWSPAN=#>t<TD>t</TABLE>",
      "<TABLE WIDTH=\"#%\" HEIGHT=\"#%\" ALIGN=left HSPACE=# VSPACE=#><TR><TD COLSPAN=#>t<TD>t"
      "</TABLE>t",
      "<TABLE><COLGROUP SPAN=# WIDTH=#><COL SPAN=# WIDTH=\"#%\"><TR><TD>t<TD>t</TABLE>",
      "<IMG WIDTH=# HEIGHT=# HSPACE=# VSPACE=# BORDER=# ALIGN=left>t<IMG WIDTH=# HEIGHT=# "
      "ALIGN=right>t<IMG WIDTH=# HEIGHT=#>t<OBJECT WIDTH=# HEIGHT=# HSPACE=# VSPACE=#></OBJECT>t",
      "<BODY MARGINWIDTH=# MARGINHEIGHT=# LEFTMARGIN=# TOPMARGIN=#>t<TEXTAREA ROWS=# COLS=#>"
      "</TEXTAREA><SELECT SIZE=#><OPTION>o</SELECT><INPUT SIZE=# MAXLENGTH=# TABINDEX=#>t",
      "<P STYLE=\"margin:#px;padding:#px;border:#px solid;width:#px;height:#px\">t<P "
      "STYLE=\"margin:-#px -#px;padding:#em;width:#%;height:#%;text-indent:#px\">t",
      "<P STYLE=\"font-size:#px;line-height:#\">t<P STYLE=\"font-size:#%;line-height:#px;"
      "text-indent:#%\">t<P STYLE=\"font-size:#em;line-height:#%;letter-spacing:#px\">t",
      "<DIV STYLE=\"float:left;width:#px;margin-left:#px;padding-right:#px\">t</DIV>t"
      "<DIV STYLE=\"float:right;width:#%;margin-right:-#px;border-left:#px solid\">t</DIV>t",
      "<TABLE STYLE=\"width:#px;height:#px;margin:#px;padding:#px;border:#px solid\"><TR>"
      "<TD STYLE=\"width:#px;height:#px;padding:#px;border:#px solid\">t<TD "
      "STYLE=\"width:#%;padding:-#px\">t</TABLE><TABLE><TR><TD STYLE=\"width:-#px\">t</TABLE>",
      "<IMG STYLE=\"width:#px;height:#px;margin:#px;border:#px solid\">t<IMG STYLE=\"float:left;"
      "width:#%;margin-left:#px\">t<HR STYLE=\"width:#px;height:#px;margin:#px\">t",
      "<P STYLE=\"position:relative;left:#px;top:#px;z-index:#\">t<P STYLE=\"position:absolute;"
      "left:-#px;top:-#px;background-position:#px #px\">t"};
  const char* places[] = {
      "%",
      "<DIV STYLE=\"float:left\">%</DIV>x",
      "<DIV STYLE=\"float:right;margin:20px\">%</DIV>x",
      "<BLOCKQUOTE STYLE=\"margin-left:40px;margin-right:40px;padding:10px\">%</BLOCKQUOTE>x",
      "<TABLE><TR><TD>%<TD>x</TABLE>",
      "<TABLE WIDTH=300 ALIGN=right><TR><TD WIDTH=20>x<TD>%</TABLE>x",
      "<UL><LI><TABLE BORDER><TR><TD STYLE=\"float:left\">%</TABLE></UL>"};
  for (const char* number : numbers)
    for (const char* piece : pieces)
      for (std::string_view place : places) {
        const size_t at = place.find('%');
        const std::string html = std::string(place.substr(0, at)) + WithNumber(piece, number) +
                                 std::string(place.substr(at + 1));
        for (int width : {0, 1, 150, 800, 2'000'000'000}) {
          TSectionList document;
          ParseDocument(html, document);
          document.Layout(width);
          const std::u16string text = test::WholeText(document);
          EXPECT_NE(text.find(u't'), std::u16string::npos) << html << " at " << width;
          EXPECT_GE(document.DocumentHeight, 0) << html << " at " << width;
        }
      }
}

}  // namespace
}  // namespace folverin
