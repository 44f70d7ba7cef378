#include "htmlengine/support/font_metrics.h"

#include <gtest/gtest.h>

#include <set>

namespace folverin {
namespace {

// Other tests count on these numbers: they must not depend on the machine.
TEST(FixedWidthFontMetrics, MeasuresFollowThePointSize) {
  FixedWidthFontMetrics metrics;
  TRealisedFont font = metrics.Realise({"times new roman", 12, 0, 1});
  EXPECT_EQ(font.Family, "times new roman");
  EXPECT_EQ(font.Charset, 0);  // DEFAULT_CHARSET becomes the system's
  EXPECT_EQ(font.Height, 19);
  EXPECT_EQ(font.Ascent, 15);
  EXPECT_EQ(font.Descent, 4);
  EXPECT_EQ(font.InternalLeading, 3);
  EXPECT_EQ(metrics.TextWidth(font, u"Hallo"), 40);
  TRealisedFont bold = metrics.Realise({"Arial", 12, kFontBold, 204});
  EXPECT_EQ(bold.Charset, 204);
  EXPECT_EQ(metrics.TextWidth(bold, u"Hallo"), 45);
  EXPECT_EQ(metrics.TextWidth(bold, u""), 0);
}

TEST(FixedWidthFontMetrics, FamiliesAndCharsets) {
  FixedWidthFontMetrics metrics({"Verdana"}, 120);
  EXPECT_TRUE(metrics.IsInstalled("VERDANA"));
  EXPECT_FALSE(metrics.IsInstalled("Arial"));
  EXPECT_TRUE(metrics.IsInstalled("vErDaNa"));
  EXPECT_FALSE(metrics.IsInstalled("Verdan"));
  EXPECT_FALSE(metrics.IsInstalled(""));
  // Names too long for the short way are looked up all the same.
  const AnsiString longName(80, 'x');
  FixedWidthFontMetrics withLong({longName + "Y"}, 96);
  EXPECT_TRUE(withLong.IsInstalled(longName + "y"));
  EXPECT_FALSE(withLong.IsInstalled(longName));
  // A long list of families is searched another way; same answers.
  std::set<AnsiString> many = {longName + "Y"};
  for (char c = 'a'; c <= 'z'; ++c) many.insert(AnsiString("Font ") + c);
  FixedWidthFontMetrics withMany(many, 96);
  EXPECT_TRUE(withMany.IsInstalled("FONT Q"));
  EXPECT_TRUE(withMany.IsInstalled("font a"));
  EXPECT_FALSE(withMany.IsInstalled("font"));
  EXPECT_FALSE(withMany.IsInstalled("Arial"));
  EXPECT_TRUE(withMany.IsInstalled(longName + "y"));
  EXPECT_FALSE(withMany.IsInstalled(longName));
  EXPECT_EQ(metrics.PixelsPerInch(), 120);
  EXPECT_EQ(metrics.Realise({"Nowhere", 12, 0, 0}).Family, "Arial");
  EXPECT_EQ(metrics.Realise({"Verdana", 12, 0, 0}).Height, 24);  // em 20 at 120 dpi
  EXPECT_EQ(FixedWidthFontMetrics().Realise({"Symbol", 10, 0, 0}).Charset, 2);
  EXPECT_GT(metrics.Realise({"Verdana", -5, 0, 0}).Height, 0);  // no empty fonts
}

// A family given in several spellings is one family; any spelling, and any
// case of it, finds it, in a short list and in a long one.
TEST(FixedWidthFontMetrics, SpellingsOfOneFamily) {
  using namespace std::literals;
  std::set<AnsiString> few = {"Verdana", "VERDANA", "verdana", "Arial"};
  std::set<AnsiString> many = few;
  for (char c = 'a'; c <= 'z'; ++c) many.insert(AnsiString("Font ") + c);
  for (const std::set<AnsiString>& families : {few, many}) {
    FixedWidthFontMetrics metrics(families, 96);
    for (const char* asked : {"Verdana", "VERDANA", "verdana", "vERDANA", "ARIAL", "arial"})
      EXPECT_TRUE(metrics.IsInstalled(asked)) << asked;
    for (std::string_view asked : {"Verdana "sv, "Verdanb"sv, "Arial\0"sv, "Ari"sv})
      EXPECT_FALSE(metrics.IsInstalled(asked)) << asked;
    EXPECT_EQ(metrics.Realise({"vERDANA", 12, 0, 1}).Family, "vERDANA");
  }
}

}  // namespace
}  // namespace folverin
