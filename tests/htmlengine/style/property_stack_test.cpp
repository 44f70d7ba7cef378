#include "htmlengine/style/property_stack.h"

#include <gtest/gtest.h>

#include "htmlengine/document/section_list.h"
#include "htmlengine/style/property_set_test_support.h"
#include "htmlengine/style/style_sheet_parser.h"

namespace folverin {
namespace {

using test::ExpectSameSet;

bool IsBold(const TProperties& set) {
  const AnsiString* weight = set.TextOf(Prop::FontWeight);
  return weight && IsBoldWeight(*weight);
}

TEST(PropertyStackTest, EndTagClosesTheMostRecentMatchingElement) {
  TSectionList document;
  TPropStack stack(document.StyleSheet);
  stack.Reset(*document.StyleSheet.DefaultEntry());
  EXPECT_EQ(stack.Bottom().Tag, "default");
  ASSERT_TRUE(stack.PushProperties("b", {}));
  ASSERT_TRUE(stack.PushProperties("i", {}));
  EXPECT_TRUE(IsBold(stack.Top()));
  // </B> while I is still open: I stays, and is no longer bold.
  stack.PopProperties("b");
  EXPECT_EQ(stack.Count(), 2);
  EXPECT_EQ(stack.Top().Tag, "i");
  EXPECT_FALSE(IsBold(stack.Top()));
  // Popping what is not open, or the bottom, does nothing.
  stack.PopProperties("u");
  stack.PopProperties("default");
  EXPECT_EQ(stack.Count(), 2);
  stack.PopTop();
  stack.PopTop();
  EXPECT_EQ(stack.Count(), 1);
}

TEST(PropertyStackTest, AdjustmentsSurviveRederivingAndDepthIsBounded) {
  TSectionList document;
  TPropStack stack(document.StyleSheet);
  stack.Reset(*document.StyleSheet.DefaultEntry());
  TElementStyle style;
  style.Adjust = [](TProperties& set) { set.SetText(Prop::TextAlign, "center"); };
  stack.PushProperties("b", {});
  stack.PushProperties("p", std::move(style));
  stack.PopProperties("b");
  const AnsiString* align = stack.Top().TextOf(Prop::TextAlign);
  ASSERT_NE(align, nullptr);
  EXPECT_EQ(*align, "center");
  EXPECT_EQ(stack.FindTag("p"), 1);
  EXPECT_EQ(stack.FindTag("b"), -1);

  while (stack.Count() < TPropStack::kMaxDepth) ASSERT_TRUE(stack.PushProperties("span", {}));
  EXPECT_FALSE(stack.PushProperties("span", {}));
  stack.PopTo(3);
  EXPECT_EQ(stack.Count(), 3);
  stack.PopTo(0);
  EXPECT_EQ(stack.Count(), 1);
}

TElementStyle LinkStyle() {
  TElementStyle style;
  style.Class = "x";
  style.ID = "main";
  style.Title = "a title";
  style.PseudoClass = "link";
  style.Inline = std::make_unique<TProperties>();
  style.Inline->AssignByName("font-size", "20pt");
  style.Adjust = [](TProperties& set) { set.SetText(Prop::TextAlign, "right"); };
  return style;
}

// The stack derives new elements into the sets of popped ones; whatever the
// popped element had must not show through.
TEST(PropertyStackTest, ReusedSetsComeOutAsFreshOnes) {
  TSectionList used, fresh;
  for (TSectionList* document : {&used, &fresh})
    ParseStyleSheetText(document->StyleSheet,
                        "a.x { font-family: \"Courier New\", serif; background-color: yellow;"
                        " margin-left: 3em; border-style: solid }"
                        " a:visited { font-family: arial } .x:hover { text-decoration: line-through }"
                        " div a { color: green } div p { text-indent: 2em } span { font-weight: bold }",
                        "");
  TPropStack reused(used.StyleSheet), clean(fresh.StyleSheet);
  reused.Reset(*used.StyleSheet.DefaultEntry());
  clean.Reset(*fresh.StyleSheet.DefaultEntry());
  reused.PushProperties("div", {});
  clean.PushProperties("div", {});

  reused.PushProperties("a", LinkStyle());
  reused.Top().GetFont(used.Metrics());
  ASSERT_NE(reused.Top().LinkFonts, nullptr);
  reused.PushProperties("span", {});
  // Closing the link derives the span again in place, now without the link.
  reused.PopProperties("a");
  clean.PushProperties("span", {});
  ExpectSameSet(reused.Top(), clean.Top());
  EXPECT_EQ(reused.Top().LinkFonts, nullptr);

  reused.PopTop();
  clean.PopTop();
  reused.PushProperties("p", {});
  clean.PushProperties("p", {});
  ExpectSameSet(reused.Top(), clean.Top());
  EXPECT_EQ(reused.Top().GetFont(used.Metrics()).Height, clean.Top().GetFont(fresh.Metrics()).Height);

  // A link derived into a used set, and the sets above a replaced bottom.
  reused.PushProperties("a", LinkStyle());
  clean.PushProperties("a", LinkStyle());
  ExpectSameSet(reused.Top(), clean.Top());
  TProperties bottom = reused.Bottom();
  bottom.SetColour(Prop::Color, 0x123456);
  reused.ReplaceBottom(bottom);
  clean.ReplaceBottom(bottom);
  ExpectSameSet(reused.Top(), clean.Top());
  ExpectSameSet(reused.Bottom(), clean.Bottom());
}

// The sets one document's stack leaves in the store's pool serve the next
// document's stack; nothing of the first document may show through, and
// the pool stays bounded however many sets a document used.
TEST(PropertyStackTest, SetsLeftByOneDocumentServeTheNext) {
  TSectionList used, fresh;
  const char* sheet =
      "a.x { font-family: \"Courier New\", serif; background-color: yellow; margin-left: 3em }"
      " a:visited { font-family: arial } div p { text-indent: 2em } em { font-style: italic }";
  for (TSectionList* document : {&used, &fresh}) ParseStyleSheetText(document->StyleSheet, sheet, "");
  TPropSetPool& pool = used.StyleSheet.SpareSets();
  {
    TPropStack first(used.StyleSheet);
    first.Reset(*used.StyleSheet.DefaultEntry());
    first.Top().SetColour(Prop::Color, 0x654321);
    for (int k = 0; k < 3 * static_cast<int>(TPropSetPool::kMaxSets); ++k) {
      first.PushProperties(k % 2 ? "div" : "em", {});
      first.PushProperties("a", LinkStyle());
      first.Top().GetFont(used.Metrics());
    }
    // Left open: the stack hands back what it still holds when it goes.
  }
  ASSERT_EQ(pool.Count(), TPropSetPool::kMaxSets);

  TPropStack second(used.StyleSheet), clean(fresh.StyleSheet);
  for (TPropStack* stack : {&second, &clean}) {
    stack->Reset(*(stack == &second ? used : fresh).StyleSheet.DefaultEntry());
    stack->PushProperties("div", {});
    stack->PushProperties("p", {});
    stack->PushProperties("span", {});
  }
  EXPECT_LT(pool.Count(), TPropSetPool::kMaxSets);
  for (int level = 0; level < second.Count(); ++level) {
    SCOPED_TRACE(level);
    ExpectSameSet(second.At(level), clean.At(level));
  }
  EXPECT_EQ(second.Top().GetFont(used.Metrics()).Height, clean.Top().GetFont(fresh.Metrics()).Height);
}

}  // namespace
}  // namespace folverin
