#include "htmlengine/style/style_list.h"

#include <gtest/gtest.h>

namespace folverin {
namespace {

TColour Flagged(uint32_t red, uint32_t green, uint32_t blue) {
  return red + green * 256 + blue * 65536 + kColourFlag;
}

class StyleListTest : public ::testing::Test {
 protected:
  StyleListTest() : Store(&Hover) { Store.Initialize(TStyleDefaults()); }
  const TProperties& Rule(std::string_view key) {
    const TProperties* rule = Store.Find(key);
    EXPECT_NE(rule, nullptr) << key;
    static const TProperties kEmpty;
    return rule ? *rule : kEmpty;
  }
  bool Hover = false;
  TStyleList Store;
};

TEST_F(StyleListTest, DefaultEntryCarriesTheViewSettings) {
  TStyleDefaults defaults;
  defaults.DefaultFamily = "Arial";
  defaults.PageMarginWidth = 7;
  defaults.PageMarginHeight = 3;
  defaults.TextColour = 0x123456;
  defaults.Charset = 204;
  defaults.DefaultSizePoints = 10;
  Store.Initialize(defaults);
  const TProperties* standard = Store.DefaultEntry();
  ASSERT_EQ(standard, Store.Find("default"));
  EXPECT_EQ(*standard->TextOf(Prop::FontFamily), "Arial");
  EXPECT_EQ(standard->RealOf(Prop::FontSize), 10.0);
  EXPECT_EQ(standard->IntOf(Prop::MarginLeft), 7);
  EXPECT_EQ(standard->IntOf(Prop::MarginRight), 7);
  EXPECT_EQ(standard->IntOf(Prop::MarginTop), 3);
  EXPECT_EQ(standard->IntOf(Prop::MarginBottom), 3);
  EXPECT_EQ(standard->ColourOf(Prop::Color), 0x123456u);  // as given, no flag
  EXPECT_EQ(standard->IntOf(Prop::Visibility), kVisibilityVisible);
  EXPECT_EQ(standard->Charset, 204);
  EXPECT_EQ(standard->CodePage, 1251);
  EXPECT_EQ(*Store.Find("h1")->RealOf(Prop::FontSize), 20.0);
}

TEST_F(StyleListTest, DefaultSheetEntries) {
  EXPECT_EQ(Rule("::link").ColourOf(Prop::Color), 0xFF0000u + kColourFlag);
  EXPECT_EQ(*Rule("::link").TextOf(Prop::TextDecoration), "underline");
  EXPECT_EQ(Rule("::visited").ColourOf(Prop::Color), 0x800080u + kColourFlag);
  EXPECT_EQ(*Rule("h1").RealOf(Prop::FontSize), 24.0);
  EXPECT_EQ(*Rule("h6").RealOf(Prop::FontSize), 8.0);
  EXPECT_EQ(Rule("h3").IntOf(Prop::MarginTop), 19);
  EXPECT_EQ(*Rule("pre").RealOf(Prop::FontSize), 10.0);
  EXPECT_EQ(*Rule("pre").TextOf(Prop::FontFamily), "Courier New");
  EXPECT_EQ(Rule("p").IntOf(Prop::MarginTop), AutoParagraph);
  EXPECT_EQ(Rule("p 11pre").IntOf(Prop::MarginTop), 0);
  EXPECT_EQ(Rule("p 11pre").IntOf(Prop::MarginBottom), IntNull);
  EXPECT_EQ(Rule("menu").IntOf(Prop::MarginLeft), 35);
  EXPECT_EQ(*Rule("dir").TextOf(Prop::ListStyleType), "blank");
  EXPECT_EQ(*Rule("dl").TextOf(Prop::ListStyleType), "none");
  EXPECT_EQ(Rule("blockquote").IntOf(Prop::MarginBottom), 14);
  EXPECT_EQ(*Rule("samp").TextOf(Prop::FontSize), "0.833em");
  EXPECT_EQ(*Rule("th").TextOf(Prop::FontWeight), "bold");
  EXPECT_EQ(*Rule("sub").TextOf(Prop::VerticalAlign), "sub");
  EXPECT_EQ(*Rule("address").TextOf(Prop::FontStyle), "italic");
  EXPECT_EQ(*Rule("strike").TextOf(Prop::TextDecoration), "line-through");
  EXPECT_EQ(*Rule("caption").TextOf(Prop::TextAlign), "center");
  EXPECT_EQ(*Rule("table").TextOf(Prop::TextAlign), "none");
  EXPECT_EQ(*Rule("select").TextOf(Prop::FontFamily), "MS sans serif, sans-serif");
  EXPECT_EQ(*Rule("textarea").TextOf(Prop::FontFamily), "Courier New");
  EXPECT_EQ(*Rule("textarea").TextOf(Prop::FontSize), "10pt");
  EXPECT_EQ(Rule("hr").IntOf(Prop::MarginTop), 10);
  EXPECT_NE(Store.Find("null"), nullptr);
}

TEST_F(StyleListTest, SharedRowsAreSeparateCopies) {
  Store.AddModifyProp("strong", "color", "red");
  EXPECT_EQ(Rule("strong").ColourOf(Prop::Color), Flagged(255, 0, 0));
  EXPECT_TRUE(Rule("b").IsEmpty(Prop::Color));
  EXPECT_TRUE(Rule("th").IsEmpty(Prop::Color));
}

TEST_F(StyleListTest, UnderlinedLinksSwitch) {
  TStyleDefaults defaults;
  defaults.UnderlineLinks = false;
  Store.Initialize(defaults);
  EXPECT_EQ(*Rule("::link").TextOf(Prop::TextDecoration), "none");
}

TEST_F(StyleListTest, DocumentRuleChangesTheDefaultEntryInPlace) {
  Store.AddModifyProp("p", "margin-top", "0");
  EXPECT_EQ(*Rule("p").TextOf(Prop::MarginTop), "0");
  EXPECT_EQ(Rule("p").IntOf(Prop::MarginBottom), AutoParagraph);
  EXPECT_EQ(Store.Entries().count("p"), 1u);
  Store.AddModifyProp("P", "margin-top", "3px");  // keys ignore case
  EXPECT_EQ(*Rule("p").TextOf(Prop::MarginTop), "3px");
}

TEST_F(StyleListTest, ColourRules) {
  Store.AddModifyProp("em", "color", "nonsense");
  EXPECT_TRUE(Rule("em").IsEmpty(Prop::Color));  // rule created, colour left alone
  Store.AddModifyProp("em", "color", "ff0000");
  EXPECT_EQ(Rule("em").ColourOf(Prop::Color), Flagged(255, 0, 0));
  Store.AddModifyProp("em", "color", "bogus");
  EXPECT_EQ(Rule("em").ColourOf(Prop::Color), Flagged(255, 0, 0));
  Store.AddModifyProp("em", "background-color", "bogus");
  EXPECT_EQ(Rule("em").ColourOf(Prop::BackgroundColor), NoColour);
  Store.AddModifyProp("em", "border-color", "#00f");
  for (int slot : {Prop::BorderColor, Prop::BorderTopColor, Prop::BorderRightColor, Prop::BorderBottomColor, Prop::BorderLeftColor})
    EXPECT_EQ(Rule("em").ColourOf(slot), Flagged(0, 0, 255)) << slot;
  Store.AddModifyProp("em", "border-left-color", "bogus");
  EXPECT_EQ(Rule("em").ColourOf(Prop::BorderLeftColor), Flagged(0, 0, 255));
}

TEST_F(StyleListTest, LinkColoursReachTheUnnamedStates) {
  Store.AddModifyProp(":visited", "color", "green");
  EXPECT_EQ(Rule("::hover").ColourOf(Prop::Color), Flagged(0, 128, 0));
  EXPECT_EQ(Rule("::visited").ColourOf(Prop::Color), 0x800080u + kColourFlag);
  Store.AddModifyProp(":link", "color", "red");
  EXPECT_EQ(Rule("::hover").ColourOf(Prop::Color), Flagged(255, 0, 0));
  EXPECT_EQ(Rule("::visited").ColourOf(Prop::Color), Flagged(255, 0, 0));
  EXPECT_EQ(Rule("::link").ColourOf(Prop::Color), 0xFF0000u + kColourFlag);  // unchanged
}

TEST_F(StyleListTest, RuleForAIsAlsoStoredForLinks) {
  Store.AddModifyProp("a", "font-weight", "bold");
  EXPECT_EQ(*Rule("a").TextOf(Prop::FontWeight), "bold");
  EXPECT_EQ(*Rule("::link").TextOf(Prop::FontWeight), "bold");
  Store.AddModifyProp("a.x", "font-style", "italic");
  EXPECT_TRUE(Rule("::link").IsEmpty(Prop::FontStyle));
}

TEST_F(StyleListTest, HoverRulesSwitchHoverTrackingOn) {
  Store.AddModifyProp("a:visited", "color", "red");
  EXPECT_FALSE(Hover);
  Store.AddModifyProp("a.nav:hover", "color", "red");
  EXPECT_TRUE(Hover);
}

TEST_F(StyleListTest, SlotRules) {
  Store.AddModifyProp("x", "border-style", "dashed");
  for (int slot : {Prop::BorderStyle, Prop::BorderTopStyle, Prop::BorderRightStyle, Prop::BorderBottomStyle, Prop::BorderLeftStyle})
    EXPECT_EQ(*Rule("x").TextOf(slot), "dashed");
  Store.AddModifyProp("y", "border-top-style", "none");
  EXPECT_EQ(*Rule("y").TextOf(Prop::BorderTopStyle), "none");
  EXPECT_TRUE(Rule("y").IsEmpty(Prop::BorderStyle));
  Store.AddModifyProp("y", "border-left-style", "double");
  EXPECT_EQ(*Rule("y").TextOf(Prop::BorderStyle), "double");
  Store.AddModifyProp("x", "visibility", "hidden");
  EXPECT_EQ(Rule("x").IntOf(Prop::Visibility), kVisibilityHidden);
  Store.AddModifyProp("x", "visibility", "collapse");
  EXPECT_EQ(Rule("x").IntOf(Prop::Visibility), kVisibilityHidden);
  Store.AddModifyProp("x", "text-transform", "uppercase");
  EXPECT_EQ(Rule("x").IntOf(Prop::TextTransform), kTransformUpper);
  Store.AddModifyProp("x", "text-transform", "capitalize");
  EXPECT_EQ(Rule("x").IntOf(Prop::TextTransform), kTransformNone);
  Store.AddModifyProp("x", "font-variant", "small-caps");  // not a slot
  Store.AddModifyProp("z", "no-such-thing", "1");
  EXPECT_EQ(Store.Find("z"), nullptr);
}

TEST_F(StyleListTest, SequenceNumbersRestartOnClear) {
  EXPECT_EQ(Store.NextSequenceNumber(), "10");
  EXPECT_EQ(Store.NextSequenceNumber(), "11");
  Store.Initialize(TStyleDefaults());
  EXPECT_EQ(Store.NextSequenceNumber(), "10");
  Store.Clear();
  EXPECT_EQ(Store.DefaultEntry(), nullptr);
  EXPECT_TRUE(Store.Entries().empty());
}

}  // namespace
}  // namespace folverin
