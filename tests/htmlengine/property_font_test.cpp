#include <gtest/gtest.h>

#include "htmlengine/font_metrics.h"
#include "htmlengine/property_set.h"

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

}  // namespace
}  // namespace folverin
