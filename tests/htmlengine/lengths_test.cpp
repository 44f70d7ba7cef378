#include "htmlengine/lengths.h"

#include <gtest/gtest.h>

namespace folverin {
namespace {

int Px(std::string_view text, bool relative = false, double base = 200, int fallback = -1) {
  return LengthToPixels(text, relative, base, fallback, 8, 16, 96);
}

TEST(Lengths, AbsoluteUnitsAtNinetySixPixelsPerInch) {
  EXPECT_EQ(Px("1in"), 96);
  EXPECT_EQ(Px("2cm"), 76);  // 75.59
  EXPECT_EQ(Px("10mm"), 38);
  EXPECT_EQ(Px("12pt"), 16);
  EXPECT_EQ(Px("1pc"), 16);
  EXPECT_EQ(Px("7px"), 7);
  EXPECT_EQ(Px(" 7 px "), 7);  // the unit is trimmed
  EXPECT_EQ(LengthToPixels("1in", false, 0, 0, 0, 0, 120), 120);
}

TEST(Lengths, RelativeUnits) {
  EXPECT_EQ(Px("1.5em"), 24);  // the "e" of em is not an exponent
  EXPECT_EQ(Px("2ex"), 16);
  EXPECT_EQ(Px("50%"), 100);
  EXPECT_EQ(Px("3"), 3);
  EXPECT_EQ(Px("0.5", true), 100);
  EXPECT_EQ(Px("2.5px"), 2);  // ties to even
  EXPECT_EQ(Px("3.5px"), 4);
  EXPECT_EQ(Px("-4px"), -4);
}

TEST(Lengths, UnreadableGivesDefaultOrZero) {
  EXPECT_EQ(Px("auto"), -1);
  EXPECT_EQ(Px("12furlongs"), -1);
  EXPECT_EQ(Px("px"), 0);  // unit without number: the number counts as 0
  EXPECT_EQ(Px(""), 0);
  EXPECT_EQ(Px("1e3px"), -1);  // unit "e3px"
  EXPECT_NE(Px("99999999999999999999999999999999999in"), 0);  // clamped, no overflow
}

TEST(Lengths, FontSizes) {
  EXPECT_DOUBLE_EQ(FontSizeToPoints("150%", 10, 12), 15);
  EXPECT_DOUBLE_EQ(FontSizeToPoints("2em", 10, 12), 20);
  EXPECT_DOUBLE_EQ(FontSizeToPoints("3ex", 10, 12), 15);
  EXPECT_DOUBLE_EQ(FontSizeToPoints("16px", 10, 12, 96), 12);
  EXPECT_DOUBLE_EQ(FontSizeToPoints("16", 10, 12, 96), 12);
  EXPECT_DOUBLE_EQ(FontSizeToPoints("1in", 10, 12), 72);
  EXPECT_DOUBLE_EQ(FontSizeToPoints("2.54cm", 10, 12), 72);
  EXPECT_DOUBLE_EQ(FontSizeToPoints("1pc", 10, 12), 12);
  EXPECT_DOUBLE_EQ(FontSizeToPoints("9pt", 10, 12), 9);
  EXPECT_DOUBLE_EQ(FontSizeToPoints("12 pt", 10, 14), 14);  // blank before unit: unknown
  EXPECT_DOUBLE_EQ(FontSizeToPoints("huge", 10, 14), 14);
}

TEST(Lengths, FontSizeKeywords) {
  EXPECT_DOUBLE_EQ(FontSizeToPoints("small", 20, 10), 10);
  EXPECT_DOUBLE_EQ(FontSizeToPoints("medium", 20, 10), 12);
  EXPECT_DOUBLE_EQ(FontSizeToPoints("xx-small", 20, 12), 8);
  EXPECT_DOUBLE_EQ(FontSizeToPoints("x-small", 20, 12), 10);
  EXPECT_DOUBLE_EQ(FontSizeToPoints("large", 20, 10), 15);
  EXPECT_DOUBLE_EQ(FontSizeToPoints("x-large", 20, 10), 20);
  EXPECT_DOUBLE_EQ(FontSizeToPoints("xx-large", 20, 10), 30);
  EXPECT_DOUBLE_EQ(FontSizeToPoints("smaller", 20, 10), 15);
  EXPECT_DOUBLE_EQ(FontSizeToPoints("larger", 20, 10), 25);
}

}  // namespace
}  // namespace folverin
