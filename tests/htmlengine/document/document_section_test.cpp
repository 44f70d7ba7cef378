#include "htmlengine/document/section.h"

#include <gtest/gtest.h>

#include "htmlengine/document_test_tree.h"
#include "htmlengine/tokenizer/html_attributes.h"

namespace folverin {
namespace {

using test::TDocumentTree;
using test::TokenOf;

TEST(DocumentSectionTest, AppendTextSetsBreakFlagsAndTransforms) {
  TDocumentTree tree;
  auto section = tree.NewSection();
  section->AppendText(TokenOf(u"", 0), {});
  EXPECT_FALSE(section->HasSourceIndexes());  // an empty token changes nothing
  section->AppendText(TokenOf(u"ab", 0), {});
  section->AppendText(TokenOf(u"cd", 2), {.KeepTogether = true});
  section->AppendText(TokenOf(u"\u00e4\u00df\u00fc", 4), {.Transform = kTransformUpper});
  section->AppendText(TokenOf(u"XY\u00c4", 7), {.Transform = kTransformLower});
  EXPECT_EQ(section->Text, u"abcd\u00c4\u00df\u00dcxy\u00e4");
  EXPECT_EQ(section->BreakFlags, "yynnyyyyyy");
  ASSERT_TRUE(section->HasSourceIndexes());
  EXPECT_EQ(section->SourceIndexes->size(), 10u);
  EXPECT_EQ((*section->SourceIndexes)[9], 9);

  auto pre = std::make_unique<TPreFormated>(&tree.Doc, false, nullptr, nullptr,
                                            tree.PropsFor("pre"), nullptr);
  pre->AppendText(TokenOf(u"a b", 0), {});
  EXPECT_EQ(pre->BreakFlags, "nnn");
}

TEST(DocumentSectionTest, CompleteCollapsesSpaces) {
  TDocumentTree tree;
  auto section = tree.NewSection();
  section->AppendText(TokenOf(u"  a  b   c ", 0), {});
  section->Complete();
  EXPECT_EQ(section->Text, u"a b c ");  // a trailing space stays
  EXPECT_EQ(section->BreakFlags, "yyyyyyy");  // one more flag at the end
  EXPECT_FALSE(section->HasSourceIndexes());

  // Of two spaces, the first goes when it may not break, else the second.
  auto nobrFirst = tree.NewSection();
  nobrFirst->AppendText(TokenOf(u"a ", 0), {.KeepTogether = true});
  nobrFirst->AppendText(TokenOf(u" b", 2), {});
  nobrFirst->Complete();
  EXPECT_EQ(nobrFirst->Text, u"a b");
  EXPECT_EQ(nobrFirst->BreakFlags, "nyyy");
  EXPECT_EQ(nobrFirst->SourceRuns.size(), 2u);  // positions 0, 2, 3
  EXPECT_EQ(nobrFirst->SourceRuns[1].Index, 2);

  auto nobrSecond = tree.NewSection();
  nobrSecond->AppendText(TokenOf(u"a ", 0), {});
  nobrSecond->AppendText(TokenOf(u" b", 2), {.KeepTogether = true});
  nobrSecond->Complete();
  EXPECT_EQ(nobrSecond->Text, u"a b");
  EXPECT_EQ(nobrSecond->BreakFlags, "yyny");
  EXPECT_EQ(nobrSecond->SourceRuns[1].Index, 3);

  // Text added after the section was finished keeps both source maps.
  auto again = tree.NewSection();
  again->AppendText(TokenOf(u"ab", 10), {});
  again->Complete();
  again->AppendText(TokenOf(u"  c", 20), {});
  again->Complete();
  EXPECT_EQ(again->Text, u"ab c");
  EXPECT_EQ(again->BreakFlags, "yyyyy");
  ASSERT_EQ(again->SourceRuns.size(), 3u);
  EXPECT_EQ(again->SourceRuns[1].Index, 20);
  EXPECT_EQ(again->SourceRuns[2].Pos, 3);
  EXPECT_EQ(again->SourceRuns[2].Index, 22);

  // No-break spaces are text, not spaces.
  auto nbsp = tree.NewSection();
  nbsp->AppendText(TokenOf(u"\u00a0\u00a0x \u00a0 y", 0), {});
  nbsp->Complete();
  EXPECT_EQ(nbsp->Text, u"\u00a0\u00a0x \u00a0 y");

  // A long run of spaces ends as one.
  auto wide = tree.NewSection();
  wide->AppendText(TokenOf(u"x" + std::u16string(100000, u' ') + u"y", 0), {});
  wide->Complete();
  EXPECT_EQ(wide->Text, u"x y");
}

TEST(DocumentSectionTest, CompleteRemovesSpacesAroundBreaksAndAfterFloats) {
  TDocumentTree tree;
  auto section = tree.NewSection();
  section->AppendText(TokenOf(u"a ", 0), {});
  section->AppendChar(kBreakMarker, 2, {});
  section->AppendText(TokenOf(u" b ", 3), {});
  auto right = std::make_unique<TImageObj>();
  right->ObjAlign = kAlignRightFloat;
  TFloatingObj* floating = section->InsertFloat(std::move(right), 6, {});
  section->AppendText(TokenOf(u" c ", 7), {});
  TFloatingObj* plain = section->InsertFloat(std::make_unique<TImageObj>(), 10, {});
  section->AppendText(TokenOf(u" d", 11), {});
  section->Complete();
  EXPECT_EQ(section->Text, u"a\x08" u"b \x04" u"c \x04 d");
  EXPECT_EQ(floating->Pos, 4);
  EXPECT_EQ(plain->Pos, 7);
}

TEST(DocumentSectionTest, CompleteMovesRunsAndObjectsWithTheirCharacters) {
  TDocumentTree tree;
  auto section = tree.NewSection();
  section->AppendText(TokenOf(u"  ", 0), {});
  TFloatingObj* image = section->InsertFloat(std::make_unique<TImageObj>(), 2, {});
  section->AppendText(TokenOf(u"a ", 3), {});
  section->StartFontRun(tree.PropsFor("b"));  // starts at the space that goes
  section->AppendText(TokenOf(u" b", 5), {});
  section->StartFontRun(tree.PropsFor("i"));  // starts after it
  section->AppendText(TokenOf(u"c", 7), {});
  TFormControlObj* control = section->InsertControl(
      std::make_unique<TFormControlObj>(TFormControlKind::CheckBox), 8, {});
  section->Complete();
  EXPECT_EQ(section->Text, u"\x04" u"a bc\x02");
  EXPECT_EQ(image->Pos, 0);
  ASSERT_EQ(section->FontRuns.size(), 3u);
  EXPECT_EQ(section->FontRuns[1].Pos, 3);  // now at "b"
  EXPECT_EQ(section->FontRuns[2].Pos, 4);
  EXPECT_EQ(control->Pos, 5);
  // Source runs: 2..4 (marker, a, space), 6..8 (b, c, control).
  ASSERT_EQ(section->SourceRuns.size(), 2u);
  EXPECT_EQ(section->SourceRuns[0].Pos, 0);
  EXPECT_EQ(section->SourceRuns[0].Index, 2);
  EXPECT_EQ(section->SourceRuns[1].Pos, 3);
  EXPECT_EQ(section->SourceRuns[1].Index, 6);
}

TEST(DocumentSectionTest, AddItemDropsSectionsWithNothingLeft) {
  TDocumentTree tree;
  TCellBasic& cell = tree.Body->Cell;

  // Only spaces: dropped, with its ID and its link run.
  TAttributeList attributes;
  attributes.Add({THtmlAttribute::ID, "ID", "Intro", 0});
  auto spaces = std::make_unique<TSection>(&tree.Doc, true, &cell, nullptr, tree.PropsFor("p"),
                                           &attributes);
  EXPECT_NE(tree.Doc.IDNames.Find("INTRO"), nullptr);
  TUrlTarget link{"a.htm", "", 0};
  spaces->SetLink(tree.Props, &link);
  EXPECT_EQ(tree.Doc.LinkFonts.size(), 1u);
  spaces->AppendText(TokenOf(u"   ", 0), {});
  EXPECT_EQ(tree.Add(cell, std::move(spaces)), nullptr);
  EXPECT_EQ(tree.Doc.IDNames.Find("intro"), nullptr);
  EXPECT_TRUE(tree.Doc.LinkFonts.empty());
  EXPECT_EQ(tree.Doc.FinishedSections, 0);

  // Kept: a section never written, one with an anchor name, one that
  // clears floats, and preformatted text even when it is only spaces.
  EXPECT_NE(tree.Add(cell, tree.NewSection()), nullptr);
  auto anchor = tree.NewSection();
  anchor->RegisterAnchorName("TOP");
  anchor->AppendText(TokenOf(u" ", 0), {});
  TSection* anchored = tree.Add(cell, std::move(anchor));
  ASSERT_NE(anchored, nullptr);
  EXPECT_EQ(tree.Doc.IDNames.Find("top"), anchored);

  TAttributeList clear;
  clear.Add({THtmlAttribute::Clear, "CLEAR", "all", 0});
  auto clearing = std::make_unique<TSection>(&tree.Doc, true, &cell, nullptr, tree.PropsFor("br"),
                                             &clear);
  EXPECT_EQ(clearing->ClearMode, 3);
  clearing->AppendText(TokenOf(u" ", 0), {});
  EXPECT_NE(tree.Add(cell, std::move(clearing)), nullptr);

  auto pre = std::make_unique<TPreFormated>(&tree.Doc, false, &cell, nullptr, tree.PropsFor("pre"),
                                            nullptr);
  pre->AppendText(TokenOf(u"  ", 0), {});
  EXPECT_NE(tree.Add(cell, std::move(pre)), nullptr);

  // Ordinals count the sections that kept text.
  TSection* one = tree.AddText(cell, u"one");
  TSection* two = tree.AddText(cell, u"two");
  EXPECT_EQ(one->SectionOrdinal + 1, two->SectionOrdinal);
  EXPECT_EQ(tree.Doc.FinishedSections, 3);  // the preformatted spaces, one, two
}

TEST(DocumentSectionTest, ConstructorTakesTheElementsStyle) {
  TDocumentTree tree;
  TProperties props = tree.PropsFor("p");
  props.AssignByName("text-align", "center");
  props.AssignByName("text-indent", "95%");
  TSection centred(&tree.Doc, true, nullptr, nullptr, props, nullptr);
  EXPECT_EQ(centred.Alignment, 2);
  EXPECT_EQ(centred.IndentPercent, 90);
  TSection unindented(&tree.Doc, false, nullptr, nullptr, props, nullptr);
  EXPECT_EQ(unindented.IndentPercent, 0);

  props.AssignByName("text-align", "right");
  props.AssignByName("text-indent", "12px");
  props.AssignByName("clear", "left");
  TAttributeList attributes;
  attributes.Add({THtmlAttribute::Clear, "CLEAR", "right", 0});
  TSection right(&tree.Doc, true, nullptr, nullptr, props, &attributes);
  EXPECT_EQ(right.Alignment, 3);
  EXPECT_EQ(right.IndentPixels, 12);
  EXPECT_EQ(right.ClearMode, 1);  // the clear property wins over CLEAR
  TSection byAttribute(&tree.Doc, true, nullptr, nullptr, tree.PropsFor("br"), &attributes);
  EXPECT_EQ(byAttribute.ClearMode, 2);
  EXPECT_EQ(byAttribute.Alignment, 1);
}

TEST(DocumentSectionTest, FontRunsAndLinks) {
  TDocumentTree tree;
  auto section = tree.NewSection();
  section->StartFontRun(tree.PropsFor("b"));  // still at 0: replaces the first run
  EXPECT_EQ(section->FontRuns.size(), 1u);
  section->AppendText(TokenOf(u"x", 0), {});
  TUrlTarget link{"b.htm", "_top", 0};
  section->SetLink(tree.Props, &link);
  section->AppendText(TokenOf(u"y", 1), {});
  section->StartFontRun(tree.PropsFor("i"));  // inside the link: still a link run
  section->AppendText(TokenOf(u"z", 2), {});
  section->SetLink(tree.Props, nullptr);
  section->AppendText(TokenOf(u"!", 3), {});
  ASSERT_EQ(section->FontRuns.size(), 4u);
  EXPECT_FALSE(section->FontRuns[0].IsLink());
  EXPECT_EQ(section->FontRuns[1].UrlTarget, link);
  EXPECT_EQ(section->FontRuns[2].UrlTarget, link);
  EXPECT_FALSE(section->FontRuns[3].IsLink());
  EXPECT_EQ(tree.Doc.LinkFonts.size(), 2u);
  section.reset();
  EXPECT_TRUE(tree.Doc.LinkFonts.empty());
}

// Runs are held by value and move when their list grows; the document's
// link runs must still lead to the right ones, and leave with their section.
TEST(DocumentSectionTest, LinkRunsSurviveGrowingRunLists) {
  TDocumentTree tree;
  auto first = tree.NewSection();
  auto second = tree.NewSection();
  const TUrlTarget links[] = {{"a.htm", "", 0}, {"b.htm", "", 0}, {"c.htm", "", 0}};
  int32_t source = 0;
  for (const TUrlTarget& link : links) {
    for (TSection* section : {first.get(), second.get()}) {
      section->AppendText(TokenOf(u"plain ", source), {});
      section->SetLink(tree.Props, &link);
      section->AppendText(TokenOf(u"link", source + 6), {});
      section->StartFontRun(tree.PropsFor("b"));  // a second run of the same link
      section->AppendText(TokenOf(u"!", source + 10), {});
      section->SetLink(tree.Props, nullptr);
    }
    source += 11;
  }
  ASSERT_EQ(first->FontRuns.size(), 10u);
  ASSERT_EQ(tree.Doc.LinkFonts.size(), 12u);
  for (const TLinkRun& entry : tree.Doc.LinkFonts) {
    ASSERT_LT(entry.Run, entry.Section->FontRuns.size());
    const TFontObj& run = entry.Section->FontRuns[entry.Run];
    EXPECT_TRUE(run.IsLink());
    EXPECT_EQ(run.Section, entry.Section);
    EXPECT_EQ(entry.Section->Text.substr(run.Pos, 1) == u"!", entry.Run % 3 == 2);
  }
  EXPECT_EQ(first->FontRuns[2].UrlTarget->Url, "a.htm");
  EXPECT_EQ(first->FontRuns[8].UrlTarget->Url, "c.htm");

  first.reset();
  ASSERT_EQ(tree.Doc.LinkFonts.size(), 6u);
  for (const TLinkRun& entry : tree.Doc.LinkFonts) EXPECT_EQ(entry.Section, second.get());
  second.reset();
  EXPECT_TRUE(tree.Doc.LinkFonts.empty());
}

// The run lookups, which layout and measuring use.
class TRunProbe : public TSection {
 public:
  using TSection::FontRunAt;
  using TSection::FontRunEnd;
  using TSection::FontRunFrom;
  using TSection::TSection;
};

TEST(DocumentSectionTest, FontRunLookupFromAnyHint) {
  TDocumentTree tree;
  TRunProbe section(&tree.Doc, true, nullptr, nullptr, tree.PropsFor("default"), nullptr);
  // Runs at 0, 2, 3 and 6 of "ab  cdef gh"; the first of the two spaces
  // may not break and goes, which puts the second and third run at one
  // index.
  const std::u16string pieces[] = {u"ab", u" ", u" cd", u"ef gh"};
  int32_t source = 0;
  for (const std::u16string& piece : pieces) {
    section.StartFontRun(tree.PropsFor("default"));
    section.AppendText(TokenOf(piece, source), {.KeepTogether = piece == u" "});
    source += static_cast<int32_t>(piece.size());
  }
  section.Complete();
  ASSERT_EQ(section.Text, u"ab cdef gh");
  ASSERT_EQ(section.FontRuns.size(), 4u);
  ASSERT_EQ(section.FontRuns[1].Pos, section.FontRuns[2].Pos);
  const int length = static_cast<int>(section.Text.size());
  for (int index = 0; index < length; ++index) {
    const size_t run = section.FontRunAt(index);
    EXPECT_LE(section.FontRuns[run].Pos, index);
    EXPECT_GT(section.FontRunEnd(run), index);
    for (size_t hint = 0; hint < section.FontRuns.size() + 2; ++hint)
      EXPECT_EQ(section.FontRunFrom(hint, index), run) << "hint " << hint << " at " << index;
  }
  EXPECT_EQ(section.FontRunEnd(section.FontRuns.size() - 1), length);
}

}  // namespace
}  // namespace folverin
