#include "htmlengine/support/font_metrics.h"

#include <algorithm>
#include <array>
#include <utility>

#include "htmlengine/support/html_charsets.h"

namespace folverin {

namespace {

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
    : Installed(NamesOf(installed)), PixelsPerInch_(pixelsPerInch > 0 ? pixelsPerInch : 96) {}

std::vector<FixedWidthFontMetrics::TInstalledName> FixedWidthFontMetrics::NamesOf(
    const std::set<AnsiString>& families) {
  std::vector<TInstalledName> names;
  for (const AnsiString& family : families) names.push_back({UpperCase(family), family});
  std::ranges::stable_sort(names, std::less<>(), &TInstalledName::Upper);
  auto sameUpper = [](const TInstalledName& a, const TInstalledName& b) { return a.Upper == b.Upper; };
  names.erase(std::unique(names.begin(), names.end(), sameUpper), names.end());
  return names;
}

// Asked twice for every font an element describes: when its family is chosen
// and when it is realised. The usual handful of families is scanned, lengths
// first; family names are short, so a longer list is searched with the name
// upper-cased on the stack.
bool FixedWidthFontMetrics::IsInstalled(std::string_view family) const {
  constexpr size_t kFewFamilies = 16;
  if (Installed.size() <= kFewFamilies)
    return std::any_of(Installed.begin(), Installed.end(), [family](const TInstalledName& name) {
      return name.Upper.size() == family.size() &&
             (family == name.Spelling || SameUpperCased(name.Upper, family));
    });
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
  return std::ranges::binary_search(Installed, upper, std::less<>(), &TInstalledName::Upper);
}

TRealisedFont FixedWidthFontMetrics::Realise(const TFontRequest& request) const {
  TRealisedFont font;
  if (IsInstalled(request.Family)) font.Family = request.Family;
  else font.Family = DefaultFamily();
  font.SizePoints = std::clamp(request.SizePoints, 1, 1000);
  font.Style = request.Style;
  if (SameText(font.Family, "Symbol")) font.Charset = kSymbolCharset;
  else if (request.Charset == kDefaultCharset) font.Charset = kAnsiCharset;  // the system's character set
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
