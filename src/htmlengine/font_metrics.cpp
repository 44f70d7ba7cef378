#include "htmlengine/font_metrics.h"

#include <algorithm>
#include <utility>

namespace folverin {

namespace {

constexpr int kSymbolCharset = 2;
constexpr int kDefaultCharsetRequest = 1;
constexpr int kSystemCharset = 0;  // ANSI: what DEFAULT_CHARSET stands for here

std::set<AnsiString> UpperCased(const std::set<AnsiString>& names) {
  std::set<AnsiString> result;
  for (const AnsiString& name : names) result.insert(UpperCase(name));
  return result;
}

}  // namespace

FixedWidthFontMetrics::FixedWidthFontMetrics(int pixelsPerInch)
    : FixedWidthFontMetrics({"Arial", "Times New Roman", "Courier New", "MS Sans Serif",
                             "Symbol", "Lucida Handwriting"},
                            pixelsPerInch) {}

FixedWidthFontMetrics::FixedWidthFontMetrics(std::set<AnsiString> installed, int pixelsPerInch)
    : Installed(UpperCased(installed)), PixelsPerInch_(pixelsPerInch > 0 ? pixelsPerInch : 96) {}

bool FixedWidthFontMetrics::IsInstalled(std::string_view family) const {
  return Installed.count(UpperCase(family)) > 0;
}

TRealisedFont FixedWidthFontMetrics::Realise(const TFontRequest& request) const {
  TRealisedFont font;
  font.Family = IsInstalled(request.Family) ? request.Family : DefaultFamily();
  font.SizePoints = std::clamp(request.SizePoints, 1, 1000);
  font.Style = request.Style;
  if (SameText(font.Family, "Symbol")) font.Charset = kSymbolCharset;
  else if (request.Charset == kDefaultCharsetRequest) font.Charset = kSystemCharset;
  else font.Charset = request.Charset;
  int em = (font.SizePoints * PixelsPerInch_ + 36) / 72;
  font.Descent = em / 4;
  font.InternalLeading = em / 5;
  font.Height = em + font.InternalLeading;
  font.Ascent = font.Height - font.Descent;
  font.ExternalLeading = 0;
  font.MaxCharWidth = em / 2 + ((font.Style & kFontBold) ? 1 : 0);
  return font;
}

int FixedWidthFontMetrics::TextWidth(const TRealisedFont& font, std::u16string_view text) const {
  return static_cast<int>(text.size()) * font.MaxCharWidth;
}

const FixedWidthFontMetrics& FixedWidthFontMetrics::Standard() {
  static const FixedWidthFontMetrics instance;
  return instance;
}

}  // namespace folverin
