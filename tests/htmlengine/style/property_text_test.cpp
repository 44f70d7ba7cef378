#include <gtest/gtest.h>

#include <memory>

#include "htmlengine/style/property_set.h"

namespace folverin {
namespace {

// Sets share the texts of their slots; each must still own what it reads.
TEST(PropertyText, SharedTextsOutliveAndIgnoreTheirSource) {
  auto parent = std::make_unique<TProperties>();
  parent->SetText(Prop::FontFamily, "Verdana, sans-serif");
  parent->SetText(Prop::TextAlign, "center");
  TProperties child;
  child.Inherit(*parent);
  TProperties grandchild;
  grandchild.Inherit(child);
  child.SetText(Prop::TextAlign, "right");
  EXPECT_EQ(*parent->TextOf(Prop::TextAlign), "center");
  EXPECT_EQ(*grandchild.TextOf(Prop::TextAlign), "center");
  parent.reset();
  EXPECT_EQ(*child.TextOf(Prop::FontFamily), "Verdana, sans-serif");
  EXPECT_EQ(*grandchild.TextOf(Prop::FontFamily), "Verdana, sans-serif");
  // A set derived again over an older one takes the new texts.
  TProperties other;
  other.SetText(Prop::FontFamily, "Arial");
  grandchild.Inherit(other);
  EXPECT_EQ(*grandchild.TextOf(Prop::FontFamily), "Arial");
  EXPECT_EQ(grandchild.TextOf(Prop::TextAlign), nullptr);
}

TEST(PropertyText, TextsCompareByContent) {
  TProperties a, b;
  a.SetText(Prop::FontWeight, "bold");
  b.SetText(Prop::FontWeight, "bold");
  EXPECT_TRUE(a.Props == b.Props);
  b.SetText(Prop::FontWeight, "normal");
  EXPECT_FALSE(a.Props == b.Props);
  TPropValue fromLiteral = TPropText("x");
  EXPECT_EQ(std::get<TPropText>(fromLiteral).Get(), "x");
}

}  // namespace
}  // namespace folverin
