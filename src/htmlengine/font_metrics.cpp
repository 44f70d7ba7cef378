#include "htmlengine/font_metrics.h"

#include <algorithm>
#include <array>
#include <utility>

namespace folverin {

namespace {

constexpr int kSymbolCharset = 2;
constexpr int kDefaultCharsetRequest = 1;
constexpr int kSystemCharset = 0;  // ANSI: what DEFAULT_CHARSET stands for here

std::vector<AnsiString> UpperCased(const std::set<AnsiString>& names) {
  std::vector<AnsiString> result;
  for (const AnsiString& name : names) result.push_back(UpperCase(name));
  std::sort(result.begin(), result.end());
  result.erase(std::unique(result.begin(), result.end()), result.end());
  return result;
}

bool SameUpperCased(std::string_view upper, std::string_view text) {
  if (upper.size() != text.size()) return false;
  for (size_t i = 0; i < text.size(); ++i)
    if (upper[i] != AsciiUpper(text[i])) return false;
  return true;
}

}  // namespace

FixedWidthFontMetrics::FixedWidthFontMetrics(int pixelsPerInch)
    : FixedWidthFontMetrics({"Arial", "Times New Roman", "Courier New", "MS Sans Serif",
                             "Symbol", "Lucida Handwriting"},
                            pixelsPerInch) {}

FixedWidthFontMetrics::FixedWidthFontMetrics(std::set<AnsiString> installed, int pixelsPerInch)
    : Installed(UpperCased(installed)), PixelsPerInch_(pixelsPerInch > 0 ? pixelsPerInch : 96) {}

// Asked for every family of every font an element describes. The usual
// handful of families is scanned, lengths first; family names are short, so
// a longer list is searched with the name upper-cased on the stack.
bool FixedWidthFontMetrics::IsInstalled(std::string_view family) const {
  constexpr size_t kFewFamilies = 16;
  if (Installed.size() <= kFewFamilies)
    return std::any_of(Installed.begin(), Installed.end(),
                       [family](const AnsiString& upper) { return SameUpperCased(upper, family); });
  constexpr size_t kShortName = 64;
  AnsiString longName;
  std::array<char, kShortName> buffer;
  std::string_view upper;
  if (family.size() > kShortName) {
    longName = UpperCase(family);
    upper = longName;
  } else {
    std::transform(family.begin(), family.end(), buffer.begin(), AsciiUpper);
    upper = std::string_view(buffer.data(), family.size());
  }
  return std::binary_search(Installed.begin(), Installed.end(), upper, std::less<>());
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
