#include "ui/qt_font_metrics.h"

#include <vector>

#include <QFontDatabase>
#include <QStringList>
#include <gtest/gtest.h>

#include "htmlengine/view/document_view.h"
#include "qtcommon/qt_text.h"
#include "test_support/temp_folder.h"

namespace folverin {
namespace {

// A family the machine has, so that the numbers come from a real font.
AnsiString SomeInstalledFamily() {
  const QStringList families = QFontDatabase::families();
  return families.isEmpty() ? AnsiString() : ToAnsi(families.front());
}

TEST(QtFontMetrics, InstalledFamiliesAndDefault) {
  const QtFontMetrics metrics(96);
  const AnsiString family = SomeInstalledFamily();
  ASSERT_FALSE(family.empty());
  EXPECT_TRUE(metrics.IsInstalled(family));
  EXPECT_TRUE(metrics.IsInstalled(LowerCase(family)));
  EXPECT_FALSE(metrics.IsInstalled("Keine Solche Schrift 4711"));
  EXPECT_FALSE(metrics.IsInstalled(AnsiString(100, 'x')));  // longer than any family name
  EXPECT_FALSE(metrics.DefaultFamily().empty());
  EXPECT_EQ(metrics.PixelsPerInch(), 96);
  EXPECT_GT(QtFontMetrics().PixelsPerInch(), 0);
}

TEST(QtFontMetrics, RealisedFontsHaveConsistentMeasures) {
  const QtFontMetrics metrics(120);
  const AnsiString family = SomeInstalledFamily();
  const TRealisedFont font = metrics.Realise({family, 12, 0, 1});
  EXPECT_TRUE(SameText(font.Family, family)) << font.Family;
  EXPECT_EQ(font.Charset, 0);  // DEFAULT_CHARSET is the system's
  EXPECT_EQ(font.Height, font.Ascent + font.Descent);
  EXPECT_GT(font.Ascent, font.Descent);
  // 12 points at 120 pixels per inch make an em of 20 pixels.
  EXPECT_EQ(font.InternalLeading, std::max(0, font.Height - 20));
  EXPECT_GE(font.Height, 18);
  EXPECT_GT(font.MaxCharWidth, 0);
  EXPECT_EQ(metrics.Realise({family, 12, 0, 238}).Charset, 238);

  const TRealisedFont big = metrics.Realise({family, 24, 0, 1});
  EXPECT_GT(big.Height, font.Height);
  EXPECT_GT(metrics.TextWidth(big, u"Wort"), metrics.TextWidth(font, u"Wort"));
  const TRealisedFont bold = metrics.Realise({family, 12, kFontBold, 1});
  EXPECT_GE(metrics.TextWidth(bold, u"Wort Wort"), metrics.TextWidth(font, u"Wort Wort"));

  const TRealisedFont missing = metrics.Realise({"Keine Solche Schrift 4711", 12, 0, 1});
  EXPECT_TRUE(metrics.IsInstalled(missing.Family)) << missing.Family;
}

// Fonts are realised once per request; a request realised before, among
// others, gives what a metrics object that never saw it gives.
TEST(QtFontMetrics, RealisingAgainGivesTheSameFont) {
  const AnsiString family = SomeInstalledFamily();
  const std::vector<TFontRequest> requests = {
      {family, 12, 0, 1},           {family, 13, 0, 1},
      {family, 12, kFontBold, 1},   {family, 12, kFontItalic | kFontUnderline, 1},
      {family, 12, 0, 238},         {LowerCase(family), 12, 0, 1},
      {"Keine Solche Schrift", 12, 0, 1}, {"Symbol", 9, 0, 1}};
  const QtFontMetrics shared(96);
  for (int pass = 0; pass < 2; ++pass) {
    for (const TFontRequest& request : requests) {
      const TRealisedFont again = shared.Realise(request);
      const TRealisedFont fresh = QtFontMetrics(96).Realise(request);
      EXPECT_EQ(again.Family, fresh.Family) << request.Family;
      EXPECT_EQ(again.SizePoints, fresh.SizePoints) << request.SizePoints;
      EXPECT_EQ(again.Style, fresh.Style) << int{request.Style};
      EXPECT_EQ(again.Charset, fresh.Charset) << request.Charset;
      EXPECT_EQ(again.Height, fresh.Height);
      EXPECT_EQ(again.Ascent, fresh.Ascent);
      EXPECT_EQ(again.Descent, fresh.Descent);
      EXPECT_EQ(again.InternalLeading, fresh.InternalLeading);
      EXPECT_EQ(again.ExternalLeading, fresh.ExternalLeading);
      EXPECT_EQ(again.MaxCharWidth, fresh.MaxCharWidth);
    }
  }
}

TEST(QtFontMetrics, WidthsAndFittingAgree) {
  const QtFontMetrics metrics(96);
  const TRealisedFont font = metrics.Realise({SomeInstalledFamily(), 12, 0, 1});
  EXPECT_EQ(metrics.TextWidth(font, u""), 0);
  EXPECT_LT(metrics.TextWidth(font, u"iiii"), metrics.TextWidth(font, u"WWWW"));
  const std::u16string text = u"Die Gr\u00F6\u00DFe des Hauses, gemessen in Metern und Zoll.";
  const int whole = metrics.TextWidth(font, text);
  for (int maxWidth : {-1, 0, 1, 7, 40, 100, 173, whole - 1, whole, whole + 50}) {
    int fitWidth = -1;
    const int fits = metrics.TextFit(font, text, maxWidth, fitWidth);
    ASSERT_GE(fits, 0);
    ASSERT_LE(fits, static_cast<int>(text.size()));
    EXPECT_EQ(fitWidth, metrics.TextWidth(font, text.substr(0, fits))) << maxWidth;
    if (maxWidth >= 0) {
      EXPECT_LE(fitWidth, maxWidth);
    }
    if (fits < static_cast<int>(text.size()) && maxWidth >= 0) {
      EXPECT_GT(metrics.TextWidth(font, text.substr(0, fits + 1)), maxWidth) << maxWidth;
    }
  }
  int fitWidth = 0;
  EXPECT_EQ(metrics.TextFit(font, text, whole, fitWidth), static_cast<int>(text.size()));
  // A long text is not shaped whole for a short line.
  const std::u16string longText(200000, u'x');
  const int fits = metrics.TextFit(font, longText, 300, fitWidth);
  EXPECT_GT(fits, 0);
  EXPECT_LT(fits, 300);
  EXPECT_EQ(fitWidth, metrics.TextWidth(font, longText.substr(0, fits)));
}

TEST(QtFontMetrics, DocumentTextDoesNotDependOnTheMetrics) {
  const testing::TempFolder folder;
  const std::string file = folder.Write(
      "doc.htm", "<TITLE>T</TITLE><H1>Kopf</H1><P>Ein etwas l&auml;ngerer Absatz, der in einer "
                 "schmalen Ansicht umbrochen wird.<TABLE><TR><TD>a<TD>b</TABLE><PRE>x  y</PRE>");
  const QtFontMetrics qtMetrics;
  TDocumentView windowView(&qtMetrics);
  TDocumentView extraction(nullptr, TDocumentViewProperties::IndexBuilder());
  for (TDocumentView* view : {&windowView, &extraction}) {
    view->LoadFromFile(file);
    view->SelectAll();
  }
  EXPECT_EQ(windowView.SelText(), extraction.SelText());
  EXPECT_GT(windowView.DocumentHeight(), 0);
}

}  // namespace
}  // namespace folverin
