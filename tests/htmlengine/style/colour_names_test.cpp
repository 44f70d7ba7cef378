#include "htmlengine/style/colour_names.h"

#include <gtest/gtest.h>

namespace folverin {
namespace {

TColour Rgb(uint32_t red, uint32_t green, uint32_t blue) {
  return red + green * 256 + blue * 65536 + kColourFlag;
}

std::optional<TColour> Parse(std::string_view text, bool strict = false) {
  TColour colour = 0;
  if (!ColourFromString(text, strict, colour)) return std::nullopt;
  return colour;
}

TEST(ColourNames, TableHoldsEveryKeywordOnce) {
  EXPECT_EQ(ColourNameCount(), 176u);
  TColour colour;
  for (const char* name : {"aliceblue", "yellowgreen", "cyan", "magenta", "rebeccapurple"}) {
    bool expected = std::string_view(name) != "rebeccapurple";  // CSS 4, not in the table
    EXPECT_EQ(ColourOfName(name, colour), expected) << name;
  }
}

TEST(ColourNames, StandardValuesInEngineByteOrder) {
  EXPECT_EQ(Parse("red"), Rgb(255, 0, 0));
  EXPECT_EQ(Parse("RED"), Parse("red"));
  EXPECT_EQ(Parse(" Navy "), Rgb(0, 0, 128));
  EXPECT_EQ(Parse("green"), Rgb(0, 128, 0));  // CSS green, not X11 lime
  EXPECT_EQ(Parse("cornflowerblue"), Rgb(0x64, 0x95, 0xED));
  EXPECT_EQ(Parse("lightgoldenrodyellow"), Rgb(0xFA, 0xFA, 0xD2));
  EXPECT_EQ(Parse("darkslategrey"), Parse("darkslategray"));
  EXPECT_EQ(Parse("grey"), Parse("gray"));
  EXPECT_EQ(Parse("lightgrey"), Rgb(0xD3, 0xD3, 0xD3));
  EXPECT_EQ(Parse("transparent"), NoColour);
}

TEST(ColourNames, SystemColoursCarryTheirIndex) {
  EXPECT_EQ(Parse("scrollbar"), 0xFF000000u);
  EXPECT_EQ(Parse("buttonface"), 0xFF00000Fu);
  EXPECT_EQ(Parse("threedface"), 0xFF00000Fu);
  EXPECT_EQ(Parse("threedlightshadow"), 0xFF000014u);
  EXPECT_EQ(Parse("InfoBackground"), 0xFF000018u);
  EXPECT_EQ(Parse("windowtext"), 0xFF000008u);
}

TEST(ColourNames, HashColours) {
  EXPECT_EQ(Parse("#abc"), Rgb(0xAA, 0xBB, 0xCC));
  EXPECT_EQ(Parse("#a"), Rgb(0, 0, 0xAA));  // "aa" read as RRGGBB
  EXPECT_EQ(Parse("#FF8000"), Rgb(255, 0x80, 0));
  EXPECT_EQ(Parse("x#00ff00"), Rgb(0, 255, 0));  // the last "#" counts
  EXPECT_EQ(Parse("#"), std::nullopt);
  EXPECT_EQ(Parse("#ggg"), std::nullopt);
  EXPECT_EQ(Parse("#123456789"), std::nullopt);
}

TEST(ColourNames, BareHexadecimalOnlyWhenNotStrict) {
  EXPECT_EQ(Parse("ff0000"), Rgb(255, 0, 0));
  EXPECT_EQ(Parse("ff0000", true), std::nullopt);
  // A lenient success must not make the same text a colour for a strict caller.
  EXPECT_EQ(Parse("00ff00"), Rgb(0, 255, 0));
  EXPECT_EQ(Parse("00ff00", true), std::nullopt);
  EXPECT_EQ(Parse("red", true), Rgb(255, 0, 0));
  EXPECT_EQ(Parse("solid", true), std::nullopt);
  EXPECT_EQ(Parse("", false), std::nullopt);
}

TEST(ColourNames, RgbFunction) {
  EXPECT_EQ(Parse("rgb(100%, 0, 50%)"), Rgb(255, 0, 128));  // 127.5 to even
  EXPECT_EQ(Parse("rgb(1,2,3)", true), Rgb(1, 2, 3));
  EXPECT_EQ(Parse("RGB( 300 , -5 , 12.5 )"), Rgb(255, 0, 0));  // clamped; 12.5 is no whole number
  EXPECT_EQ(Parse("rgb(10)"), Rgb(10, 0, 0));
  EXPECT_EQ(Parse("rgb(1,2,3"), std::nullopt);
  EXPECT_EQ(Parse("rgb"), std::nullopt);
  EXPECT_EQ(Parse("rgb(200%,0,0)"), Rgb(255, 0, 0));
  EXPECT_EQ(Parse("rgb(50%,10%,0.1%)"), Rgb(128, 26, 0));
}

TEST(ColourNames, FailureLeavesOutputAlone) {
  TColour colour = 12345;
  EXPECT_FALSE(ColourFromString("nocolour", true, colour));
  EXPECT_EQ(colour, 12345u);
}

}  // namespace
}  // namespace folverin
