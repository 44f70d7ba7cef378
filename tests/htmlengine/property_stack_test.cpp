#include "htmlengine/property_stack.h"

#include <gtest/gtest.h>

#include "htmlengine/section_list.h"

namespace folverin {
namespace {

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

}  // namespace
}  // namespace folverin
