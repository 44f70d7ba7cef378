#include "htmlengine/style/style_sheet_parser.h"

#include <gtest/gtest.h>

namespace folverin {
namespace {

TColour Flagged(uint32_t red, uint32_t green, uint32_t blue) {
  return red + green * 256 + blue * 65536 + kColourFlag;
}

class StyleSheetParserTest : public ::testing::Test {
 protected:
  StyleSheetParserTest() { Store.Initialize(TStyleDefaults()); }

  // Reads text the way the tokenizer hands over a STYLE element: line ends
  // as CR, starting at the ">" of the start tag. Returns the character
  // handed back and leaves the unread rest in Rest.
  char ParseElement(std::string_view text) {
    size_t position = 0;
    char current = '>';
    ParseStyleSheet(Store, current, [&]() -> char {
      if (position >= text.size()) return kStyleEndOfInput;
      char c = text[position++];
      return c == '\n' ? '\r' : c;
    }, "");
    Rest = AnsiString(text.substr(position));
    return current;
  }
  AnsiString Text(std::string_view key, int slot) {
    const TProperties* rule = Store.Find(key);
    const AnsiString* text = rule ? rule->TextOf(slot) : nullptr;
    return text ? *text : "<none>";
  }
  TColour Colour(std::string_view key, int slot) {
    const TProperties* rule = Store.Find(key);
    return rule ? rule->ColourOf(slot) : 0;
  }
  bool Has(std::string_view key) { return Store.Find(key) != nullptr; }

