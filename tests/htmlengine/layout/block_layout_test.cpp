#include <gtest/gtest.h>

#include "htmlengine/builder/document_builder.h"
#include "htmlengine/document/block.h"
#include "htmlengine/document/indent_manager.h"
#include "htmlengine/document/section.h"
#include "htmlengine/document/section_list.h"

namespace folverin {
namespace {

// The index-th block of the body, sections between blocks not counted.
TBlock* BodyBlockAt(TSectionList& document, int index) {
  auto* body = document.Count() > 0 ? dynamic_cast<TBlock*>(document.Item(0)) : nullptr;
  if (body == nullptr) return nullptr;
  for (int i = 0; i < body->Cell.Count(); ++i)
    if (auto* block = dynamic_cast<TBlock*>(body->Cell.Item(i)); block && index-- == 0) return block;
  return nullptr;
}

TEST(BlockLayoutTest, MarginsBordersAndPaddingsNarrowTheContent) {
  TSectionList document;
  ParseDocument("<BODY MARGINWIDTH=20 MARGINHEIGHT=0>"
                "<DIV STYLE=\"margin-left:30px;padding:5px;border:2px solid\">x</DIV>"
                "<DIV STYLE=\"width:100px\">y</DIV><DIV STYLE=\"width:50%\">z</DIV>",
                document);
  document.Layout(800);
  auto* body = dynamic_cast<TBlock*>(document.Item(0));
  ASSERT_NE(body, nullptr);
  EXPECT_EQ(body->ContentLeft, 20);
  EXPECT_EQ(body->ContentWidth, 760);
  TBlock* framed = BodyBlockAt(document, 0);
  ASSERT_NE(framed, nullptr);
  EXPECT_EQ(framed->ContentLeft, 20 + 30 + 2 + 5);
  EXPECT_EQ(framed->ContentWidth, 760 - 30 - 2 * 2 - 2 * 5);
  EXPECT_GE(framed->Height, 2 * 2 + 2 * 5);
  TBlock* fixed = BodyBlockAt(document, 1);
  ASSERT_NE(fixed, nullptr);
  EXPECT_EQ(fixed->ContentWidth, 100);
  TBlock* half = BodyBlockAt(document, 2);
  ASSERT_NE(half, nullptr);
  EXPECT_EQ(half->ContentWidth, 380);
  // One below the other.
  EXPECT_EQ(fixed->YPosition, framed->YPosition + framed->Height);
  EXPECT_EQ(half->YPosition, fixed->YPosition + fixed->Height);
}

TEST(BlockLayoutTest, HiddenBlocksTakeNoRoomAndNoText) {
  TSectionList document;
  ParseDocument("<DIV>a</DIV><DIV STYLE=\"display:none\">hidden</DIV><DIV>b</DIV>", document);
  document.Layout(800);
  TBlock* first = BodyBlockAt(document, 0);
  TBlock* hidden = BodyBlockAt(document, 1);
  TBlock* last = BodyBlockAt(document, 2);
  ASSERT_TRUE(first && hidden && last);
  EXPECT_EQ(hidden->Height, 0);
  EXPECT_EQ(hidden->TextLength, 0);
  EXPECT_EQ(last->YPosition, first->YPosition + first->Height);
  EXPECT_EQ(last->TextStart, first->TextStart + first->TextLength);
}

TEST(BlockLayoutTest, FloatedBlocksStandBesideTheFlowAndClearMovesBelowThem) {
  TSectionList document;
  ParseDocument("<BODY MARGINWIDTH=0 MARGINHEIGHT=0>"
                "<DIV STYLE=\"float:left;width:100px;height:300px\">f</DIV>"
                "<DIV>beside</DIV><DIV STYLE=\"clear:left\">below</DIV>",
                document);
  const int height = document.Layout(800);
  TBlock* floated = BodyBlockAt(document, 0);
  TBlock* beside = BodyBlockAt(document, 1);
  TBlock* below = BodyBlockAt(document, 2);
  ASSERT_TRUE(floated && beside && below);
  EXPECT_EQ(floated->ContentWidth, 100);
  EXPECT_EQ(beside->YPosition, floated->YPosition);
  EXPECT_GE(below->YPosition, floated->YPosition + 300);
  EXPECT_GE(height, 300);
  // The text order is the document's, floats or not.
  EXPECT_EQ(beside->TextStart, floated->TextStart + floated->TextLength);
}

TEST(BlockLayoutTest, MeasuredWidthsIncludeTheBoxAndAStyleWidth) {
  TSectionList document;
  ParseDocument("<DIV STYLE=\"padding:0 7px;width:120px\">x</DIV>", document);
  TBlock* block = BodyBlockAt(document, 0);
  ASSERT_NE(block, nullptr);
  int minWidth = 0, maxWidth = 0;
  block->MeasureWidths(minWidth, maxWidth);
  EXPECT_EQ(minWidth, 120 + 14);
  EXPECT_EQ(maxWidth, 120 + 14);
}

}  // namespace
}  // namespace folverin
