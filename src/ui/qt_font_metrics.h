// The engine's font facilities over Qt's font database, for documents that
// are painted in a window: installed families, realised fonts with their
// measures, and text extents as Qt shapes the text.
#pragma once

#include <map>
#include <set>
#include <tuple>

#include <QFont>
#include <QFontMetrics>

#include "htmlengine/support/font_metrics.h"

namespace folverin {

class QtFontMetrics : public FontMetrics {
 public:
  // pixelsPerInch 0 takes the primary screen's logical resolution (96
  // without a screen). Needs a QGuiApplication.
  explicit QtFontMetrics(int pixelsPerInch = 0);

  bool IsInstalled(std::string_view family) const override;
  AnsiString DefaultFamily() const override;
  int PixelsPerInch() const override { return pixelsPerInch_; }
  TRealisedFont Realise(const TFontRequest& request) const override;
  int TextWidth(const TRealisedFont& font, std::u16string_view text) const override;
  int TextFit(const TRealisedFont& font, std::u16string_view text, int maxWidth,
              int& fitWidth) const override;

  // The Qt font that a realised font stands for.
  QFont ToQFont(const TRealisedFont& font) const;

 private:
  using TFontKey = std::tuple<AnsiString, int, uint8_t>;
  using TRequestKey = std::tuple<AnsiString, int, uint8_t, int>;
  QFont MakeFont(const AnsiString& family, int sizePoints, uint8_t style) const;
  const QFontMetrics& MetricsOf(const TRealisedFont& font) const;
  TRealisedFont RealiseNew(const TFontRequest& request) const;

  int pixelsPerInch_;
  std::set<AnsiString, std::less<>> installed_;  // upper case
  AnsiString default_;
  // Layout measures the same few fonts again and again.
  mutable std::map<TFontKey, QFontMetrics> metricsCache_;
  // Every element of a document asks for its font, and most ask for one of
  // a few; the font database is asked once for each.
  mutable std::map<TRequestKey, TRealisedFont> realisedFonts_;
};

}  // namespace folverin
