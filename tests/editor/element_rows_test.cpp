#include "editor/element_rows.h"

#include <gtest/gtest.h>

namespace folverin {
namespace {

using Lines = std::vector<std::string>;

TEST(ElementDetailLines, ElevenLinesInTheDocumentedOrder) {
  TElementRecord link;
  link.TagName = "A";
  link.OuterHTML = "<a href=\"x.htm\" id=\"l\" title=\"Hinweis\">zu <b>x</b></a>";
  link.InnerHTML = "zu <b>x</b>";
  link.OuterText = "zu x";
  link.InnerText = "zu x";
  link.Id = "l";
  link.Title = "Hinweis";
  link.SourceIndex = 5;
  EXPECT_EQ(ElementDetailLines(link),
            (Lines{"OUTERHTML", link.OuterHTML, "INNERHTML", "zu <b>x</b>", "OUTERTEXT", "zu x", "INNERTEXT",
                   "zu x", "ID: l", "TITLE: Hinweis", "SrcIndex: 5"}));
}

TEST(ElementDetailLines, EmptyValuesKeepTheirLinesAndBreaksAddLines) {
  TElementRecord empty;
  empty.TagName = "BR";
  empty.OuterHTML = "<br>";
  EXPECT_EQ(ElementDetailLines(empty), (Lines{"OUTERHTML", "<br>", "INNERHTML", "", "OUTERTEXT", "", "INNERTEXT",
                                              "", "ID: ", "TITLE: ", "SrcIndex: 0"}));

  // CR LF, a lone CR and a lone LF each end one line; a final break leaves
  // an empty line.
  TElementRecord body;
  body.OuterHTML = "<body>\r\n<p>a</p>\n</body>";
  body.InnerHTML = "\r<p>a</p>\n";
  body.OuterText = "a";
  body.InnerText = "a";
  body.Title = "zwei\nZeilen";
  body.SourceIndex = 1234567890123;
  EXPECT_EQ(ElementDetailLines(body),
            (Lines{"OUTERHTML", "<body>", "<p>a</p>", "</body>", "INNERHTML", "", "<p>a</p>", "", "OUTERTEXT", "a",
                   "INNERTEXT", "a", "ID: ", "TITLE: zwei", "Zeilen", "SrcIndex: 1234567890123"}));
}

TEST(ElementRows, TagNamesInSnapshotOrderDuplicatesKept) {
  std::vector<TElementRecord> elements(5);
  const char* names[] = {"HTML", "HEAD", "BODY", "P", "P"};
  for (size_t i = 0; i < elements.size(); ++i) elements[i].TagName = names[i];
  EXPECT_EQ(ElementRows(elements), (Lines{"HTML", "HEAD", "BODY", "P", "P"}));
  EXPECT_TRUE(ElementRows({}).empty());
}

}  // namespace
}  // namespace folverin
