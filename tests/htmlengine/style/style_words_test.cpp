#include "htmlengine/style/style_words.h"

#include <gtest/gtest.h>

namespace folverin {
namespace {

using Words = std::vector<AnsiString>;

TEST(StyleWords, BlanksQuotesAndSlashes) {
  EXPECT_EQ(SplitStyleWords("  1px   2px ", 4), (Words{"1px", "2px"}));
  EXPECT_EQ(SplitStyleWords("arial, helvetica  serif", 7), (Words{"arial,helvetica", "serif"}));
  EXPECT_EQ(SplitStyleWords("bold 'times new roman' x", 7),
            (Words{"bold", "'times new roman'", "x"}));
  EXPECT_EQ(SplitStyleWords("a \"open quote never closed", 7), (Words{"a", "\"open quote never closed"}));
  EXPECT_EQ(SplitStyleWords("12pt/14pt arial", 7), (Words{"12pt", "/14pt", "arial"}));
  EXPECT_EQ(SplitStyleWords("/14pt", 7), (Words{"/14pt"}));
  EXPECT_EQ(SplitStyleWords("a b c d e", 3), (Words{"a", "b", "c"}));
  EXPECT_EQ(SplitStyleWords("a b/c", 2), (Words{"a", "b"}));
  EXPECT_TRUE(SplitStyleWords("   ", 4).empty());
}

TEST(StyleWords, FunctionParts) {
  AnsiString value = "1px url(a b.gif) solid rgb(1, 2, 3)";
  EXPECT_EQ(TakeFunctionParts(value), (Words{"url(a b.gif)", "rgb(1, 2, 3)"}));
  EXPECT_EQ(value, "1px  solid ");
  // rgb(...) before url(...): the ")" of rgb stands before "url(", so nothing
  // is taken out and both stay words.
  value = "rgb(1,2,3) url(x)";
  EXPECT_TRUE(TakeFunctionParts(value).empty());
  EXPECT_EQ(value, "rgb(1,2,3) url(x)");
  value = "url(x";
  EXPECT_TRUE(TakeFunctionParts(value).empty());
  value = "url(1)url(2)url(3)url(4)url(5)url(6)url(7)url(8)";
  EXPECT_EQ(TakeFunctionParts(value).size(), 7u);
  EXPECT_EQ(value, "url(8)");
}

}  // namespace
}  // namespace folverin
