#include "htmlengine/style/style_selector.h"

#include <gtest/gtest.h>

#include <vector>

namespace folverin {
namespace {

std::vector<std::string_view> Tags(const std::vector<TSimpleSelector>& selectors) {
  std::vector<std::string_view> tags;
  for (const TSimpleSelector& selector : selectors) tags.push_back(selector.Tag);
  return tags;
}

TEST(StyleSelector, SimpleSelectorParts) {
  TSimpleSelector full = ParseSimpleSelector("p.intro#main:link");
  EXPECT_EQ(full.Tag, "p");
  EXPECT_EQ(full.Class, "intro");
  EXPECT_EQ(full.ID, "main");
  EXPECT_EQ(full.Pseudo, "link");
  TSimpleSelector classOnly = ParseSimpleSelector(".note");
  EXPECT_EQ(classOnly.Tag, "");
  EXPECT_EQ(classOnly.Class, "note");
  EXPECT_EQ(classOnly.ID, "");
}

TEST(StyleSelector, DescendantKeysSkipCountersAndBlankRuns) {
  EXPECT_FALSE(ParseDescendantKey("p.intro").has_value());
  std::optional<TDescendantSelector> pre = ParseDescendantKey("p 11pre");
  ASSERT_TRUE(pre.has_value());
  EXPECT_EQ(pre->Element.Tag, "p");
  EXPECT_EQ(Tags(pre->Ancestors), (std::vector<std::string_view>{"pre"}));
  // Nearest first; runs of blanks and a trailing blank give no selector.
  std::optional<TDescendantSelector> nested = ParseDescendantKey("a.c 12ul  div.box ");
  ASSERT_TRUE(nested.has_value());
  EXPECT_EQ(nested->Element.Class, "c");
  ASSERT_EQ(nested->Ancestors.size(), 2u);
  EXPECT_EQ(nested->Ancestors[0].Tag, "ul");
  EXPECT_EQ(nested->Ancestors[1].Tag, "div");
  EXPECT_EQ(nested->Ancestors[1].Class, "box");
  // Counters standing alone, and digits later on, which are a tag.
  EXPECT_EQ(Tags(ParseDescendantKey("p 11 pre")->Ancestors), (std::vector<std::string_view>{"pre"}));
  EXPECT_TRUE(ParseDescendantKey("p 11")->Ancestors.empty());
  EXPECT_EQ(Tags(ParseDescendantKey("p 11h1 2")->Ancestors),
            (std::vector<std::string_view>{"h1", "2"}));
}

}  // namespace
}  // namespace folverin
