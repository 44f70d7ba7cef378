#include "htmlengine/style/lengths.h"

#include <gtest/gtest.h>

#include <charconv>
#include <random>
#include <string>

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

// Short numbers are read without from_chars; every number must still come
// out as the nearest double, exactly as from_chars reads it.
TEST(Lengths, NumbersReadAsFromCharsReadsThem) {
  std::mt19937 random(4711);
  auto digits = [&](int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += static_cast<char>('0' + random() % 10);
    return text;
  };
  for (int round = 0; round < 20000; ++round) {
    // Up to nine digits before the point keep the value inside the clamp.
    std::string number = digits(static_cast<int>(random() % 10));
    const int fraction = static_cast<int>(random() % 14);
    if (fraction > 0 || number.empty()) number += "." + digits(std::max(fraction, 1));
    double expected = 0;
    std::from_chars(number.data(), number.data() + number.size(), expected);
    const bool negative = random() % 2 == 0;
    const std::string text = (negative ? "-" : "") + number + "em";
    TNumberAndUnit parsed = SplitNumberAndUnit(text);
    ASSERT_TRUE(parsed.HasNumber) << text;
    ASSERT_EQ(parsed.Value, negative ? -expected : expected) << text;
    ASSERT_EQ(parsed.Unit, "em") << text;
  }
  // Around the number of digits that is read exactly as an integer.
  EXPECT_EQ(SplitNumberAndUnit("0.123456789012345").Value, 0.123456789012345);
  EXPECT_EQ(SplitNumberAndUnit("0.1234567890123456").Value, 0.1234567890123456);
  EXPECT_EQ(SplitNumberAndUnit("12345678.90123456789").Value, 12345678.90123456789);
  EXPECT_EQ(SplitNumberAndUnit("000000000000000000001.5").Value, 1.5);
  EXPECT_EQ(SplitNumberAndUnit(".5").Value, 0.5);
  EXPECT_TRUE(std::signbit(SplitNumberAndUnit("-0").Value));
  EXPECT_EQ(SplitNumberAndUnit("1.").Unit, ".");
}

}  // namespace
}  // namespace folverin