  TStyleList Store;
  AnsiString Rest;
};

TEST_F(StyleSheetParserTest, StyleElementHiddenInAComment) {
  char stop = ParseElement("\n<!--\np {color: red}\n-->\n</style><p>text");
  EXPECT_EQ(stop, '<');
  EXPECT_EQ(Rest, "/style><p>text");  // the tokenizer goes on from the "<"
  EXPECT_EQ(Colour("p", Prop::Color), Flagged(255, 0, 0));
  EXPECT_EQ(ParseElement("h1 {color:blue}"), kStyleEndOfInput);
  EXPECT_EQ(Colour("h1", Prop::Color), Flagged(0, 0, 255));
}

TEST_F(StyleSheetParserTest, HandsBackTheStopCharacterInUpperCase) {
  EXPECT_EQ(ParseElement("@media x; a"), kStyleEndOfInput);
  ParseStyleSheetText(Store, "x{}", "");
  char current = 'q';
  size_t calls = 0;
  ParseStyleSheet(Store, current, [&]() -> char { return calls++ == 0 ? 'z' : kStyleEndOfInput; }, "");
  EXPECT_EQ(current, kStyleEndOfInput);
}

TEST_F(StyleSheetParserTest, LinkedSheetLineEnds) {
  ParseStyleSheetText(Store, "ul\r\nli\t{ color: red }\nol\nli { color: blue }\rdl\rdt{top:1px}", "");
  EXPECT_EQ(Colour("li 110ul ", Prop::Color), Flagged(255, 0, 0));
  EXPECT_EQ(Colour("li 111ol ", Prop::Color), Flagged(0, 0, 255));
  EXPECT_EQ(Text("dt 112dl ", Prop::Top), "1px");
}

TEST_F(StyleSheetParserTest, SelectorListsAndCase) {
  ParseStyleSheetText(Store, "P.Note, H1 { Color : Blue }", "");
  EXPECT_EQ(Colour("p.note", Prop::Color), Flagged(0, 0, 255));
  EXPECT_EQ(Colour("h1", Prop::Color), Flagged(0, 0, 255));
  ParseStyleSheetText(Store, "#Main, p#main.intro:link {font-weight: bold}", "");
  EXPECT_EQ(Text("#main", Prop::FontWeight), "bold");
  EXPECT_EQ(Text("p#main.intro:link", Prop::FontWeight), "bold");
}

TEST_F(StyleSheetParserTest, UnsupportedSelectorSyntax) {
  ParseStyleSheetText(Store, "ul > li { color: red } a[href] { color: lime } * { color: blue }", "");
  EXPECT_EQ(Colour("ul", Prop::Color), Flagged(255, 0, 0));
  EXPECT_EQ(Colour("a", Prop::Color), Flagged(0, 255, 0));
  EXPECT_EQ(Colour("", Prop::Color), Flagged(0, 0, 255));
  EXPECT_FALSE(Has("li"));
}

TEST_F(StyleSheetParserTest, DescendantKeys) {
  ParseStyleSheetText(Store, "ul li a { color: red } div  p { color: blue } x y, z w {top:1px}", "");
  EXPECT_EQ(Colour("a 210li ul ", Prop::Color), Flagged(255, 0, 0));
  EXPECT_EQ(Colour("p 111div ", Prop::Color), Flagged(0, 0, 255));
  EXPECT_EQ(Text("y 112x ", Prop::Top), "1px");
  EXPECT_EQ(Text("w 113z ", Prop::Top), "1px");
  EXPECT_EQ(Store.NextSequenceNumber(), "14");
}

TEST_F(StyleSheetParserTest, DeclarationSyntax) {
  ParseStyleSheetText(Store,
                      "p { color = green; margin-left:3px ; ;; junk; text-align: 'center' ;"
                      " font-family: \"Arial\"; line-height: 'x\" }"
                      " h2 { color: red !important }"
                      " h3 { font-weight: bold }",
                      "");
  EXPECT_EQ(Colour("p", Prop::Color), Flagged(0, 128, 0));
  EXPECT_EQ(Text("p", Prop::MarginLeft), "3px");
  EXPECT_EQ(Text("p", Prop::TextAlign), "center");
  EXPECT_EQ(Text("p", Prop::FontFamily), "arial");
  EXPECT_EQ(Text("p", Prop::LineHeight), "'x\"");
  EXPECT_TRUE(Store.Find("h2")->IsEmpty(Prop::Color));  // "!important" stays in the value
  EXPECT_EQ(Text("h3", Prop::FontWeight), "bold");
}

TEST_F(StyleSheetParserTest, AtRulesAreSkippedWithTheirBlocks) {
  ParseStyleSheetText(Store,
                      "@import url(x.css); @media print { p { color: red } } "
                      "@font-face { a { b { c } } } h1 { color: blue }",
                      "");
  EXPECT_TRUE(Store.Find("p")->IsEmpty(Prop::Color));
  EXPECT_EQ(Colour("h1", Prop::Color), Flagged(0, 0, 255));
}

TEST_F(StyleSheetParserTest, Comments) {
  ParseStyleSheetText(Store, "/*** title ***/ h1 { color: /* x */ red } /**/h2{color:blue}", "");
  EXPECT_EQ(Colour("h1", Prop::Color), Flagged(255, 0, 0));
  EXPECT_EQ(Colour("h2", Prop::Color), Flagged(0, 0, 255));
  char stop = ParseElement("h3 { color: red } /* a < b */ h4 { color: red }");
  EXPECT_EQ(stop, '<');
  EXPECT_EQ(Colour("h3", Prop::Color), Flagged(255, 0, 0));
  EXPECT_TRUE(Store.Find("h4")->IsEmpty(Prop::Color));
  EXPECT_EQ(Rest, " b */ h4 { color: red }");
}

TEST_F(StyleSheetParserTest, LessThanEndsTheSheetAnywhere) {
  char stop = ParseElement("h5 { font-family: 'a<b' }");
  EXPECT_EQ(stop, '<');
  EXPECT_EQ(Text("h5", Prop::FontFamily), "'a");
}

TEST_F(StyleSheetParserTest, MarginShorthand) {
  ParseStyleSheetText(Store, "a1 { margin: 1px } a2 { margin: 1px 2px } a3 { padding: 1px 2px 3px }"
                             " a4 { border-width: 1px 2px 3px 4px 5px } a5 { margin: }", "");
  for (int slot : {Prop::MarginTop, Prop::MarginRight, Prop::MarginBottom, Prop::MarginLeft}) EXPECT_EQ(Text("a1", slot), "1px");
  EXPECT_EQ(Text("a2", Prop::MarginTop), "1px");
  EXPECT_EQ(Text("a2", Prop::MarginRight), "2px");
  EXPECT_EQ(Text("a2", Prop::MarginBottom), "1px");
  EXPECT_EQ(Text("a2", Prop::MarginLeft), "2px");
  EXPECT_EQ(Text("a3", Prop::PaddingTop), "1px");
  EXPECT_EQ(Text("a3", Prop::PaddingRight), "2px");
  EXPECT_EQ(Text("a3", Prop::PaddingBottom), "3px");
  EXPECT_EQ(Text("a3", Prop::PaddingLeft), "2px");
  EXPECT_EQ(Text("a4", Prop::BorderTopWidth), "1px");
  EXPECT_EQ(Text("a4", Prop::BorderRightWidth), "2px");
  EXPECT_EQ(Text("a4", Prop::BorderBottomWidth), "3px");
  EXPECT_EQ(Text("a4", Prop::BorderLeftWidth), "4px");
  EXPECT_FALSE(Has("a5"));  // an empty value sets nothing
}

TEST_F(StyleSheetParserTest, BorderShorthands) {
  ParseStyleSheetText(Store, "b1 { border: 1px solid red } b2 { border-left: thick dotted #00ff00 }"
                             " b3 { border-top: ff0000 rgb(0,0,255) } b4 { border: medium none }", "");
  for (int slot : {Prop::BorderTopWidth, Prop::BorderRightWidth, Prop::BorderBottomWidth, Prop::BorderLeftWidth})
    EXPECT_EQ(Text("b1", slot), "1px");
  EXPECT_EQ(Text("b1", Prop::BorderStyle), "solid");
  EXPECT_EQ(Text("b1", Prop::BorderLeftStyle), "solid");
  EXPECT_EQ(Colour("b1", Prop::BorderColor), Flagged(255, 0, 0));
  EXPECT_EQ(Colour("b1", Prop::BorderBottomColor), Flagged(255, 0, 0));
  EXPECT_EQ(Text("b2", Prop::BorderLeftWidth), "thick");
  EXPECT_EQ(Text("b2", Prop::BorderLeftStyle), "dotted");
  EXPECT_EQ(Colour("b2", Prop::BorderLeftColor), Flagged(0, 255, 0));
  EXPECT_EQ(Store.Find("b2")->IntOf(Prop::BorderTopWidth), IntNull);
  // A bare ff0000 is no colour here: it becomes a width.
  EXPECT_EQ(Text("b3", Prop::BorderTopWidth), "ff0000");
  EXPECT_EQ(Colour("b3", Prop::BorderTopColor), Flagged(0, 0, 255));
  EXPECT_EQ(Text("b4", Prop::BorderStyle), "none");
  EXPECT_EQ(Text("b4", Prop::BorderRightWidth), "medium");
}

TEST_F(StyleSheetParserTest, FontShorthand) {
  ParseStyleSheetText(Store, "f1 { font: bold italic 12pt/14pt arial }"
                             " f2 { font: 700 'times new roman' small-caps larger }"
                             " f3 { font: \"Arial\" }", "");
  EXPECT_EQ(Text("f1", Prop::FontWeight), "bold");
  EXPECT_EQ(Text("f1", Prop::FontStyle), "italic");
  EXPECT_EQ(Text("f1", Prop::FontSize), "12pt");
  EXPECT_EQ(Text("f1", Prop::LineHeight), "14pt");
  EXPECT_EQ(Text("f1", Prop::FontFamily), "arial");
  EXPECT_EQ(Text("f2", Prop::FontSize), "larger");  // 700 set it first, then larger
  EXPECT_EQ(Text("f2", Prop::FontFamily), "'times new roman'");
  EXPECT_TRUE(Store.Find("f2")->IsEmpty(Prop::FontWeight));
  EXPECT_EQ(Text("f3", Prop::FontFamily), "\"arial\"");  // quotes of a font value stay
}

TEST_F(StyleSheetParserTest, BackgroundShorthandInALinkedSheet) {
  ParseStyleSheetText(Store, "body { background: url(bg.gif) no-repeat fixed top left #fff }",
                      "C:\\Site\\css\\", TStylePathForm::Windows);
  EXPECT_EQ(Text("body", Prop::BackgroundImage), "url(C:\\Site\\css\\bg.gif)");
  EXPECT_EQ(Text("body", Prop::BackgroundRepeat), "no-repeat");
  EXPECT_EQ(Text("body", Prop::BackgroundAttachment), "fixed");
  EXPECT_EQ(Colour("body", Prop::BackgroundColor), Flagged(255, 255, 255));
  EXPECT_EQ(Text("body", Prop::BackgroundPosition), "top left ");
}

TEST_F(StyleSheetParserTest, BackgroundWordPasses) {
  ParseStyleSheetText(Store, "g1 { background: none rgb(1,2,3) repeat-x scroll a b c }"
                             " g2 { background: ffffff center } g3 { background: red }", "");
  EXPECT_EQ(Text("g1", Prop::BackgroundImage), "none");
  EXPECT_EQ(Colour("g1", Prop::BackgroundColor), Flagged(1, 2, 3));
  EXPECT_EQ(Text("g1", Prop::BackgroundRepeat), "repeat-x");
  EXPECT_EQ(Text("g1", Prop::BackgroundAttachment), "scroll");
  EXPECT_EQ(Text("g1", Prop::BackgroundPosition), "b c ");
  EXPECT_EQ(Text("g2", Prop::BackgroundPosition), "ffffff center ");
  EXPECT_TRUE(Store.Find("g2")->IsEmpty(Prop::BackgroundColor));
  EXPECT_TRUE(Store.Find("g3")->IsEmpty(Prop::BackgroundPosition));
}

TEST_F(StyleSheetParserTest, ListStyleAndUrlsOfOtherProperties) {
  ParseStyleSheetText(Store, "ul { list-style: square url(dot.gif) }"
                             " ol { list-style-image: url(n.gif) }", "/site/css/");
  EXPECT_EQ(Text("ul", Prop::ListStyleType), "square");
  EXPECT_EQ(Text("ul", Prop::ListStyleImage), "url(/site/css/dot.gif)");
  EXPECT_EQ(Text("ol", Prop::ListStyleImage), "url(/site/css/n.gif)");
  ParseStyleSheetText(Store, "dl { list-style-image: url(n.gif) }", "");
  EXPECT_EQ(Text("dl", Prop::ListStyleImage), "url(n.gif)");  // STYLE elements resolve nothing
}

TEST_F(StyleSheetParserTest, InlineStyle) {
  TProperties set;
  ParseInlineStyle("COLOR:RED; Margin-Left=10PX", set);
  EXPECT_EQ(set.ColourOf(Prop::Color), Flagged(255, 0, 0));
  EXPECT_EQ(*set.TextOf(Prop::MarginLeft), "10px");
  ParseInlineStyle("color: nonsense; background: url(x.gif) #123456; font: 'A B' 9pt;"
                   " margin: 1px 2px\r; border: 2px inset; junk; =; :x", set);
  EXPECT_EQ(set.ColourOf(Prop::Color), 0u);  // no colour in a STYLE attribute gives black
  EXPECT_EQ(*set.TextOf(Prop::BackgroundImage), "url(x.gif)");
  EXPECT_EQ(set.ColourOf(Prop::BackgroundColor), Flagged(0x12, 0x34, 0x56));
  EXPECT_EQ(*set.TextOf(Prop::FontFamily), "'a b'");
  EXPECT_EQ(*set.TextOf(Prop::FontSize), "9pt");
  EXPECT_EQ(*set.TextOf(Prop::MarginLeft), "2px");
  EXPECT_EQ(*set.TextOf(Prop::BorderBottomWidth), "2px");
  EXPECT_EQ(*set.TextOf(Prop::BorderStyle), "inset");
  TProperties quoted;
  ParseInlineStyle("font-family: \"Verdana\"; color: \"blue\"", quoted);
  EXPECT_EQ(*quoted.TextOf(Prop::FontFamily), "verdana");
  EXPECT_EQ(quoted.ColourOf(Prop::Color), Flagged(0, 0, 255));
}

TEST_F(StyleSheetParserTest, SelectorKeyOfOneSelector) {
  EXPECT_EQ(SelectorKey("p", Store), "p");
  EXPECT_EQ(SelectorKey("", Store), "");
  EXPECT_EQ(SelectorKey("a b c d e f g h i j k l", Store), "l 1110k j i h g f e d c b a ");
}

}  // namespace
}  // namespace folverin
