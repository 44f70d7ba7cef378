#include "htmlengine/document/section_arena.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "htmlengine/document/block.h"
#include "htmlengine/document/section.h"
#include "htmlengine/document_test_tree.h"

namespace folverin {
namespace {

using test::TDocumentTree;
using test::TokenOf;

// Builds `count` sections with some text and lays them out, as a document
// would, then drops them and empties the document.
void BuildAndClear(TDocumentTree& tree, int count, size_t chars) {
  {
    std::vector<std::unique_ptr<TSection>> sections;
    const std::u16string text(chars, u'w');
    for (int i = 0; i < count; ++i) {
      sections.push_back(tree.NewSection());
      sections.back()->AppendText(TokenOf(text, 0), {});
      sections.back()->Complete();
      sections.back()->LayoutLines();
    }
  }
  tree.Doc.Clear();
  tree.Doc.SetDefaults(tree.Doc.Defaults);
}

TEST(SectionArenaTest, ASectionThatOutlivesTheEmptyingKeepsItsBuffers) {
  TDocumentTree tree;
  BuildAndClear(tree, 20, 100);  // the pool now has a first block to start over in
  ASSERT_GT(tree.Doc.SectionArena.FirstBlockSize(), 0u);
  auto kept = tree.NewSection();
  kept->AppendText(TokenOf(u"bleibt stehen", 0), {});
  tree.Doc.Clear();
  tree.Doc.SetDefaults(tree.Doc.Defaults);
  // Had the pool started over, this text would land on the kept one.
  auto next = tree.NewSection();
  next->AppendText(TokenOf(u"XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX", 0), {});
  EXPECT_EQ(std::u16string_view(kept->Text), u"bleibt stehen");
  EXPECT_EQ(std::string_view(kept->BreakFlags), "yyyyyyyyyyyyy");
  kept->AppendText(TokenOf(u" und w\u00e4chst", 13), {});
  kept->Complete();
  EXPECT_EQ(std::u16string_view(kept->Text), u"bleibt stehen und w\u00e4chst");
  ASSERT_EQ(kept->SourceRuns.size(), 1u);
  EXPECT_EQ(kept->SourceRuns[0].Index, 0);
}

TEST(SectionArenaTest, ABlockThatOutlivesTheEmptyingKeepsItsItems) {
  TDocumentTree tree;
  BuildAndClear(tree, 20, 100);
  auto kept = std::make_unique<TBlock>(&tree.Doc, &tree.Doc, tree.PropsFor("div"), nullptr);
  for (const char16_t* text : {u"eins", u"zwei", u"drei"}) tree.AddText(kept->Cell, text);
  tree.Doc.Clear();
  tree.Doc.SetDefaults(tree.Doc.Defaults);
  // A new document's lists and texts must not land on the kept ones.
  TBlock* other = tree.AddBlock(tree.Doc, "div");
  ASSERT_NE(other, nullptr);
  for (int i = 0; i < 8; ++i) tree.AddText(other->Cell, u"XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX");
  ASSERT_EQ(kept->Cell.Count(), 3);
  const auto* second = dynamic_cast<const TSection*>(kept->Cell.Item(1));
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->Text, u"zwei");
  // Moving the items out (as freeing a deep tree does) takes all of them.
  TItemList out;
  kept->Cell.MoveItemsTo(out);
  EXPECT_EQ(out.size(), 3u);
  EXPECT_EQ(kept->Cell.Count(), 0);
}

TEST(SectionArenaTest, ADocumentLikeTheLastTakesNothingFromTheHeap) {
  TDocumentTree tree;
  BuildAndClear(tree, 300, 80);
  const size_t first = tree.Doc.SectionArena.FirstBlockSize();
  EXPECT_GT(first, 300u * 80 * 2);  // at least the texts
  for (int round = 0; round < 3; ++round) {
    std::vector<std::unique_ptr<TSection>> sections;
    for (int i = 0; i < 300; ++i) {
      sections.push_back(tree.NewSection());
      sections.back()->AppendText(TokenOf(std::u16string(80, u'w'), 0), {});
      sections.back()->Complete();
      sections.back()->LayoutLines();
    }
    EXPECT_EQ(tree.Doc.SectionArena.TakenFromHeap(), 0u) << round;
    for (const auto& section : sections) EXPECT_EQ(std::u16string_view(section->Text), std::u16string(80, u'w'));
    sections.clear();
    tree.Doc.Clear();
    tree.Doc.SetDefaults(tree.Doc.Defaults);
    EXPECT_EQ(tree.Doc.SectionArena.FirstBlockSize(), first) << round;
  }
}

TEST(SectionArenaTest, OneHugeDocumentDoesNotKeepAllItsMemory) {
  TDocumentTree tree;
  BuildAndClear(tree, 1, 3 << 20);  // six megabytes of text alone
  EXPECT_EQ(tree.Doc.SectionArena.FirstBlockSize(), TSectionArena::kLargestFirstBlock);
  // Whatever it keeps, the next document is built correctly.
  auto section = tree.NewSection();
  section->AppendText(TokenOf(u"klein", 0), {});
  EXPECT_EQ(section->Text, u"klein");
}

}  // namespace
}  // namespace folverin
