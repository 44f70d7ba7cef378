#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "htmlengine/builder/document_builder.h"
#include "htmlengine/document/html_table.h"
#include "htmlengine/document_builder_test_support.h"
#include "htmlengine/sanitized_build.h"

namespace folverin {
namespace {

using test::Repeat;
using test::TextOf;

TEST(DocumentBuilderLimitsTest, DeepNestingNeitherCrashesNorStalls) {
  // 100,000 open elements of the kinds that recurse or fill the style stack
  // (a tenth under the sanitizers: still far beyond every nesting limit).
  const int depth = test::kSanitizedBuild ? 10000 : 100000;
  for (std::string_view tag : {"<DIV>", "<B>", "<BLOCKQUOTE>", "<CENTER>",
                               "<FONT SIZE=+1>", "<H1><DIV>", "<OL>"}) {
    const std::string page = Repeat(tag, depth) + "deep" + Repeat("</I>", 1000);
    EXPECT_EQ(TextOf(page), "deep") << tag;
  }
  // Elements that end their predecessor cost a full element each; fewer do.
  for (std::string_view tag : {"<UL><LI>", "<A HREF=x>", "<TABLE><TR><TD>", "<P><SPAN>",
                               "<DL><DD>", "<FORM>"}) {
    const std::string page = Repeat(tag, 3000) + "deep";
    EXPECT_NE(TextOf(page).find("deep"), AnsiString::npos) << tag;
  }
}

TEST(DocumentBuilderLimitsTest, TablesDeeperThanTenAreFlattened) {
  const std::string page = Repeat("<TABLE><TR><TD>", 11) + "inner" + Repeat("</TABLE>", 11);
  TSectionList document;
  ParseDocument(page, document);
  EXPECT_EQ(TextOf(page), "inner");
  // Count the table levels that were built.
  int depth = 0;
  TCellBasic* cell = &document;
  for (;;) {
    ThtmlTable* table = nullptr;
    for (int level = 0; level < 3 && !table && cell->Count() > 0; ++level) {
      TSectionBase* item = cell->Item(cell->Count() - 1);
      if ((table = dynamic_cast<ThtmlTable*>(item))) break;
      if (item->ChildCellCount() == 0) break;
      cell = item->ChildCell(0);
    }
    if (!table) break;
    ++depth;
    cell = table->ChildCell(0);
  }
  EXPECT_EQ(depth, 10);
}

TEST(DocumentBuilderLimitsTest, WideTablesAndOddEnds) {
  const std::string wide = "<TABLE><TR>" + Repeat("<TD>c", 10000) + "</TABLE>";
  // Layout cannot place that many columns: the table keeps only its text.
  EXPECT_EQ(TextOf(wide), Repeat("c\r\n", 9999) + "c");
  EXPECT_EQ(TextOf("<"), "<");
  // A byte-order mark is no text: it tells that the document is UTF-8.
  EXPECT_EQ(TextOf("\xEF\xBB\xBFx"), "x");
  EXPECT_EQ(TextOf("<TABLE"), "");
  EXPECT_EQ(TextOf("<PRE"), "");
  EXPECT_EQ(TextOf("<SCRIPT>never ends"), "");
  EXPECT_EQ(TextOf("<TEXTAREA>never ends"), "");
  EXPECT_EQ(TextOf("<SELECT><OPTION>never ends"), "");
  EXPECT_EQ(TextOf("<STYLE>p {"), "");
  EXPECT_EQ(TextOf("x<!--"), "");
  EXPECT_EQ(TextOf("<TABLE><TR><TD>a<!-- open"), "");
  EXPECT_EQ(TextOf(Repeat("<COL SPAN=100>", 2000) + "<TABLE>" + Repeat("<COL SPAN=100>", 2000) +
                   "<TR><TD>x</TABLE>"),
            "x");
}

TEST(DocumentBuilderLimitsTest, LargeDocumentIsLinear) {
  constexpr std::string_view kParagraph =
      "<P>Ein Absatz mit <B>fettem</B> Text und einem <A HREF=x>Link</A>.\n";
  auto timed = [&](int count, AnsiString& text) {
    const std::string page = Repeat(kParagraph, count);
    const auto start = std::chrono::steady_clock::now();
    text = TextOf(page);
    return std::chrono::steady_clock::now() - start;
  };
  AnsiString small, large;
  const auto smallTime = timed(500, small);
  const auto largeTime = timed(4000, large);
  EXPECT_EQ(large.size(), 4000u * 47 - 4);
  // Eight times the text may take about eight times as long, not 64 times.
  EXPECT_LT(largeTime, smallTime * 24 + std::chrono::milliseconds(200));
}

}  // namespace
}  // namespace folverin
