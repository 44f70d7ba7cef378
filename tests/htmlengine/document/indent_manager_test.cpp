#include "htmlengine/document/indent_manager.h"

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "htmlengine/document/floating_obj.h"

namespace folverin {
namespace {

TImageObj& Image(int align, int width, int height, int hspace = 0, int vspace = 0) {
  static std::vector<std::unique_ptr<TImageObj>> images;
  TImageObj& image = *images.emplace_back(std::make_unique<TImageObj>());
  image.ObjAlign = align;
  image.ImageWidth = width;
  image.ImageHeight = height;
  image.HSpaceL = image.HSpaceR = hspace;
  image.VSpaceT = image.VSpaceB = vspace;
  return image;
}

TEST(IndentManagerTest, MarginsApplyToTheirOwnerOnly) {
  IndentManager indents;
  const int cell = 1, block = 2;
  indents.Reset(0, 500);
  EXPECT_EQ(indents.LeftEdge(0), 0);
  EXPECT_EQ(indents.RightEdge(0), 500);
  indents.CurrentOwner = &cell;
  const int cellLeft = indents.AddLeftMargin(0, 0);
  const int cellRight = indents.AddRightMargin(500, 0);
  indents.CurrentOwner = &block;
  const int blockLeft = indents.AddLeftMargin(40, 100);
  const int blockRight = indents.AddRightMargin(460, 100);
  EXPECT_EQ(indents.LeftEdge(99), 0);  // above the block's start
  EXPECT_EQ(indents.LeftEdge(100), 40);
  EXPECT_EQ(indents.RightEdge(5000000), 460);
  indents.CurrentOwner = &cell;  // the cell does not see the block's margins
  EXPECT_EQ(indents.LeftEdge(200), 0);
  EXPECT_EQ(indents.RightEdge(200), 500);
  // Margins are no floats: nothing ends below y.
  EXPECT_EQ(indents.NextWiderY(200), 200);
  int left = -1, right = -1;
  indents.FloatBottoms(left, right);
  EXPECT_EQ(left, 0);
  EXPECT_EQ(right, 0);
  EXPECT_EQ(indents.LowestFloatBottom(), 0);
  indents.RemoveRight(blockRight);
  indents.RemoveLeft(blockLeft);
  indents.RemoveRight(cellRight);
  indents.RemoveLeft(cellLeft);
  EXPECT_TRUE(indents.LeftList.empty());
  EXPECT_TRUE(indents.RightList.empty());
  indents.RemoveLeft(7);  // nothing there: nothing happens

  indents.Reset(10, 20);
  EXPECT_EQ(indents.CurrentOwner, nullptr);
}

TEST(IndentManagerTest, FloatImagesTakeRoomBesideThemselves) {
  IndentManager indents;
  indents.Reset(0, 500);
  TImageObj& left = Image(kAlignLeftFloat, 100, 50, 5, 2);
  EXPECT_EQ(indents.PlaceFloatImage(10, left), 10 + 50 + 4);
  EXPECT_EQ(left.DrawX, 5);
  EXPECT_EQ(indents.LeftEdge(10), 110);
  EXPECT_EQ(indents.LeftEdge(63), 110);
  EXPECT_EQ(indents.LeftEdge(64), 0);
  EXPECT_EQ(indents.LeftEdge(9), 0);
  // A second left float stands beside the first.
  TImageObj& second = Image(kAlignLeftFloat, 30, 20);
  EXPECT_EQ(indents.PlaceFloatImage(20, second), 40);
  EXPECT_EQ(second.DrawX, 110);
  EXPECT_EQ(indents.LeftEdge(30), 140);

  TImageObj& right = Image(kAlignRightFloat, 80, 100, 10);
  EXPECT_EQ(indents.PlaceFloatImage(0, right), 100);
  EXPECT_EQ(right.DrawX, 500 - 100 + 10);
  EXPECT_EQ(indents.RightEdge(50), 400);
  EXPECT_EQ(indents.RightEdge(100), 500);

  TImageObj& inline_ = Image(3, 80, 100);
  EXPECT_EQ(indents.PlaceFloatImage(0, inline_), 0);
  EXPECT_EQ(indents.LeftList.size() + indents.RightList.size(), 3u);

  // The nearest bottom below y, on either side.
  EXPECT_EQ(indents.NextWiderY(0), 40);
  EXPECT_EQ(indents.NextWiderY(40), 64);
  EXPECT_EQ(indents.NextWiderY(64), 100);
  EXPECT_EQ(indents.NextWiderY(100), 100);
  int leftBottom = 0, rightBottom = 0;
  indents.FloatBottoms(leftBottom, rightBottom);
  EXPECT_EQ(leftBottom, 65);
  EXPECT_EQ(rightBottom, 101);
  EXPECT_EQ(indents.LowestFloatBottom(), 100);
}

TEST(IndentManagerTest, EdgesAreRelativeToTheLeftBase) {
  // While a cell is painted its edges move with it.
  IndentManager indents;
  indents.Reset(200, 700);
  TImageObj& left = Image(kAlignLeftFloat, 100, 50);
  indents.PlaceFloatImage(0, left);
  EXPECT_EQ(left.DrawX, 0);
  EXPECT_EQ(indents.LeftEdge(0), 300);
  TImageObj& right = Image(kAlignRightFloat, 100, 50);
  indents.PlaceFloatImage(0, right);
  EXPECT_EQ(indents.RightEdge(0), 600);
  EXPECT_EQ(right.DrawX, 400);

  indents.Reset(200, 700);
  indents.PlaceFloatBlock(0, 350, kAlignLeftFloat, 30);
  indents.PlaceFloatBlock(0, 120, kAlignRightFloat, 60);
  EXPECT_EQ(indents.LeftEdge(10), 350);
  EXPECT_EQ(indents.RightEdge(10), 580);
  EXPECT_TRUE(indents.LeftList.Floats.back().IsFloat);
  EXPECT_EQ(indents.NextWiderY(0), 30);
  EXPECT_EQ(indents.LowestFloatBottom(), 60);
}

TEST(IndentManagerTest, FloatsInAnyOrderAndInGreatNumbers) {
  IndentManager indents;
  indents.Reset(0, 1000);
  // A tall float placed first, shorter ones after: queries above and
  // below them in any order see the right ones.
  indents.PlaceFloatBlock(0, 50, kAlignLeftFloat, 500);
  indents.PlaceFloatBlock(100, 80, kAlignLeftFloat, 20);
  indents.PlaceFloatBlock(10, 30, kAlignLeftFloat, 5);
  EXPECT_EQ(indents.LeftEdge(110), 80);
  EXPECT_EQ(indents.LeftEdge(12), 50);
  EXPECT_EQ(indents.LeftEdge(300), 50);
  EXPECT_EQ(indents.LeftEdge(500), 0);
  EXPECT_EQ(indents.NextWiderY(0), 15);
  EXPECT_EQ(indents.NextWiderY(15), 120);
  EXPECT_EQ(indents.NextWiderY(120), 500);
  // A margin set without an owner reaches to the end of the cell, like a float.
  indents.AddRightMargin(900, 0);
  EXPECT_EQ(indents.NextWiderY(500), kMarginBottom);
  int left = 0, right = 0;
  indents.FloatBottoms(left, right);
  EXPECT_EQ(left, 501);
  EXPECT_EQ(right, kMarginBottom + 1);

  // A long document's floats: each query looks at the few that reach it.
  indents.Reset(0, 1000);
  for (int i = 0; i < 20000; ++i) {
    TImageObj& image = Image(kAlignLeftFloat, 100, 40);
    indents.PlaceFloatImage(i * 100, image);
    EXPECT_EQ(indents.LeftEdge(i * 100 + 39), 100);
    ASSERT_EQ(indents.LeftEdge(i * 100 + 40), 0);
  }
  EXPECT_EQ(indents.LowestFloatBottom(), 19999 * 100 + 40);
}

TEST(IndentManagerTest, EdgesHoldDownToTheEndOfTheirSpan) {
  // Margins of several owners and floats of both kinds at random heights:
  // the edges EdgesAt reports are those of LeftEdge and RightEdge at every
  // y of the span it gives, and the span ends below the y asked for.
  std::mt19937 random(11);
  const int owners[2] = {1, 2};
  for (int round = 0; round < 200; ++round) {
    IndentManager indents;
    indents.Reset(static_cast<int>(random() % 50), 600);
    for (int n = static_cast<int>(random() % 8); n > 0; --n) {
      const int y = static_cast<int>(random() % 400);
      switch (random() % 4) {
        case 0:
          indents.CurrentOwner = random() % 3 == 0 ? nullptr : &owners[random() % 2];
          indents.AddLeftMargin(static_cast<int>(random() % 100), y);
          break;
        case 1:
          indents.CurrentOwner = &owners[random() % 2];
          indents.AddRightMargin(500 + static_cast<int>(random() % 100), y);
          break;
        case 2:
          indents.PlaceFloatBlock(y, static_cast<int>(random() % 200), random() % 2 ? kAlignLeftFloat : kAlignRightFloat,
                                  static_cast<int>(random() % 80));
          break;
        default:
          indents.PlaceFloatImage(y, Image(random() % 2 ? kAlignLeftFloat : kAlignRightFloat,
                                           static_cast<int>(random() % 90), static_cast<int>(random() % 60)));
      }
    }
    indents.CurrentOwner = &owners[random() % 2];
    for (int y = -5; y < 520; y += 1 + static_cast<int>(random() % 7)) {
      const TEdgeSpan span = indents.EdgesAt(y);
      ASSERT_EQ(span.Left, indents.LeftEdge(y)) << round << " at " << y;
      ASSERT_EQ(span.Right, indents.RightEdge(y)) << round << " at " << y;
      ASSERT_GT(span.Until, y);
      const int checkedTo = std::min(span.Until, y + 600);  // margins reach far down
      for (int below = y; below < checkedTo; ++below) {
        ASSERT_EQ(indents.LeftEdge(below), span.Left) << round << " from " << y << " at " << below;
        ASSERT_EQ(indents.RightEdge(below), span.Right) << round << " from " << y << " at " << below;
      }
    }
  }
}

}  // namespace
}  // namespace folverin
