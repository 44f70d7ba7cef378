#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "htmlengine/style/property_set.h"
#include "htmlengine/support/font_metrics.h"

namespace folverin {
namespace {

TEST(PropertyFont, BoldWeights) {
  for (const char* weight : {"bold", "bolder", "x-bold-y", "600", " 700 ", "+600", "600.5",
                             "900\t", "0600"})
    EXPECT_TRUE(IsBoldWeight(weight)) << weight;
  for (const char* weight : {"", "normal", "lighter", "599", "599.99", "-700", "700px", "600.",
                             "6e2", "700 px", " ", "Bold", " BOLD"})
    EXPECT_FALSE(IsBoldWeight(weight)) << weight;
}

TEST(PropertyFont, ChoosingTheInstalledFamily) {
  const FixedWidthFontMetrics metrics;  // Arial, Times New Roman, Courier New, Symbol, ...
  EXPECT_EQ(ChooseInstalledFamily("serif", metrics), "Times New Roman");
  EXPECT_EQ(ChooseInstalledFamily("SANS-SERIF", metrics), "Arial");
  EXPECT_EQ(ChooseInstalledFamily("Monospace", metrics), "Courier New");
  EXPECT_EQ(ChooseInstalledFamily("cursive", metrics), "Lucida Handwriting");
  EXPECT_EQ(ChooseInstalledFamily("verdana, sans-serif", metrics), "Arial");
  EXPECT_EQ(ChooseInstalledFamily(" 'courier new' ,serif", metrics), "courier new");
  EXPECT_EQ(ChooseInstalledFamily("\"Symbol\"", metrics), "Symbol");
  // Names of the generic names' lengths that are none of them.
  EXPECT_EQ(ChooseInstalledFamily("serifs, seri, cursivE2, monospac, sans serif", metrics), "Arial");
  EXPECT_EQ(ChooseInstalledFamily("", metrics), "Arial");
  EXPECT_EQ(ChooseInstalledFamily(",,", metrics), "Arial");
  const FixedWidthFontMetrics without({"Verdana"}, 96);
  EXPECT_EQ(ChooseInstalledFamily("serif, verdana", without), "verdana");
}

using TDeclarations = std::vector<std::pair<const char*, std::string>>;

// A few values per font property, so that a child often repeats its
// parent's value in a text of its own.
TDeclarations RandomFontDeclarations(std::mt19937& random) {
  static const std::vector<std::pair<const char*, std::vector<std::string>>> kChoices = {
      {"font-family", {"serif", "verdana, monospace", "Symbol", "cursive"}},
      {"font-size", {"12pt", "small", "150%", "2em", "x-large"}},
      {"font-weight", {"bold", "normal", "700", "500"}},
      {"font-style", {"italic", "normal"}},
      {"text-decoration", {"underline", "none", "line-through"}},
      {"color", {"red", "#00ff00", "black"}},
  };
  TDeclarations declarations;
  for (const auto& [name, values] : kChoices)
    if (random() % 3 == 0) declarations.emplace_back(name, values[random() % values.size()]);
  return declarations;
}

void Declare(TProperties& set, const TDeclarations& declarations) {
  for (const auto& [name, value] : declarations) set.AssignByName(name, value);
}

// Builds the same child twice: once below a parent whose font is realised,
// whose font the child may take over, and once below the same parent before
// realising; the child's font and em size must come out the same.
TEST(PropertyFont, FontTakenOverFromTheParentIsTheOneRealisedAfresh) {
  const FixedWidthFontMetrics metrics, coarse(72);
  std::mt19937 random(20261209);
  int sameAsParent = 0;
  for (int round = 0; round < 600; ++round) {
    TProperties parent;
    parent.Tag = random() % 4 == 0 ? "span" : "div";
    Declare(parent, RandomFontDeclarations(random));
    TProperties unrealised = parent;
    const TRealisedFont parentFont = parent.GetFont(metrics);

    TProperties child, fresh;
    child.Inherit(parent);
    fresh.Inherit(unrealised);
    const TDeclarations declarations = RandomFontDeclarations(random);
    Declare(child, declarations);
    Declare(fresh, declarations);
    if (random() % 6 == 0) child.Charset = fresh.Charset = 2;
    if (random() % 6 == 0) child.DefaultSize = fresh.DefaultSize = 10;
    const FontMetrics& used = random() % 8 == 0 ? coarse : metrics;
    const TRealisedFont childFont = child.GetFont(used);
    EXPECT_EQ(childFont, fresh.GetFont(used)) << round;
    EXPECT_EQ(child.EmSize, fresh.EmSize) << round;
    EXPECT_EQ(child.ExSize, fresh.ExSize) << round;
    if (childFont == parentFont) ++sameAsParent;

    // A set that forgets its font and is changed (or not) before realising
    // it again, against one built the same way that never had a font.
    const int emBefore = parent.EmSize, exBefore = parent.EmSize / 2;
    child.ForgetFont(emBefore, exBefore);
    EXPECT_EQ(child.EmSize, emBefore);
    const TDeclarations changes =
        random() % 2 ? RandomFontDeclarations(random) : TDeclarations();
    Declare(child, changes);
    TProperties reference;
    reference.Inherit(unrealised);
    Declare(reference, declarations);
    Declare(reference, changes);
    reference.Charset = child.Charset;
    reference.DefaultSize = child.DefaultSize;
    const TProperties referenceUnrealised = reference;
    EXPECT_EQ(child.GetFont(used), reference.GetFont(used)) << round;
    EXPECT_EQ(child.EmSize, reference.EmSize) << round;

    // A grandchild whose parent took its font over, and one that skips an
    // unrealised generation.
    TProperties grandchild, freshGrandchild, skipping, freshSkipping;
    grandchild.Inherit(child);
    freshGrandchild.Inherit(referenceUnrealised);
    const TDeclarations more = RandomFontDeclarations(random);
    Declare(grandchild, more);
    Declare(freshGrandchild, more);
    EXPECT_EQ(grandchild.GetFont(metrics), freshGrandchild.GetFont(metrics)) << round;
    TProperties middle, freshMiddle;
    middle.Inherit(parent);
    freshMiddle.Inherit(unrealised);
    skipping.Inherit(middle);
    freshSkipping.Inherit(freshMiddle);
    Declare(skipping, more);
    Declare(freshSkipping, more);
    EXPECT_EQ(skipping.GetFont(metrics), freshSkipping.GetFont(metrics)) << round;
    EXPECT_EQ(skipping.EmSize, freshSkipping.EmSize) << round;
  }
  // The rounds must include children that keep the parent's font.
  EXPECT_GT(sameAsParent, 50);
}

}  // namespace
}  // namespace folverin
