// Markup nests as deep as its author likes; none of the document's walks
// may use the call stack for depth.
#include <gtest/gtest.h>

#include "htmlengine/document_test_tree.h"
#include "htmlengine/sanitized_build.h"

namespace folverin {
namespace {

using test::TDocumentTree;

// Far deeper than a walk on the call stack survives; a sanitized build has
// stack frames several times larger, so a tenth of it overflows there too.
constexpr int kDepth = test::kSanitizedBuild ? 10000 : 100000;

TEST(DocumentDeepNestingTest, DeepBlocksAndTablesAreWalkedAndFreed) {
  auto tree = std::make_unique<TDocumentTree>();
  TCellBasic* cell = &tree->Body->Cell;
  for (int level = 0; level < kDepth; ++level) {
    tree->AddText(*cell, u"x", level);
    cell = &tree->AddBlock(*cell, "p")->Cell;
  }
  tree->AddText(*cell, u"end", kDepth);
  std::u16string text = tree->SelectAllText();
  // Every x, its line end and the empty line of every paragraph but the
  // innermost ones, which end with the document.
  EXPECT_EQ(text.size(), static_cast<size_t>(kDepth) * 3 + 3);
  EXPECT_EQ(text.substr(0, 6), u"x\r\nx\r\n");
  EXPECT_EQ(text.substr(text.size() - 3), u"end");
  EXPECT_EQ(tree->Doc.SourceOfPosition(kDepth), kDepth);
  EXPECT_EQ(tree->Doc.PositionOfSource(kDepth + 1), kDepth + 1);
  // Dropping one item frees all that it holds.
  tree->Doc.RemoveItem(0).reset();
  EXPECT_EQ(tree->Doc.Count(), 0);
  tree.reset();

  tree = std::make_unique<TDocumentTree>();
  cell = &tree->Body->Cell;
  for (int level = 0; level < kDepth; ++level) {
    auto* block = tree->Add(*cell, std::make_unique<TTableBlock>(&tree->Doc, cell,
                                                                  tree->PropsFor("table"), nullptr));
    auto table = std::make_unique<ThtmlTable>(&tree->Doc);
    auto row = std::make_unique<TCellList>();
    row->Add(std::make_unique<TCellObj>(&tree->Doc));
    cell = &row->Cells[0]->Cell;
    table->AddRow(std::move(row));
    tree->Add(block->Cell, std::move(table));
  }
  tree->AddText(*cell, u"inner");
  EXPECT_EQ(tree->SelectAllText(), u"inner");
  tree->Doc.Clear();
  EXPECT_EQ(tree->Doc.Count(), 0);
}

}  // namespace
}  // namespace folverin
