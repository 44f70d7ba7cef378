#include "htmlengine/style/property_derived_values.h"

#include <gtest/gtest.h>

#include "htmlengine/style/style_sheet_parser.h"

namespace folverin {
namespace {

TProperties Styled(std::string_view style) {
  TProperties set;
  ParseInlineStyle(style, set);
  return set;
}

TEST(PropertyDerivedValues, KeywordCodes) {
  EXPECT_EQ(AlignCode("absmiddle"), 2);
  EXPECT_EQ(AlignCode("justify"), 7);
  EXPECT_EQ(AlignCode("Left"), 0);  // keywords arrive lower-cased
  EXPECT_EQ(TextAlignCode(Styled("text-align: right")), 6);
  EXPECT_EQ(VerticalAlignCode(Styled("vertical-align: text-top")), 1);
  EXPECT_EQ(VerticalAlignCode(Styled("vertical-align: super")), 9);
  EXPECT_EQ(VerticalAlignCode(Styled("vertical-align: 3px")), std::nullopt);
  EXPECT_EQ(FloatCode(Styled("float: right")), 6);
  EXPECT_EQ(FloatCode(Styled("float: none")), 0);
  EXPECT_EQ(FloatCode(Styled("")), std::nullopt);
  EXPECT_EQ(ClearCode(Styled("clear: both")), 3);
  EXPECT_EQ(ListStyleTypeCode(Styled("list-style: upper-roman")), 9);
  EXPECT_EQ(ListStyleTypeCode(Styled("list-style-type: disc")), 3);
  EXPECT_EQ(ListStyleTypeCode(Styled("list-style-type: hebrew")), 0);
  EXPECT_EQ(PositionCode(Styled("position: relative")), 2);
  EXPECT_EQ(PositionCode(Styled("position: fixed")), 0);
  EXPECT_TRUE(IsHidden(Styled("visibility: hidden")));
  EXPECT_FALSE(IsHidden(Styled("visibility: visible")));
  EXPECT_TRUE(IsDisplayNone(Styled("display: none")));
  EXPECT_EQ(ZIndexOf(Styled("z-index: 5")), 5);
  EXPECT_EQ(ZIndexOf(Styled("")), 0);
  EXPECT_TRUE(PageBreakBefore(Styled("page-break-before: always")));
  EXPECT_FALSE(PageBreakAfter(Styled("page-break-after: auto")));
  EXPECT_TRUE(PageBreakInside(Styled("page-break-inside: avoid")));
  EXPECT_EQ(BorderStyleCode("groove"), 4);
  EXPECT_EQ(BorderStyleCode("wavy"), 0);
}

TEST(PropertyDerivedValues, Addresses) {
  EXPECT_EQ(ListStyleImageAddress(Styled("list-style-image: url('dot.gif')")), "dot.gif");
  EXPECT_EQ(BackgroundImageAddress(Styled("background-image: url(\"a b.gif\")")), "a b.gif");
  EXPECT_EQ(BackgroundImageAddress(Styled("background-image: none")), "");
  EXPECT_EQ(BackgroundRepeatOf(Styled("background-repeat: repeat-y")), brVertical);
  EXPECT_EQ(BackgroundRepeatOf(Styled("background-repeat: round")), brBoth);
  EXPECT_TRUE(BackgroundFixed(Styled("background-attachment: fixed")));
}

TEST(PropertyDerivedValues, LineHeightAndIndent) {
  TProperties set = Styled("line-height: 1.5");
  set.EmSize = 20;
  EXPECT_EQ(LineHeightPixels(set, 16), 24);
  set = Styled("line-height: 150%");
  set.EmSize = 20;
  EXPECT_EQ(LineHeightPixels(set, 16), 30);
  set = Styled("line-height: 2em");
  set.EmSize = 20;
  EXPECT_EQ(LineHeightPixels(set, 16), 40);
  EXPECT_EQ(LineHeightPixels(Styled(""), 16), -1);
  set = Styled("text-indent: 10%");
  TTextIndent indent = TextIndentOf(set);
  EXPECT_TRUE(indent.Percent);
  EXPECT_EQ(indent.Value, 10);
  set = Styled("text-indent: 2ex");
  set.EmSize = 10;
  indent = TextIndentOf(set);
  EXPECT_FALSE(indent.Percent);
  EXPECT_EQ(indent.Value, 20);  // ex counts as a whole em here
}

TBackgroundPosition Position(std::string_view value) {
  return BackgroundPositionOf(Styled("background-position: " + std::string(value)));
}

TEST(PropertyDerivedValues, BackgroundPosition) {
  using A = TBackgroundAxis;
  TBackgroundPosition p = Position("top left ");
  EXPECT_EQ(p.Horizontal, (A{bpLeft, 0}));
  EXPECT_EQ(p.Vertical, (A{bpTop, 0}));
  p = Position("right bottom");
  EXPECT_EQ(p.Horizontal, (A{bpRight, 0}));
  EXPECT_EQ(p.Vertical, (A{bpBottom, 0}));
  p = Position("50% left");  // the percentage moves to the vertical axis
  EXPECT_EQ(p.Horizontal, (A{bpLeft, 0}));
  EXPECT_EQ(p.Vertical, (A{bpPercent, 50}));
  p = Position("bottom 10px");
  EXPECT_EQ(p.Horizontal, (A{bpLength, 10}));
  EXPECT_EQ(p.Vertical, (A{bpBottom, 0}));
  p = Position("20% 30px");
  EXPECT_EQ(p.Horizontal, (A{bpPercent, 20}));
  EXPECT_EQ(p.Vertical, (A{bpLength, 30}));
  p = Position("top");
  EXPECT_EQ(p.Horizontal, (A{bpCenter, 0}));
  EXPECT_EQ(p.Vertical, (A{bpTop, 0}));
  p = BackgroundPositionOf(TProperties());
  EXPECT_EQ(p.Horizontal, (A{bpLength, 0}));
  EXPECT_EQ(p.Vertical, (A{bpLength, 0}));
}

TEST(PropertyDerivedValues, OwnColoursNeedTheSetFlag) {
  TProperties set = Styled("color: red");
  EXPECT_EQ(OwnColour(set), NoColour);  // assigned, but by no rule of the element
  set.SetFlags[Prop::Color] = true;
  EXPECT_EQ(OwnColour(set), 0xFFu + kColourFlag);
  EXPECT_EQ(OwnBackgroundColour(set), NoColour);
}

TEST(PropertyDerivedValues, BoxMeasures) {
  TBoxContext context{400, 300, 16, 8, 96};
  TProperties set = Styled("margin: 10px auto 1in 50%; padding: 2em; width: 25%; height: 50%;"
                           " top: nonsense; border-top: thin solid; border-right: 3px dashed;"
                           " border-bottom-width: 5px; border-left: thick none blue");
  TBoxMeasures box = BoxMeasuresOf(set, context);
  EXPECT_EQ(box.Margin, (std::array<int, 4>{10, Auto, 96, 200}));
  EXPECT_EQ(box.Padding, (std::array<int, 4>{32, 32, 32, 32}));
  EXPECT_EQ(box.BorderWidth, (std::array<int, 4>{2, 3, 0, 0}));  // no style, no width
  EXPECT_EQ(box.BorderStyleCodes, (std::array<int, 4>{1, 6, 0, 0}));
  EXPECT_EQ(box.BorderColour[3], 0xFF0000u + kColourFlag);
  EXPECT_EQ(box.BorderColour[0], 0u);
  EXPECT_EQ(box.BackgroundColour, NoColour);
  EXPECT_EQ(box.Width, 100);
  EXPECT_EQ(box.Height, 150);
  EXPECT_EQ(box.Top, Auto);
  EXPECT_EQ(box.Left, Auto);

  TProperties paragraph;
  paragraph.Props[Prop::MarginTop] = AutoParagraph;
  paragraph.Props[Prop::BorderTopStyle] = AnsiString("solid");
  paragraph.Props[Prop::BorderTopWidth] = AnsiString("huge");
  box = BoxMeasuresOf(paragraph, context);
  EXPECT_EQ(box.Margin[0], 14);
  EXPECT_TRUE(box.TopParagraphSpace);
  EXPECT_EQ(box.Margin[2], 0);
  EXPECT_FALSE(box.BottomParagraphSpace);
  EXPECT_EQ(box.BorderWidth[0], 4);  // unreadable width
  EXPECT_EQ(box.Width, Auto);
  EXPECT_EQ(box.Height, 0);
}

}  // namespace
}  // namespace folverin
