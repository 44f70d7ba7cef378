#include <gtest/gtest.h>

#include <vector>

#include "htmlengine/style/style_list.h"
#include "htmlengine/style/style_sheet_parser.h"

namespace folverin {
namespace {

TColour Flagged(uint32_t red, uint32_t green, uint32_t blue) {
  return red + green * 256 + blue * 65536 + kColourFlag;
}

// A stack of element sets as the builder keeps it, the document's outermost
// set at the bottom.
class Cascade {
 public:
  explicit Cascade(const TStyleList& store) : Store(store) {
    Sets.reserve(64);
    Sets.emplace_back();
    Sets.back().CopyDocumentDefaults(*store.DefaultEntry());
  }
  TProperties& Push(std::string_view tag, std::string_view cls = "", std::string_view id = "",
                    std::string_view pseudo = "", const TProperties* inlineStyle = nullptr) {
    std::vector<const TProperties*> enclosing;
    for (auto it = Sets.rbegin(); it != Sets.rend(); ++it) enclosing.push_back(&*it);
    TProperties set;
    set.Inherit(Sets.back());
    set.Combine(Store, tag, cls, id, pseudo, nullptr, inlineStyle, enclosing);
    Sets.push_back(set);
    return Sets.back();
  }
  void Pop() { Sets.pop_back(); }

