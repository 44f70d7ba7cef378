#include "htmlengine/document/section_list.h"

#include <gtest/gtest.h>

#include "htmlengine/document_test_tree.h"

namespace folverin {
namespace {

using test::TDocumentTree;
using test::TokenOf;

TEST(DocumentPositionsTest, LayoutNumbersTheTextInDocumentOrder) {
  TDocumentTree tree;
  TCellBasic& body = tree.Body->Cell;
  TSection* ab = tree.AddText(body, u"ab");
  TBlock* p = tree.AddBlock(body, "p");
  TSection* cde = tree.AddText(p->Cell, u"cde");
  TSection* empty = tree.Add(body, tree.NewSection());
  ThtmlTable* table = tree.AddTable(body, {{u"f", u"gh"}, {u"", u"ijk"}});
  THorzLine* rule = tree.AddRule(body);
  TSection* last = tree.AddText(body, u"lm");
  tree.Doc.Layout();

  EXPECT_EQ(ab->TextStart, 0);
  EXPECT_EQ(ab->TextLength, 2);
  EXPECT_EQ(p->TextStart, 2);
  EXPECT_EQ(p->TextLength, 3);
  EXPECT_EQ(p->Cell.TextStart, 2);
  EXPECT_EQ(cde->TextStart, 2);
  EXPECT_EQ(empty->TextStart, 5);
  EXPECT_EQ(empty->TextLength, 0);
  EXPECT_EQ(table->TextStart, 5);
  EXPECT_EQ(table->TextLength, 6);
  const TCellList& second = *table->Rows()[1];
  EXPECT_EQ(second.Cells[1]->Cell.TextStart, 8);
  EXPECT_EQ(second.Cells[1]->Cell.TextLength, 3);
  EXPECT_EQ(rule->TextStart, 11);
  EXPECT_EQ(rule->TextLength, 0);
  EXPECT_EQ(last->TextStart, 11);
  EXPECT_EQ(tree.Body->TextLength, 13);
  EXPECT_EQ(tree.Doc.TextLength, 13);

  // Every section is covered by its lines.
  ASSERT_EQ(cde->LineList.size(), 1u);
  EXPECT_EQ(cde->LineList[0].LineChars, 3);
  EXPECT_TRUE(empty->LineList.empty());

  // A later layout gives the same positions.
  int pass = tree.Doc.LayoutPass;
  tree.Doc.Layout();
  EXPECT_EQ(tree.Doc.LayoutPass, pass + 1);
  EXPECT_EQ(last->TextStart, 11);

  char16_t ch = 0;
  EXPECT_EQ(tree.Doc.CharacterAt(9, ch), second.Cells[1]->Cell.Item(0));
  EXPECT_EQ(ch, u'j');
  EXPECT_EQ(tree.Doc.CharacterAt(13, ch), nullptr);
}

TEST(DocumentPositionsTest, SourceAndTextPositionsMapBothWays) {
  TDocumentTree tree;
  // "x&amp;y" at source 10: x 10, & 11 (from the entity), y 16; then a tag
  // from 17 to 20 and "z" at 21 in the next section.
  auto section = tree.NewSection();
  section->AppendChar(u'x', 10, {});
  section->AppendChar(u'&', 11, {});
  section->AppendChar(u'y', 16, {});
  TSection* first = tree.Add(tree.AddBlock(tree.Body->Cell, "p")->Cell, std::move(section));
  TSection* second = tree.AddText(tree.Body->Cell, u"z", 21);
  TBlock* hidden = tree.AddHiddenBlock(tree.Body->Cell);
  tree.AddText(hidden->Cell, u"hidden", 30);
  tree.Doc.Layout();
  ASSERT_EQ(second->TextStart, 3);

  EXPECT_EQ(tree.Doc.SourceOfPosition(0), 10);
  EXPECT_EQ(tree.Doc.SourceOfPosition(1), 11);
  EXPECT_EQ(tree.Doc.SourceOfPosition(2), 16);
  EXPECT_EQ(tree.Doc.SourceOfPosition(3), 21);
  EXPECT_EQ(tree.Doc.SourceOfPosition(4), -1);

  EXPECT_EQ(tree.Doc.PositionOfSource(16), 2);
  // Inside the entity, the tag between the sections or before the text: the
  // text after it.
  EXPECT_EQ(tree.Doc.PositionOfSource(13), 2);
  EXPECT_EQ(tree.Doc.PositionOfSource(18), 3);
  EXPECT_EQ(tree.Doc.PositionOfSource(0), 0);
  EXPECT_EQ(first->PositionOfSource(13, true), -1);
  EXPECT_EQ(first->PositionOfSource(18, false), -1);
  // Backward the last section that holds the position answers: the tag
  // before "z" and the source before all text both belong to "z" then.
  EXPECT_EQ(tree.Doc.TCellBasic::PositionOfSource(16, true, true), 2);
  EXPECT_EQ(tree.Doc.TCellBasic::PositionOfSource(18, false, true), 3);
  EXPECT_EQ(tree.Doc.TCellBasic::PositionOfSource(0, false, true), 3);
  EXPECT_EQ(tree.Doc.TCellBasic::PositionOfSource(13, true, true), -1);
  // Text that is not displayed, or after all text: past the end.
  EXPECT_EQ(tree.Doc.PositionOfSource(31), 5);
  EXPECT_EQ(tree.Doc.PositionOfSource(500), 5);
}

}  // namespace
}  // namespace folverin
