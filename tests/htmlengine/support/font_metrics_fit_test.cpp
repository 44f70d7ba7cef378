#include <gtest/gtest.h>

#include "htmlengine/support/font_metrics.h"

namespace folverin {
namespace {

// 'i' is 3 pixels wide, everything else 10; counts what it measures. The
// fit is the general search over TextWidth, as a platform without a
// counting extent call gets it.
class TProportionalMetrics : public FixedWidthFontMetrics {
 public:
  int TextWidth(const TRealisedFont& /*font*/, std::u16string_view text) const override {
    Measured += static_cast<long long>(text.size());
    int width = 0;
    for (char16_t ch : text) width += ch == u'i' ? 3 : 10;
    return width;
  }
  int TextFit(const TRealisedFont& font, std::u16string_view text, int maxWidth,
              int& fitWidth) const override {
    return FontMetrics::TextFit(font, text, maxWidth, fitWidth);
  }
  mutable long long Measured = 0;
};

TEST(FontMetricsFitTest, SearchFindsTheFittingCountAndWidth) {
  TProportionalMetrics metrics;
  TRealisedFont font;
  font.MaxCharWidth = 10;
  int width = -1;
  EXPECT_EQ(metrics.TextFit(font, u"iiiiiwwwww", 35, width), 7);  // an exact match
  EXPECT_EQ(width, 35);
  EXPECT_EQ(metrics.TextFit(font, u"iiiiiwwwww", 34, width), 6);
  EXPECT_EQ(width, 25);
  EXPECT_EQ(metrics.TextFit(font, u"iiiiiwwwww", 1000, width), 10);
  EXPECT_EQ(width, 65);
  EXPECT_EQ(metrics.TextFit(font, u"wwwww", 9, width), 0);
  EXPECT_EQ(width, 0);
  EXPECT_EQ(metrics.TextFit(font, u"wwwww", -5, width), 0);
  EXPECT_EQ(metrics.TextFit(font, u"", 100, width), 0);
  for (int maxWidth = 0; maxWidth <= 70; ++maxWidth) {
    const int count = metrics.TextFit(font, u"iiiiiwwwww", maxWidth, width);
    EXPECT_LE(width, maxWidth);
    EXPECT_EQ(width, metrics.TextWidth(font, std::u16string_view(u"iiiiiwwwww").substr(0, count)));
    if (count < 10) {
      EXPECT_GT(metrics.TextWidth(font, std::u16string_view(u"iiiiiwwwww").substr(0, count + 1)), maxWidth);
    }
  }
  font.MaxCharWidth = 0;  // a font that does not say how wide it is
  EXPECT_EQ(metrics.TextFit(font, u"iiiiiwwwww", 34, width), 6);
}

TEST(FontMetricsFitTest, LongTextsAreMeasuredAboutAsFarAsTheyFit) {
  TProportionalMetrics metrics;
  TRealisedFont font;
  font.MaxCharWidth = 10;
  const std::u16string text(1000000, u'i');
  int width = 0;
  EXPECT_EQ(metrics.TextFit(font, text, 800, width), 266);
  EXPECT_EQ(width, 798);
  EXPECT_LT(metrics.Measured, 10000);
  metrics.Measured = 0;
  EXPECT_EQ(metrics.TextFit(font, text, 2000000000, width), 1000000);
  EXPECT_LT(metrics.Measured, 2000000);

  FixedWidthFontMetrics fixed;
  TRealisedFont eight;
  eight.MaxCharWidth = 8;
  EXPECT_EQ(fixed.TextFit(eight, text, 800, width), 100);
  EXPECT_EQ(width, 800);
  EXPECT_EQ(fixed.TextFit(eight, text, 7, width), 0);
  EXPECT_EQ(fixed.TextFit(eight, text, 2000000000, width), 1000000);
  EXPECT_EQ(width, 8000000);
}

}  // namespace
}  // namespace folverin