 private:
  const TStyleList& Store;
  std::vector<TProperties> Sets;
};

class StyleCascadeTest : public ::testing::Test {
 protected:
  StyleCascadeTest() { Store.Initialize(TStyleDefaults()); }
  void Sheet(std::string_view text) { ParseStyleSheetText(Store, text, ""); }
  TStyleList Store;
};

TEST_F(StyleCascadeTest, SimpleRulesApplyInKeyOrder) {
  Sheet("#i { color: maroon } p.c#i { color: teal } p { color: red } .c { color: green }"
        " p.c { color: blue } p:x { color: olive } .c:x { color: navy }");
  Cascade cascade(Store);
  EXPECT_EQ(cascade.Push("p").ColourOf(Prop::Color), Flagged(255, 0, 0));
  cascade.Pop();
  EXPECT_EQ(cascade.Push("p", "c").ColourOf(Prop::Color), Flagged(0, 0, 255));
  cascade.Pop();
  EXPECT_EQ(cascade.Push("p", "c", "", "x").ColourOf(Prop::Color), Flagged(0, 0, 128));
  cascade.Pop();
  EXPECT_EQ(cascade.Push("p", "", "i").ColourOf(Prop::Color), Flagged(128, 0, 0));
  cascade.Pop();
  EXPECT_EQ(cascade.Push("p", "c", "i").ColourOf(Prop::Color), Flagged(0, 128, 128));
  cascade.Pop();
  EXPECT_EQ(cascade.Push("div", "c").ColourOf(Prop::Color), Flagged(0, 128, 0));
}

TEST_F(StyleCascadeTest, HoverAndVisitedSetsSkipThePlainRules) {
  Sheet("a { color: red } .c { color: green } a:hover { font-weight: bold }");
  TProperties parent;
  parent.CopyDocumentDefaults(*Store.DefaultEntry());
  TProperties hover;
  hover.Inherit(parent);
  const TProperties* enclosing[] = {&parent};
  hover.Combine(Store, "a", "c", "", "hover", nullptr, nullptr, enclosing);
  EXPECT_EQ(*hover.TextOf(Prop::FontWeight), "bold");
  EXPECT_EQ(hover.ColourOf(Prop::Color), 0xFF0000u + kColourFlag);  // ::hover, not a or .c
}

// Link state sets that served another link, and the family a state shares
// with the link, must give the fonts that sets of the link's own give.
TEST_F(StyleCascadeTest, KeptLinkStateSetsGiveTheLinksOwnFonts) {
  Sheet("a { font-family: 'Times New Roman', serif } a:visited { font-family: Courier New }"
        " a.y:hover { font-size: 20pt; font-family: 'Lucida Handwriting' }"
        " .x:visited { text-decoration: none } .x:hover { color: red; font-weight: bold }");
  TProperties parent;
  parent.CopyDocumentDefaults(*Store.DefaultEntry());
  const TProperties* enclosing[] = {&parent};
  auto linkFonts = [&](std::string_view cls, TLinkStateSets* states) {
    TProperties set;
    set.Inherit(parent);
    set.Combine(Store, "a", cls, "", "link", nullptr, nullptr, enclosing, states);
    return set.LinkFonts ? std::optional<TLinkFonts>(*set.LinkFonts) : std::nullopt;
  };
  TLinkStateSets kept;
  const std::optional<TLinkFonts> other = linkFonts("y", &kept);
  ASSERT_TRUE(other.has_value());
  EXPECT_EQ(other, linkFonts("y", nullptr));
  EXPECT_TRUE(SameText((*other)[LinkHover].Family, "Lucida Handwriting"));
  EXPECT_EQ((*other)[LinkHover].SizePoints, 20);

  const std::optional<TLinkFonts> fonts = linkFonts("x", &kept);
  ASSERT_TRUE(fonts.has_value());
  EXPECT_EQ(fonts, linkFonts("x", nullptr));
  EXPECT_TRUE(SameText((*fonts)[LinkNormal].Family, "Times New Roman"));
  EXPECT_TRUE(SameText((*fonts)[LinkVisited].Family, "Courier New"));
  EXPECT_TRUE(SameText((*fonts)[LinkVisitedHover].Family, "Courier New"));
  EXPECT_TRUE(SameText((*fonts)[LinkHover].Family, "Times New Roman"));
  EXPECT_NE((*fonts)[LinkHover].Style & kFontBold, 0);
  EXPECT_NE((*fonts)[LinkVisitedHover].Style & kFontBold, 0);
  EXPECT_EQ((*fonts)[LinkVisited].Style & kFontBold, 0);
  EXPECT_EQ((*fonts)[LinkHover].Colour, (*fonts)[LinkVisitedHover].Colour);
  EXPECT_NE((*fonts)[LinkHover].Colour, (*fonts)[LinkVisited].Colour);
  EXPECT_EQ((*fonts)[LinkHover].SizePoints, (*fonts)[LinkNormal].SizePoints);
}

// Inside a link, a family set by a rule reaches the fonts of all four states
// of the link, each with the family the platform has; other slots leave the
// families alone.
TEST_F(StyleCascadeTest, FamilyInsideALinkReachesEveryState) {
  Sheet("a:visited { font-family: Courier New } em { font-family: 'Nowhere', serif }"
        " b { font-family: Nowhere } i { font-weight: bold }");
  TProperties parent;
  parent.CopyDocumentDefaults(*Store.DefaultEntry());
  const TProperties* outer[] = {&parent};
  TProperties link;
  link.Inherit(parent);
  link.Combine(Store, "a", "", "", "link", nullptr, nullptr, outer);
  ASSERT_NE(link.LinkFonts, nullptr);
  EXPECT_TRUE(SameText((*link.LinkFonts)[LinkVisited].Family, "Courier New"));
  const TProperties* inLink[] = {&link, &parent};
  auto inside = [&](std::string_view tag) {
    TProperties set;
    set.Inherit(link);
    set.Combine(Store, tag, "", "", "", nullptr, nullptr, inLink);
    return *set.LinkFonts;
  };
  const TLinkFonts em = inside("em");
  for (const TFontDescription& font : em) EXPECT_TRUE(SameText(font.Family, "Times New Roman"));
  const TLinkFonts b = inside("b");
  for (const TFontDescription& font : b)
    EXPECT_EQ(font.Family, Store.Metrics().DefaultFamily());
  const TLinkFonts i = inside("i");
  for (int state = 0; state < 4; ++state)
    EXPECT_EQ(i[state].Family, (*link.LinkFonts)[state].Family);
}

// Applying a rule visits only the slots written to it; every way a rule
// gets its values must leave them visible to it.
TEST_F(StyleCascadeTest, RulesGiveEverySlotTheyWereWritten) {
  TProperties rule;
  rule.Props[Prop::Float] = AnsiString("left");        // as the default sheet writes
  rule.AssignRuleValue(Prop::BorderStyle, "dotted");    // also the four side styles
  rule.SetColour(Prop::BackgroundColor, 0x123456);
  rule.Props[Prop::MarginLeft] = int32_t{5};
  rule.Props[Prop::Display] = AnsiString("none");
  rule.Props[Prop::Display] = std::monostate();          // emptied again: not given
  rule.Props[Prop::PaddingTop] = IntNull;                // a measure not given
  const TProperties copy = rule;
  TProperties another;
  another.CopySlots(rule);

  const TProperties* givers[] = {&rule, &copy, &another};
  for (const TProperties* given : givers) {
    TProperties set;
    set.ApplyRule(*given, Store.Metrics());
    EXPECT_EQ(*set.TextOf(Prop::Float), "left");
    EXPECT_EQ(*set.TextOf(Prop::BorderLeftStyle), "dotted");
    EXPECT_EQ(*set.TextOf(Prop::BorderStyle), "dotted");
    EXPECT_EQ(set.ColourOf(Prop::BackgroundColor), 0x123456u);
    EXPECT_EQ(set.IntOf(Prop::MarginLeft), 5);
    EXPECT_TRUE(set.SetFlags[Prop::ZIndex]);  // every rule gives z-index 0
    EXPECT_FALSE(set.SetFlags[Prop::Display]);
    EXPECT_FALSE(set.SetFlags[Prop::PaddingTop]);
    EXPECT_FALSE(set.SetFlags[Prop::Color]);
  }
  // A style attribute's set, as the tokenizer builds it.
  TProperties inlineStyle;
  inlineStyle.AssignByName("text-indent", "2em");
  TProperties set;
  set.ApplyRule(inlineStyle, Store.Metrics());
  EXPECT_EQ(*set.TextOf(Prop::TextIndent), "2em");
  EXPECT_TRUE(set.SetFlags[Prop::TextIndent]);
}

TEST_F(StyleCascadeTest, DescendantRulesComeAfterEverySimpleRule) {
  Sheet("ul li { color: red } li.x#y { color: blue } li { color: green }");
  Cascade cascade(Store);
  cascade.Push("ul");
  EXPECT_EQ(cascade.Push("li", "x", "y").ColourOf(Prop::Color), Flagged(255, 0, 0));
  cascade.Pop();
  cascade.Pop();
  cascade.Push("ol");
  EXPECT_EQ(cascade.Push("li", "x", "y").ColourOf(Prop::Color), Flagged(0, 0, 255));
}

TEST_F(StyleCascadeTest, AncestorSelectorsMatchOutwardsInOrder) {
  Sheet("div.box ul a { color: red } .menu a:link { color: lime } default a { color: blue }");
  Cascade cascade(Store);
  cascade.Push("div", "box");
  cascade.Push("ul");
  cascade.Push("li");
  EXPECT_EQ(cascade.Push("a").ColourOf(Prop::Color), Flagged(255, 0, 0));  // not adjacent: fine
  cascade.Pop();
  cascade.Pop();
  cascade.Pop();
  cascade.Pop();
  cascade.Push("ul");
  cascade.Push("div", "box");  // wrong order
  EXPECT_NE(cascade.Push("a").ColourOf(Prop::Color), Flagged(255, 0, 0));
  Cascade menu(Store);
  menu.Push("div", "menu");
  EXPECT_EQ(menu.Push("a", "", "", "link").ColourOf(Prop::Color), Flagged(0, 255, 0));
  menu.Pop();
  // The document's own set is no ancestor a rule can name.
  EXPECT_NE(menu.Push("a").ColourOf(Prop::Color), Flagged(0, 0, 255));
}

// Descendant keys are looked up only for names that occur in some key; each
// kind of first part must still find its rules.
TEST_F(StyleCascadeTest, DescendantRulesFoundByEveryKindOfFirstPart) {
  Sheet("div .note { color: red } div :x { top: 3px } div em { left: 4px } p .other { color: blue }");
  Cascade cascade(Store);
  cascade.Push("div");
  EXPECT_EQ(cascade.Push("span", "note").ColourOf(Prop::Color), Flagged(255, 0, 0));
  cascade.Pop();
  const AnsiString* top = cascade.Push("span", "", "", "x").TextOf(Prop::Top);
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(*top, "3px");
  cascade.Pop();
  const AnsiString* left = cascade.Push("em").TextOf(Prop::Left);
  ASSERT_NE(left, nullptr);
  EXPECT_EQ(*left, "4px");
  cascade.Pop();
  TProperties& plain = cascade.Push("span", "other", "", "y");
  EXPECT_FALSE(plain.SetFlags[Prop::Color]);
  EXPECT_FALSE(plain.SetFlags[Prop::Top]);
}

TEST_F(StyleCascadeTest, OddTagNamesDoNotHideDescendantRules) {
  // "a-b" and "a2" sort between "a#..." and "a.c ..."; they must not end the
  // search for the element's descendant rules.
  Sheet("a-b { color: red } a2 { color: red } div a.c { color: blue } div a:link { top: 1px }");
  Cascade cascade(Store);
  cascade.Push("div");
  TProperties& link = cascade.Push("a", "c", "", "link");
  EXPECT_EQ(link.ColourOf(Prop::Color), Flagged(0, 0, 255));
  EXPECT_EQ(*link.TextOf(Prop::Top), "1px");
}

TEST_F(StyleCascadeTest, ParagraphInsidePreLosesTopSpaceOnly) {
  Cascade cascade(Store);
  TProperties& plain = cascade.Push("p");
  EXPECT_EQ(plain.IntOf(Prop::MarginTop), AutoParagraph);
  cascade.Pop();
  cascade.Push("pre");
  TProperties& inPre = cascade.Push("p");
  EXPECT_EQ(inPre.IntOf(Prop::MarginTop), 0);
  EXPECT_EQ(inPre.IntOf(Prop::MarginBottom), AutoParagraph);
}

TEST_F(StyleCascadeTest, DocumentRuleForPKeepsBottomSpace) {
  Sheet("p { margin-top: 0 }");
  Cascade cascade(Store);
  TProperties& p = cascade.Push("p");
  EXPECT_EQ(*p.TextOf(Prop::MarginTop), "0");
  EXPECT_EQ(p.IntOf(Prop::MarginBottom), AutoParagraph);
}

TEST_F(StyleCascadeTest, InlineStyleComesLast) {
  Sheet("div p { color: red }");
  TProperties inlineStyle;
  ParseInlineStyle("color: blue", inlineStyle);
  Cascade cascade(Store);
  cascade.Push("div");
  TProperties& p = cascade.Push("p", "", "", "", &inlineStyle);
  EXPECT_EQ(p.ColourOf(Prop::Color), Flagged(0, 0, 255));
  EXPECT_TRUE(p.SetFlags[Prop::Color]);
  EXPECT_FALSE(p.SetFlags[Prop::FontWeight]);
  EXPECT_EQ(p.InlineStyle, &inlineStyle);
}

TEST_F(StyleCascadeTest, FontSizesResolveAgainstTheParent) {
  Sheet("div { font-size: 10pt } span { font-size: 150% } em { font-size: 2em }"
        " .small { font-size: small } .medium { font-size: medium }");
  Cascade cascade(Store);
  cascade.Push("div");
  EXPECT_DOUBLE_EQ(*cascade.Push("span").RealOf(Prop::FontSize), 15);
  cascade.Pop();
  EXPECT_DOUBLE_EQ(*cascade.Push("em").RealOf(Prop::FontSize), 20);
  cascade.Pop();
  EXPECT_DOUBLE_EQ(*cascade.Push("b", "small").RealOf(Prop::FontSize), 12);
  cascade.Pop();
  EXPECT_DOUBLE_EQ(*cascade.Push("b", "medium").RealOf(Prop::FontSize), 14.4);
  cascade.Pop();
  EXPECT_DOUBLE_EQ(*cascade.Push("h1").RealOf(Prop::FontSize), 24);
  EXPECT_DOUBLE_EQ(*cascade.Push("sub").RealOf(Prop::FontSize), 18);  // 75% of the heading
}

TEST_F(StyleCascadeTest, HeadingSizeFollowsTheDefaultSize) {
  TStyleDefaults defaults;
  defaults.DefaultSizePoints = 10;
  Store.Initialize(defaults);
  Cascade cascade(Store);
  EXPECT_DOUBLE_EQ(*cascade.Push("h1").RealOf(Prop::FontSize), 20);
  cascade.Pop();
  EXPECT_DOUBLE_EQ(*cascade.Push("code").RealOf(Prop::FontSize), 8.33);
}

TEST_F(StyleCascadeTest, SpanPassesEverySlotOthersDoNot) {
  Sheet("span { background-color: yellow; margin-left: 5px } div { background-color: yellow }");
  Cascade cascade(Store);
  cascade.Push("span");
  TProperties& inSpan = cascade.Push("b");
  EXPECT_EQ(inSpan.ColourOf(Prop::BackgroundColor), Flagged(255, 255, 0));
  EXPECT_EQ(*inSpan.TextOf(Prop::MarginLeft), "5px");
  EXPECT_FALSE(inSpan.SetFlags[Prop::BackgroundColor]);
  cascade.Pop();
  cascade.Pop();
  cascade.Push("div");
  TProperties& inDiv = cascade.Push("b");
  EXPECT_TRUE(inDiv.IsEmpty(Prop::BackgroundColor));
  EXPECT_EQ(inDiv.IntOf(Prop::MarginLeft), IntNull);
}

TEST_F(StyleCascadeTest, InheritCopiesElementState) {
  TProperties parent;
  parent.Tag = "div";
  parent.Title = "Hint";
  parent.Charset = 204;
  parent.CodePage = 1251;
  parent.EmSize = 15;
  parent.OwnBackground = 0x00FF00;
  parent.Props[Prop::TextAlign] = AnsiString("center");
  parent.Props[Prop::Display] = AnsiString("none");
  parent.Props[Prop::MarginTop] = int32_t{7};
  parent.LinkFonts = std::make_shared<const TLinkFonts>();
  TProperties child;
  child.Tag = "p";
  child.Inherit(parent);
  EXPECT_EQ(child.Tag, "p");
  EXPECT_EQ(child.Title, "Hint");
  EXPECT_EQ(child.Charset, 204);
  EXPECT_EQ(child.CodePage, 1251);
  EXPECT_EQ(child.EmSize, 15);
  EXPECT_EQ(child.ExSize, 7);
  EXPECT_EQ(child.OwnBackground, 0x00FF00u);
  EXPECT_NE(child.LinkFonts, nullptr);
  EXPECT_EQ(*child.TextOf(Prop::TextAlign), "center");
  EXPECT_TRUE(child.IsEmpty(Prop::Display));
  EXPECT_EQ(child.IntOf(Prop::MarginTop), IntNull);
}

TEST_F(StyleCascadeTest, AttributesFillOnlyWhatNoRuleSet) {
  Sheet("p { color: red }");
  Cascade cascade(Store);
  TProperties& p = cascade.Push("p");
  const FontMetrics& metrics = Store.Metrics();
  p.AssignFromAttribute(Prop::Color, static_cast<int32_t>(0x00FF00), metrics);
  EXPECT_EQ(p.ColourOf(Prop::Color), Flagged(255, 0, 0));
  p.AssignFromAttribute(Prop::TextAlign, AnsiString("right"), metrics);
  EXPECT_EQ(*p.TextOf(Prop::TextAlign), "right");
  p.AssignFromAttribute(Prop::TextAlign, AnsiString("center"), metrics);
  EXPECT_EQ(*p.TextOf(Prop::TextAlign), "right");  // the first attribute raised the flag
}

TEST_F(StyleCascadeTest, LinkFontsFollowTheStates) {
  Sheet("a:hover { text-decoration: none; color: red } a:visited { font-style: italic }");
  Cascade cascade(Store);
  TProperties& link = cascade.Push("a", "", "", "link");
  ASSERT_NE(link.LinkFonts, nullptr);
  const TLinkFonts& fonts = *link.LinkFonts;
  EXPECT_EQ(fonts[LinkNormal].Colour, 0xFF0000u + kColourFlag);  // the view's link colour
  EXPECT_EQ(fonts[LinkNormal].Style, kFontUnderline);
  EXPECT_EQ(fonts[LinkVisited].Colour, 0x800080u + kColourFlag);
  EXPECT_EQ(fonts[LinkVisited].Style, kFontUnderline | kFontItalic);
  EXPECT_EQ(fonts[LinkHover].Colour, Flagged(255, 0, 0));
  EXPECT_EQ(fonts[LinkHover].Style, 0);
  EXPECT_EQ(fonts[LinkVisitedHover].Colour, Flagged(255, 0, 0));
  EXPECT_EQ(fonts[LinkVisitedHover].Style, kFontItalic);
  EXPECT_EQ(fonts[LinkNormal].Family, "Times New Roman");
  EXPECT_DOUBLE_EQ(fonts[LinkNormal].SizePoints, 12);

  // Rules for elements inside the link change all four fonts.
  TProperties& bold = cascade.Push("b");
  ASSERT_NE(bold.LinkFonts, nullptr);
  for (const TFontDescription& font : *bold.LinkFonts) EXPECT_TRUE(font.Style & kFontBold);
  bold.AssignFromAttribute(Prop::FontSize, 18.0, Store.Metrics());
  for (const TFontDescription& font : *bold.LinkFonts) EXPECT_DOUBLE_EQ(font.SizePoints, 18);
}

TEST_F(StyleCascadeTest, RuleForAReachesLinks) {
  Sheet("a { color: green; font-size: 2em }");
  Cascade cascade(Store);
  TProperties& link = cascade.Push("a", "", "", "link");
  EXPECT_EQ(link.ColourOf(Prop::Color), Flagged(0, 128, 0));
  EXPECT_DOUBLE_EQ(*link.RealOf(Prop::FontSize), 24);  // once, not squared
}

TEST_F(StyleCascadeTest, RealisedFont) {
  FixedWidthFontMetrics metrics;
  Sheet("p { font-family: 'Nowhere', sans-serif; font-size: 13.6pt; font-weight: 700;"
        " font-style: oblique; text-decoration: underline line-through }"
        " div { font-family: \"Unknown\" }");
  Cascade cascade(Store);
  TProperties& p = cascade.Push("p");
  TRealisedFont font = p.GetFont(metrics);
  EXPECT_EQ(font.Family, "Arial");
  EXPECT_EQ(font.SizePoints, 14);
  EXPECT_EQ(font.Style, kFontBold | kFontItalic | kFontUnderline | kFontStrikeOut);
  EXPECT_EQ(font.Charset, 0);  // DEFAULT_CHARSET realised as the system's
  EXPECT_EQ(font.Height, 22);  // em 19 + internal leading 3
  EXPECT_EQ(p.EmSize, 19);
  EXPECT_EQ(p.ExSize, 9);
  cascade.Pop();
  EXPECT_EQ(cascade.Push("div").GetFont(metrics).Family, "Arial");  // the default family
  EXPECT_EQ(ChooseInstalledFamily("serif", metrics), "Times New Roman");
  EXPECT_EQ(ChooseInstalledFamily("'courier new', monospace", metrics), "courier new");
  EXPECT_EQ(ChooseInstalledFamily("cursive", metrics), "Lucida Handwriting");
}

}  // namespace
}  // namespace folverin
