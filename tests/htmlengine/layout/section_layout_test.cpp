#include <gtest/gtest.h>

#include "htmlengine/builder/document_builder.h"
#include "htmlengine/document/section_list.h"
#include "htmlengine/layout/section_layout_test_support.h"

namespace folverin {
namespace {

using test::TSectionLayoutFixture;
using TLines = std::vector<std::u16string>;

class SectionLayoutTest : public TSectionLayoutFixture {};

TEST_F(SectionLayoutTest, ParagraphBreaksAfterItsSpaces) {
  auto section = Section(u"aaa bbb ccc ddd");
  section->Complete();
  ASSERT_EQ(section->FontRuns.front().MaxCharWidth, 8);
  EXPECT_EQ(LayOut(*section, 60), 38);
  EXPECT_EQ(Lines(*section), (TLines{u"aaa bbb ", u"ccc ddd"}));
  EXPECT_EQ(Cursor, 15);
  EXPECT_EQ(MaxWidth, 60);

  // Six characters fit: the line goes back to the last space.
  EXPECT_EQ(LayOut(*section, 48), 4 * 19);
  EXPECT_EQ(Lines(*section), (TLines{u"aaa ", u"bbb ", u"ccc ", u"ddd"}));
  ExpectCovered(*section);
  for (const LineRec& line : section->LineList) {
    EXPECT_EQ(line.LineHt, 19);
    EXPECT_EQ(line.Descent, 4);
    EXPECT_EQ(line.LineIndent, 0);
  }
}

// The rest of a paragraph that fits goes on its last line without being
// walked; exactly as wide as the line is still a fit, one character more is not,
// and only the first line loses the indent.
TEST_F(SectionLayoutTest, LastLineTakesExactlyWhatFits) {
  auto exact = Section(u"aaaaa bbb cc");
  exact->Complete();
  LayOut(*exact, 48);
  EXPECT_EQ(Lines(*exact), (TLines{u"aaaaa ", u"bbb cc"}));

  auto over = Section(u"aaaaa bbb ccc");
  over->Complete();
  LayOut(*over, 48);
  EXPECT_EQ(Lines(*over), (TLines{u"aaaaa ", u"bbb ", u"ccc"}));

  exact->IndentPixels = 16;
  LayOut(*exact, 48);
  EXPECT_EQ(Lines(*exact), (TLines{u"aaaaa ", u"bbb cc"}));
  over->IndentPixels = 16;
  LayOut(*over, 48);
  EXPECT_EQ(Lines(*over), (TLines{u"aaaaa ", u"bbb ", u"ccc"}));
  ExpectCovered(*over);
}

TEST_F(SectionLayoutTest, OverlongWordRunsToItsEnd) {
  auto section = Section(u"x " + std::u16string(30, u'a') + u"-bbb ccc");
  section->Complete();
  LayOut(*section, 80);
  EXPECT_EQ(Lines(*section), (TLines{u"x ", std::u16string(30, u'a') + u"-", u"bbb ccc"}));
  EXPECT_EQ(MaxWidth, 31 * 8);  // the overflowing line is the widest

  auto word = Section(u"abcdefghijklmnop rest");
  word->Complete();
  LayOut(*word, 40);
  EXPECT_EQ(Lines(*word), (TLines{u"abcdefghijklmnop ", u"rest"}));
}

TEST_F(SectionLayoutTest, NoBreakTextBreaksOnlyWhereAWbrAllows) {
  auto nobr = Tree.NewSection();
  Append(*nobr, u"aaa bbb ccc", true);
  nobr->Complete();
  LayOut(*nobr, 40);
  EXPECT_EQ(Lines(*nobr), (TLines{u"aaa bbb ccc"}));

  // The space a WBR inserts may break.
  auto wbr = Tree.NewSection();
  Append(*wbr, u"aaa", true);
  Append(*wbr, u" ");
  Append(*wbr, u"bbb ccc", true);
  wbr->Complete();
  LayOut(*wbr, 40);
  EXPECT_EQ(Lines(*wbr), (TLines{u"aaa ", u"bbb ccc"}));
}

TEST_F(SectionLayoutTest, IdeographsBreakBetweenAnyTwo) {
  auto section = Section(u"\u65e5\u672c\u8a9e\u65e5\u672c\u8a9e");
  section->Complete();
  LayOut(*section, 20);
  EXPECT_EQ(Lines(*section), (TLines{u"\u65e5\u672c", u"\u8a9e\u65e5", u"\u672c\u8a9e"}));
  // Latin text after an ideograph may go on on the next line.
  auto mixed = Section(u"x\u65e5abcdef");
  mixed->Complete();
  LayOut(*mixed, 40);
  EXPECT_EQ(Lines(*mixed), (TLines{u"x\u65e5", u"abcdef"}));
}

TEST_F(SectionLayoutTest, LineBreakMarkerEndsItsLine) {
  auto section = Section(u"ab\bcd\b\bef");
  section->Complete();
  EXPECT_EQ(LayOut(*section, 800), 3 * 19);
  EXPECT_EQ(Lines(*section), (TLines{u"ab\b", u"cd\b", u"\b", u"ef"}));
  EXPECT_EQ(section->LineList[2].LineHt, 0);  // a lone break adds no height of its own
  // Measured, a marker takes no room; text without any is measured whole.
  section->Alignment = 2;
  LayOut(*section, 800);
  EXPECT_EQ(section->LineList[0].DrawWidth, 16);
  EXPECT_EQ(section->LineList[2].DrawWidth, 0);
  int minWidth = 0, maxWidth = 0;
  section->MeasureWidths(minWidth, maxWidth);
  EXPECT_EQ(minWidth, 16);
  EXPECT_EQ(maxWidth, 16);
  auto plain = Section(u"abc defg");
  plain->Complete();
  plain->Alignment = 2;
  LayOut(*plain, 800);
  EXPECT_EQ(plain->LineList[0].DrawWidth, 64);
  plain->MeasureWidths(minWidth, maxWidth);
  EXPECT_EQ(minWidth, 32);
  EXPECT_EQ(maxWidth, 64);

  // Never past it, even where the text after it would have to overflow.
  auto word = Section(u"ab\b" + std::u16string(20, u'x'));
  word->Complete();
  LayOut(*word, 40);
  EXPECT_EQ(Lines(*word), (TLines{u"ab\b", std::u16string(20, u'x')}));
  auto nobr = Tree.NewSection();
  Append(*nobr, u"abcdefgh\bijk", true);
  nobr->Complete();
  LayOut(*nobr, 40);
  EXPECT_EQ(Lines(*nobr), (TLines{u"abcdefgh\b", u"ijk"}));
}

TEST_F(SectionLayoutTest, LeftFloatNarrowsTheLinesBesideIt) {
  auto section = Tree.NewSection();
  TFloatingObj* image = AddImage(*section, kAlignLeftFloat, 100, 50);
  std::u16string words;
  for (int i = 0; i < 16; ++i) words += u" wwww";
  Append(*section, words);
  section->Complete();  // the space after the float goes
  ASSERT_EQ(section->Text.size(), 80u);
  EXPECT_EQ(LayOut(*section, 300), 4 * 19);
  ASSERT_EQ(section->LineList.size(), 4u);
  EXPECT_EQ(section->LineList[0].LineChars, 26);  // the float and five words
  EXPECT_EQ(section->LineList[3].LineChars, 4);
  EXPECT_EQ(section->LineList[0].LineIndent, 100);
  EXPECT_EQ(section->LineList[2].LineIndent, 100);  // y 38: still beside it
  EXPECT_EQ(section->LineList[3].LineIndent, 0);    // y 57: below it
  EXPECT_EQ(image->DrawX, 0);
  EXPECT_EQ(image->DrawY, 0);
  EXPECT_EQ(Indents.LeftEdge(49), 100);
  EXPECT_EQ(Indents.LeftEdge(50), 0);
  ExpectCovered(*section);
}

TEST_F(SectionLayoutTest, FloatInsideALineStartsTheNextOne) {
  auto section = Section(u"aaaa bbbb ");
  TFloatingObj* image = AddImage(*section, kAlignLeftFloat, 100, 50);
  Append(*section, u" cccc dddd eeee ffff");
  section->Complete();
  EXPECT_EQ(LayOut(*section, 200), 2 * 19);
  EXPECT_EQ(Lines(*section), (TLines{u"aaaa bbbb \4cccc dddd eeee ", u"ffff"}));
  EXPECT_EQ(image->DrawY, 19);
  EXPECT_EQ(section->LineList[0].LineIndent, 0);
  EXPECT_EQ(section->LineList[1].LineIndent, 100);
  EXPECT_EQ(section->PaintHeight, 19 + 50);  // the float hangs below the text
}

TEST_F(SectionLayoutTest, ClearModeMovesBelowTheFloats) {
  Indents.Reset(0, 800);
  Indents.PlaceFloatBlock(0, 100, kAlignLeftFloat, 200);
  KeepIndents = true;
  auto empty = Tree.NewSection();
  empty->ClearMode = 3;
  EXPECT_EQ(LayOut(*empty, 800, 50), 150);
  EXPECT_EQ(Cursor, 0);
  empty->ClearMode = 2;
  EXPECT_EQ(LayOut(*empty, 800, 50), 0);
  empty->ClearMode = 1;
  EXPECT_EQ(LayOut(*empty, 800, 50), 150);

  auto text = Section(u"abc");
  text->Complete();
  text->ClearMode = 1;
  EXPECT_EQ(LayOut(*text, 800, 50), 150 + 19);
  ASSERT_EQ(text->LineList.size(), 2u);
  EXPECT_EQ(text->LineList[0].LineChars, 0);
  EXPECT_EQ(text->LineList[1].LineIndent, 0);  // at y 200, beside nothing
}

TEST_F(SectionLayoutTest, TextThatFitsNowhereBesideAFloatGoesBelowIt) {
  Indents.Reset(0, 800);
  Indents.PlaceFloatBlock(0, 796, kAlignLeftFloat, 100);
  KeepIndents = true;
  auto section = Section(u"abcdef");
  section->Complete();
  EXPECT_EQ(LayOut(*section, 800), 100 + 19);
  ASSERT_EQ(section->LineList.size(), 2u);
  EXPECT_EQ(section->LineList[0].LineChars, 0);
  EXPECT_EQ(section->LineList[0].LineHt, 100);
  EXPECT_EQ(section->LineList[1].LineChars, 6);

  // Two characters would fit, but the word would overflow: it waits too.
  Indents.Reset(0, 800);
  Indents.PlaceFloatBlock(0, 784, kAlignLeftFloat, 100);
  LayOut(*section, 800);
  EXPECT_EQ(section->LineList.size(), 2u);
  EXPECT_EQ(section->LineList[1].LineIndent, 0);
}

TEST_F(SectionLayoutTest, AlignmentOffsetsAndJustification) {
  auto section = Section(u"aaa bbb ccc ddd");
  section->Complete();
  section->Alignment = 2;
  LayOut(*section, 60);
  EXPECT_EQ(section->LineList[0].LineIndent, 2);  // 56 wide without the space
  EXPECT_EQ(section->LineList[0].DrawWidth, 56);
  section->Alignment = 3;
  LayOut(*section, 60);
  EXPECT_EQ(section->LineList[0].LineIndent, 4);
  EXPECT_EQ(section->LineList[1].LineIndent, 4);
  section->Alignment = 4;
  LayOut(*section, 60);
  EXPECT_EQ(section->LineList[0].LineIndent, 0);
  EXPECT_EQ(section->LineList[0].Extra, 4);
  EXPECT_EQ(section->LineList[0].Spaces, 1);  // the one at the break is not spread
  EXPECT_EQ(section->LineList[1].Extra, 0);   // the last line stays as it is
  EXPECT_EQ(section->LineList[1].Spaces, 0);

  section->Alignment = 1;
  section->LineHeightPx = 30;
  EXPECT_EQ(LayOut(*section, 60), 2 * 29);
  EXPECT_EQ(section->LineList[0].SpaceBefore, 5);
  EXPECT_EQ(section->LineList[0].SpaceAfter, 5);
  section->LineHeightPx = -1;

  section->IndentPixels = 16;
  LayOut(*section, 60);
  EXPECT_EQ(Lines(*section), (TLines{u"aaa ", u"bbb ccc ", u"ddd"}));
  EXPECT_EQ(section->LineList[0].LineIndent, 16);
  EXPECT_EQ(section->LineList[1].LineIndent, 0);
  section->IndentPercent = 10;  // 6 pixels of 60
  LayOut(*section, 60);
  EXPECT_EQ(section->IndentPixels, 6);
  EXPECT_EQ(section->LineList[0].LineIndent, 6);
}

TEST_F(SectionLayoutTest, InlineImagesRaiseTheirLine) {
  auto section = Section(u"ab");
  TFloatingObj* image = AddImage(*section, 3, 20, 40);
  Append(*section, u"cd");
  AddImage(*section, 1, 20, 30);
  section->Complete();
  EXPECT_EQ(LayOut(*section, 800), 40 + 4 + (30 - 19));
  EXPECT_EQ(section->LineList[0].SpaceBefore, 40 + 4 - 19);  // baseline: above the text
  EXPECT_EQ(section->LineList[0].SpaceAfter, 30 - 19);       // top: below it
  EXPECT_EQ(image->DrawY, 0);

  auto middle = Tree.NewSection();
  AddImage(*middle, 2, 20, 40);
  middle->Complete();
  // Alone on its line, the image is centred on the height of the text.
  EXPECT_EQ(LayOut(*middle, 800), 40);
  EXPECT_EQ(middle->LineList[0].SpaceBefore, 11);
  EXPECT_EQ(middle->LineList[0].SpaceAfter, 10);
}

TEST_F(SectionLayoutTest, PreformattedTextIsOneLine) {
  auto pre = std::make_unique<TPreFormated>(&Tree.Doc, false, nullptr, nullptr, Tree.PropsFor("pre"), nullptr);
  Append(*pre, std::u16string(300, u'p'));
  pre->Complete();
  const int charWidth = pre->FontRuns.front().MaxCharWidth;
  ASSERT_GT(charWidth, 0);
  LayOut(*pre, 100);
  EXPECT_EQ(pre->LineList.size(), 1u);
  EXPECT_EQ(MaxWidth, 300 * charWidth);
  int minWidth = 0, maxWidth = 0;
  pre->MeasureWidths(minWidth, maxWidth);
  EXPECT_EQ(maxWidth, 300 * charWidth);
  EXPECT_EQ(minWidth, std::min(2000, 300 * charWidth));

  auto empty = std::make_unique<TPreFormated>(&Tree.Doc, false, nullptr, nullptr, Tree.PropsFor("pre"), nullptr);
  empty->Complete();
  EXPECT_EQ(LayOut(*empty, 100), empty->FontRuns.front().Font->SizePoints);
  EXPECT_GT(empty->Height, 0);
}

TEST_F(SectionLayoutTest, ProgressIsReportedEveryFiftySectionsOncePerPass) {
  std::vector<int> reported;
  Tree.Doc.OnProgress = [&](ThtProgressStage stage, int percent) {
    EXPECT_EQ(stage, psRunning);
    reported.push_back(percent);
  };
  auto section = Section(u"abc");
  section->Complete();
  section->SectionOrdinal = 50;
  Tree.Doc.FinishedSections = 100;
  Tree.Doc.ProgressBase = 75;
  Tree.Doc.LayoutPass = 3;
  LayOut(*section, 800);
  LayOut(*section, 800);
  EXPECT_EQ(reported, std::vector<int>{75 + 50 * 25 / 100});
  Tree.Doc.LayoutPass = 4;
  section->SectionOrdinal = 49;
  LayOut(*section, 800);
  Tree.Doc.LayoutPass = 5;
  section->SectionOrdinal = 100;
  Tree.Doc.PrintCopy = true;
  LayOut(*section, 800);
  EXPECT_EQ(reported.size(), 1u);
}

TEST_F(SectionLayoutTest, ExtremeWidthsAndOddSectionsTerminate) {
  std::vector<std::unique_ptr<TSection>> sections;
  sections.push_back(Section(u"ein paar Worte, und noch mehr Worte"));
  sections.push_back(Section(std::u16string(1000000, u'w')));
  sections.push_back(Section(u"\b\b\b"));
  sections.push_back(Tree.NewSection());
  auto floats = Tree.NewSection();
  AddImage(*floats, kAlignLeftFloat, 5000, 40);
  AddImage(*floats, kAlignRightFloat, 5000, 60);
  Append(*floats, u"nach dem Bild");
  AddImage(*floats, 0, 0, 0);
  sections.push_back(std::move(floats));
  auto controls = Section(u"feld");
  auto control = std::make_unique<TFormControlObj>(TFormControlKind::Edit);
  control->Width = 3000;
  control->Height = 20;
  controls->InsertControl(std::move(control), 4, {});
  sections.push_back(std::move(controls));
  for (auto& section : sections) section->Complete();

  for (int width : {0, 1, 2000000000}) {
    for (uint8_t alignment : {1, 2, 4}) {
      for (auto& section : sections) {
        SCOPED_TRACE(testing::Message() << "width " << width << ", " << section->Text.size() << " characters");
        Indents.Reset(0, width);
        KeepIndents = true;
        section->Alignment = alignment;
        EXPECT_GE(LayOut(*section, width), 0);
        EXPECT_EQ(Cursor, static_cast<int>(section->Text.size()));
        ExpectCovered(*section);
        int minWidth = -1, maxWidth = -1;
        section->MeasureWidths(minWidth, maxWidth);
        EXPECT_GE(minWidth, 0);
        EXPECT_GE(maxWidth, minWidth);
        if (alignment == 2 && width == 2000000000) {
          for (const LineRec& line : section->LineList) EXPECT_GT(line.LineIndent, 0);
        }
      }
    }
  }
  // At width 0 every word is a line of its own.
  Indents.Reset(0, 0);
  LayOut(*sections[0], 0);
  EXPECT_EQ(sections[0]->LineList.size(), 7u);
  // Wider than the page, the floats are placed anyway, one below the
  // other, and the text goes below both.
  Indents.Reset(0, 300);
  EXPECT_EQ(LayOut(*sections[4], 300), 40 + 60 + 19);
  EXPECT_EQ(sections[4]->Floats[0]->DrawY, 0);
  EXPECT_EQ(sections[4]->Floats[1]->DrawY, 40);
  EXPECT_EQ(sections[4]->Floats[1]->DrawX, 300 - 5000);
}

TEST_F(SectionLayoutTest, LongSectionsTakeLinearTime) {
  std::u16string words;
  for (int i = 0; i < 200000; ++i) words += u"wort ";
  auto paragraph = Section(words);
  paragraph->Complete();
  LayOut(*paragraph, 800);
  EXPECT_EQ(paragraph->LineList.size(), 200000u / 20);  // 20 words of 40 pixels a line
  ExpectCovered(*paragraph);
  int minWidth = 0, maxWidth = 0;
  paragraph->MeasureWidths(minWidth, maxWidth);
  EXPECT_EQ(minWidth, 32);

  auto word = Section(u"a " + std::u16string(1000000, u'w') + u" b");
  word->Complete();
  LayOut(*word, 800);
  EXPECT_EQ(word->LineList.size(), 3u);
  EXPECT_EQ(MaxWidth, 8000000);
}

// The lines cover the whole text at every width, so the collected text
// does not depend on the width.
TEST_F(SectionLayoutTest, DocumentTextIsTheSameAtEveryWidth) {
  const std::string html =
      "<P ALIGN=justify>Hallo Welt, dies ist ein langer Absatz mit <B>fettem</B> Text und einem "
      "<IMG SRC=a.gif ALIGN=left WIDTH=100 HEIGHT=50> Bild.<BR>Neue Zeile <NOBR>nicht hier umbrechen"
      "</NOBR> und <IMG SRC=b.gif WIDTH=300 HEIGHT=20> weiter-geht-es?ja</P><PRE>  vor   formatiert</PRE>"
      "<P STYLE=\"text-indent:30%\">Eingezogen <INPUT TYPE=text SIZE=20> Feld</P><BR CLEAR=all>Ende";
  std::u16string first;
  for (int width : {0, 57, 800, 2000000000}) {
    TSectionList document;
    ParseDocument(html, document);
    document.Layout(width);
    document.SelectionStart = 0;
    document.SelectionEnd = document.TextStart + document.TextLength;
    const int length = document.GetSelectedLength();
    std::vector<char16_t> buffer(length + 1);
    std::u16string text(buffer.data(), document.CopySelectedText(buffer.data(), length + 1));
    if (first.empty()) first = text;
    EXPECT_EQ(text, first) << "width " << width;
  }
  EXPECT_NE(first.find(u"nicht hier umbrechen und  weiter-geht-es?ja"), std::u16string::npos);
}

}  // namespace
}  // namespace folverin
