#include "htmlengine/document/selected_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "htmlengine/document_test_tree.h"
#include "htmlengine/style/property_slots.h"

namespace folverin {
namespace {

using test::TDocumentTree;
using test::TokenOf;

TEST(SelectedTextTest, ParagraphsEndWithAnEmptyLineExceptAtTheEnd) {
  TDocumentTree tree;
  tree.AddText(tree.AddBlock(tree.Body->Cell, "p")->Cell, u"Hello");
  tree.AddText(tree.AddBlock(tree.Body->Cell, "p")->Cell, u"World");
  EXPECT_EQ(tree.SelectAllText(), u"Hello\r\n\r\nWorld");

  // Only a block of tag "p" adds the empty line; a class does not matter.
  TDocumentTree divs;
  divs.AddText(divs.AddBlock(divs.Body->Cell, "div")->Cell, u"One");
  divs.AddText(divs.AddBlock(divs.Body->Cell, "p", "note")->Cell, u"Two");
  divs.AddText(divs.Body->Cell, u" Three  ");
  // The text may end with a space, never with a line end.
  EXPECT_EQ(divs.SelectAllText(), u"One\r\nTwo\r\n\r\nThree ");
}

TEST(SelectedTextTest, LineBreaksRulesAndEmptySections) {
  // Hello<BR>World: the marker ends the section and is not collected.
  TDocumentTree breaks;
  auto first = breaks.NewSection();
  first->AppendText(TokenOf(u"Hello", 0), {});
  first->AppendChar(kBreakMarker, 5, {});
  breaks.Add(breaks.Body->Cell, std::move(first));
  breaks.AddText(breaks.Body->Cell, u"World", 9);
  EXPECT_EQ(breaks.SelectAllText(), u"Hello\r\nWorld");

  // Zeile 1<BR>Zeile 2<BR>: the empty section after the last break adds
  // nothing, because no text follows it.
  TDocumentTree trailing;
  for (std::u16string line : {u"Zeile 1", u"Zeile 2"}) {
    auto section = trailing.NewSection();
    section->AppendText(TokenOf(line, 0), {});
    section->AppendChar(kBreakMarker, 7, {});
    trailing.Add(trailing.Body->Cell, std::move(section));
  }
  ASSERT_NE(trailing.Add(trailing.Body->Cell, trailing.NewSection()), nullptr);
  EXPECT_EQ(trailing.SelectAllText(), u"Zeile 1\r\nZeile 2");

  // A<BR><P>B: the empty section before the block is an empty line.
  TDocumentTree empty;
  auto a = empty.NewSection();
  a->AppendText(TokenOf(u"A", 0), {});
  a->AppendChar(kBreakMarker, 1, {});
  empty.Add(empty.Body->Cell, std::move(a));
  empty.Add(empty.Body->Cell, empty.NewSection());
  empty.AddText(empty.AddBlock(empty.Body->Cell, "p")->Cell, u"B");
  EXPECT_EQ(empty.SelectAllText(), u"A\r\n\r\nB");

  // Text<HR>More; a rule at the very end adds nothing.
  TDocumentTree rule;
  rule.AddText(rule.Body->Cell, u"Text");
  rule.AddRule(rule.Body->Cell);
  rule.AddText(rule.Body->Cell, u"More");
  rule.AddRule(rule.Body->Cell);
  EXPECT_EQ(rule.SelectAllText(), u"Text\r\n\r\nMore");
}

TEST(SelectedTextTest, TablesAndListsGiveOneLinePerCellOrItem) {
  TDocumentTree tree;
  tree.AddTable(tree.Body->Cell, {{u"a", u"b"}, {u"c", u"d"}});
  EXPECT_EQ(tree.SelectAllText(), u"a\r\nb\r\nc\r\nd");

  // Spanned columns leave empty entries, which add nothing; text after the
  // table follows on its own line.
  TDocumentTree spans;
  spans.AddTable(spans.Body->Cell, {{u"a", u"b"}, {u"", u"c"}});
  spans.AddText(spans.Body->Cell, u"after");
  EXPECT_EQ(spans.SelectAllText(), u"a\r\nb\r\nc\r\nafter");

  TDocumentTree list;
  TBlock* ul = list.AddBlock(list.Body->Cell, "ul");
  for (std::u16string item : {u"A", u"B"}) {
    auto li = std::make_unique<TBlockLI>(&list.Doc, &ul->Cell, list.PropsFor("li"), nullptr);
    list.AddText(li->Cell, item);
    list.Add(ul->Cell, std::move(li));
  }
  EXPECT_EQ(list.SelectAllText(), u"A\r\nB");

  // No tab characters anywhere.
  EXPECT_EQ(tree.SelectAllText().find(u'\t'), std::u16string::npos);
}

TEST(SelectedTextTest, PreformattedLinesKeepTheirSpaces) {
  TDocumentTree tree;
  TBlock* pre = tree.AddBlock(tree.Body->Cell, "pre");
  for (std::u16string line : {u"x  y", u"  z "}) {
    auto section = std::make_unique<TPreFormated>(&tree.Doc, false, nullptr, nullptr,
                                                  tree.PropsFor("pre"), nullptr);
    section->AppendText(TokenOf(line, 0), {});
    tree.Add(pre->Cell, std::move(section));
  }
  EXPECT_EQ(tree.SelectAllText(), u"x  y\r\n  z ");
}

TEST(SelectedTextTest, MarkersAndFloatsContributeNoCharacters) {
  // An image at the start followed by a space: a leading space.
  TDocumentTree inlineImage;
  auto section = inlineImage.NewSection();
  section->InsertFloat(std::make_unique<TImageObj>(), 0, {});
  section->AppendText(TokenOf(u" Bild", 10), {});
  inlineImage.Add(inlineImage.Body->Cell, std::move(section));
  EXPECT_EQ(inlineImage.SelectAllText(), u" Bild");

  // After a left-floating image the space goes.
  TDocumentTree floating;
  section = floating.NewSection();
  auto image = std::make_unique<TImageObj>();
  image->ObjAlign = kAlignLeftFloat;
  section->InsertFloat(std::move(image), 0, {});
  section->AppendText(TokenOf(u" Bild", 10), {});
  floating.Add(floating.Body->Cell, std::move(section));
  EXPECT_EQ(floating.SelectAllText(), u"Bild");

  // Form controls leave their marker only; hidden fields leave nothing.
  TDocumentTree controls;
  section = controls.NewSection();
  section->AppendText(TokenOf(u"Name:", 0), {});
  section->InsertControl(std::make_unique<TFormControlObj>(TFormControlKind::Edit), 5, {});
  section->InsertControl(std::make_unique<TFormControlObj>(TFormControlKind::Hidden), 20, {});
  section->AppendText(TokenOf(u" ok", 30), {});
  TSection* written = controls.Add(controls.Body->Cell, std::move(section));
  EXPECT_EQ(written->Text, u"Name:\x02 ok");
  EXPECT_EQ(controls.SelectAllText(), u"Name: ok");
  EXPECT_EQ(controls.Doc.GetSelectedLength(), 8);
}

// Sections without markers skip looking for them; a marker that arrives in
// any way (inside plain text, through a case transform, after the section
// was laid out once) must still be left out and still end its line.
TEST(SelectedTextTest, MarkersAreSkippedHoweverTheyArrive) {
  TDocumentTree inText;
  TSection* section = inText.AddText(inText.Body->Cell, u"eins\bzwei");
  EXPECT_EQ(inText.SelectAllText(), u"einszwei");
  EXPECT_EQ(section->LineList.size(), 2u);
  EXPECT_EQ(inText.Doc.GetSelectedLength(), 8);

  TDocumentTree transformed;
  auto upper = transformed.NewSection();
  upper->AppendText(TokenOf(u"ab\x04" u"cd", 0), {.Transform = kTransformUpper});
  transformed.Add(transformed.Body->Cell, std::move(upper));
  EXPECT_EQ(transformed.SelectAllText(), u"ABCD");

  TDocumentTree later;
  section = later.AddText(later.Body->Cell, u"vorher");
  EXPECT_EQ(later.SelectAllText(), u"vorher");
  section->AppendChar(kBreakMarker, 6, {});
  section->AppendText(TokenOf(u"nachher", 7), {});
  section->Complete();
  EXPECT_EQ(later.SelectAllText(), u"vorhernachher");
  EXPECT_EQ(section->LineList.size(), 2u);
}

TEST(SelectedTextTest, DisplayNoneCollectsNothingAndTakesNoPositions) {
  TDocumentTree tree;
  tree.AddText(tree.Body->Cell, u"Before");
  TBlock* hidden = tree.AddHiddenBlock(tree.Body->Cell);
  tree.AddText(hidden->Cell, u"Secret");
  TSection* after = tree.AddText(tree.Body->Cell, u"After");
  EXPECT_EQ(tree.SelectAllText(), u"Before\r\nAfter");
  EXPECT_EQ(hidden->TextStart, 0);
  EXPECT_EQ(hidden->TextLength, 0);
  EXPECT_EQ(after->TextStart, 6);
  EXPECT_EQ(tree.Body->TextLength, 11);
}

TEST(SelectedTextTest, PartialSelections) {
  TDocumentTree tree;
  tree.AddText(tree.AddBlock(tree.Body->Cell, "p")->Cell, u"Hello");
  tree.AddText(tree.AddBlock(tree.Body->Cell, "p")->Cell, u"World");
  tree.Doc.Layout();

  tree.Doc.SelectionStart = 2;
  tree.Doc.SelectionEnd = 7;
  EXPECT_EQ(tree.SelText(), u"llo\r\n\r\nWo");

  // Within one section: no line end, since the selection ends inside it.
  tree.Doc.SelectionStart = 6;
  tree.Doc.SelectionEnd = 9;
  EXPECT_EQ(tree.SelText(), u"orl");

  // Nothing selected: empty, also when selection is switched off.
  for (int start : {4, -1}) {
    tree.Doc.SelectionStart = start;
    tree.Doc.SelectionEnd = start;
    EXPECT_EQ(tree.Doc.GetSelectedLength(), 0);
    char16_t buffer[4] = {u'x', u'x', u'x', u'x'};
    EXPECT_EQ(tree.Doc.CopySelectedText(buffer, 4), 0);
    EXPECT_EQ(buffer[0], 0);
  }
  // A selection that starts at the end of the first paragraph leaves out
  // the paragraph, its line end and its empty line.
  tree.Doc.SelectionStart = 5;
  tree.Doc.SelectionEnd = 10;
  EXPECT_EQ(tree.SelText(), u"World");
}

TEST(SelectedTextTest, CopyStopsAtTheBufferSize) {
  TDocumentTree tree;
  tree.AddText(tree.AddBlock(tree.Body->Cell, "p")->Cell, u"Hello");
  tree.AddText(tree.Body->Cell, u"World");
  ASSERT_EQ(tree.SelectAllText(), u"Hello\r\n\r\nWorld");

  char16_t small[4] = {u'x', u'x', u'x', u'x'};
  EXPECT_EQ(tree.Doc.CopySelectedText(small, 4), 3);
  EXPECT_EQ(std::u16string(small), u"Hel");

  // A buffer of no size is left alone.
  char16_t none[1] = {u'x'};
  EXPECT_EQ(tree.Doc.CopySelectedText(none, 0), 0);
  EXPECT_EQ(none[0], u'x');
  EXPECT_EQ(tree.Doc.TextCollector, nullptr);
}

// Lines of at most two characters, as a narrow layout might make them.
class TNarrowSection : public TSection {
 public:
  using TSection::TSection;
  void LayoutLines() override {
    LineList.clear();
    for (int start = 0; start < static_cast<int>(Text.size()); start += 2)
      LineList.push_back({.Start = start,
                          .LineChars = std::min(2, static_cast<int>(Text.size()) - start)});
  }
};

TEST(SelectedTextTest, LineSplitDoesNotChangeTheText) {
  auto build = [](TDocumentTree& tree, bool narrow) {
    for (std::u16string text : {u"Hello", u"a\x08", u"World!"}) {
      TCellBasic& cell = tree.AddBlock(tree.Body->Cell, "p")->Cell;
      std::unique_ptr<TSection> section =
          narrow ? std::make_unique<TNarrowSection>(&tree.Doc, true, &cell, nullptr,
                                                    tree.PropsFor("default"), nullptr)
                 : tree.NewSection();
      section->AppendText(TokenOf(text, 0), {});
      tree.Add(cell, std::move(section));
    }
    tree.Doc.Layout();
  };
  TDocumentTree wide, narrow;
  build(wide, false);
  build(narrow, true);
  const int end = wide.Body->TextLength;
  ASSERT_EQ(end, 13);
  for (int start = 0; start <= end; ++start)
    for (int stop = start; stop <= end; ++stop) {
      wide.Doc.SelectionStart = narrow.Doc.SelectionStart = start;
      wide.Doc.SelectionEnd = narrow.Doc.SelectionEnd = stop;
      EXPECT_EQ(wide.SelText(), narrow.SelText()) << start << ".." << stop;
    }
}

TEST(SelectedTextTest, CollectorsSkipMarkers) {
  const char16_t text[] = u"a\x02" u"b\x04" u"c\x08" u"d\x01";
  TSelTextCount count;
  count.PutLine(text, 8);
  EXPECT_EQ(count.Total(), 7);  // a b c d, byte 1, CR LF

  char16_t buffer[6];
  TSelTextBuf copy(buffer, 6);
  copy.PutLine(text, 8);
  EXPECT_EQ(copy.Total(), 6);
  EXPECT_EQ(std::u16string(buffer), u"abcd\x01");

  TSelTextString string;
  string.PutLine(text, 8);
  EXPECT_EQ(string.Total(), 7);
  EXPECT_EQ(string.Text, u"abcd\x01\r\n");
}

TEST(SelectedTextTest, CollectorsAgreeHoweverTheTextIsSplit) {
  // Markers anywhere, at the start, at the end and in a row; put in one go
  // or in two pieces, every collector sees the characters that are no
  // markers, in order.
  std::mt19937 random(7);
  const std::u16string alphabet = u"ab \x02\x04\x08\x01";
  for (int round = 0; round < 2000; ++round) {
    std::u16string text, expected;
    for (int n = static_cast<int>(random() % 24); n > 0; --n) {
      text += alphabet[random() % alphabet.size()];
      if (!IsMarker(text.back())) expected += text.back();
    }
    const int size = static_cast<int>(text.size());
    const int split = size > 0 ? static_cast<int>(random() % (size + 1)) : 0;

    TSelTextString whole, pieces;
    whole.Put(text.data(), size);
    pieces.Put(text.data(), split);
    pieces.Put(text.data() + split, size - split);
    EXPECT_EQ(whole.Text, expected) << round;
    EXPECT_EQ(pieces.Text, expected) << round;

    TSelTextCount count;
    count.Put(text.data(), split);
    count.Put(text.data() + split, size - split);
    EXPECT_EQ(count.Total(), static_cast<int>(expected.size())) << round;

    std::u16string buffer(expected.size() + 1, u'x');
    TSelTextBuf copy(buffer.data(), static_cast<int>(buffer.size()));
    copy.Put(text.data(), split);
    copy.Put(text.data() + split, size - split);
    EXPECT_EQ(copy.Total(), static_cast<int>(expected.size()) + 1) << round;
    EXPECT_EQ(std::u16string(buffer.c_str()), expected) << round;
  }
  TSelTextString none;
  none.Put(u"abc", 0);
  none.Put(u"abc", -3);
  EXPECT_TRUE(none.Text.empty());
}

}  // namespace
}  // namespace folverin
