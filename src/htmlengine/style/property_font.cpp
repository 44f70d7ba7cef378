// The fonts of a property set: the description an element asks for, its
// realisation through the platform, and the four fonts of a link.
#include <cmath>
#include <utility>

#include "htmlengine/style/lengths.h"
#include "htmlengine/style/property_set.h"
#include "htmlengine/style/style_words.h"

namespace folverin {

namespace {

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// Views rather than copies: a family list is looked at for every font. The
// generic names differ in length, so most names are told apart by that alone.
std::string_view GenericFamily(std::string_view name) {
  switch (name.size()) {
    case 5:
      if (SameText(name, "serif")) return "Times New Roman";
      break;
    case 7:
      if (SameText(name, "cursive")) return "Lucida Handwriting";
      break;
    case 9:
      if (SameText(name, "monospace")) return "Courier New";
      break;
    case 10:
      if (SameText(name, "sans-serif")) return "Arial";
      break;
  }
  return name;
}

// As Trim: characters with codes 32 and below go at both ends.
std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32) text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32) text.remove_suffix(1);
  return text;
}


uint8_t StyleBitsOf(const TProperties& set) {
  uint8_t bits = 0;
  if (const AnsiString* weight = set.TextOf(Prop::FontWeight); weight && IsBoldWeight(*weight))
    bits |= kFontBold;
  if (const AnsiString* style = set.TextOf(Prop::FontStyle);
      style && (Contains(*style, "italic") || Contains(*style, "oblique")))
    bits |= kFontItalic;
  if (const AnsiString* decoration = set.TextOf(Prop::TextDecoration)) {
    if (Contains(*decoration, "underline")) bits |= kFontUnderline;
    if (Contains(*decoration, "line-through")) bits |= kFontStrikeOut;
  }
  return bits;
}

void SetBit(uint8_t& bits, uint8_t bit, bool on) { bits = on ? (bits | bit) : (bits & ~bit); }

void UpdateStyleBits(TFontDescription& font, int slot, std::string_view text) {
  switch (slot) {
    case Prop::FontWeight:
      if (IsBoldWeight(text)) SetBit(font.Style, kFontBold, true);
      else if (Contains(text, "normal")) SetBit(font.Style, kFontBold, false);
      break;
    case Prop::FontStyle:
      if (Contains(text, "italic") || Contains(text, "oblique")) SetBit(font.Style, kFontItalic, true);
      else if (Contains(text, "normal")) SetBit(font.Style, kFontItalic, false);
      break;
    case Prop::TextDecoration:
      if (Contains(text, "underline")) SetBit(font.Style, kFontUnderline, true);
      if (Contains(text, "line-through")) SetBit(font.Style, kFontStrikeOut, true);
      if (Contains(text, "none")) font.Style &= ~(kFontUnderline | kFontStrikeOut);
      break;
  }
}

// What a new value of one slot does to the fonts of a link.
void ChangeLinkFonts(TLinkFonts& fonts, int slot, const TPropValue& value, double defaultSize,
                     const FontMetrics& metrics) {
  const TPropText* shared = std::get_if<TPropText>(&value);
  const AnsiString* text = shared ? &shared->Get() : nullptr;
  if (slot == Prop::FontFamily) {
    // The four states take the same family; it is chosen once.
    if (!text) return;
    const AnsiString family = ChooseInstalledFamily(*text, metrics);
    for (TFontDescription& font : fonts) font.Family = family;
    return;
  }
  for (TFontDescription& font : fonts) {
    switch (slot) {
      case Prop::FontSize:
        if (text) font.SizePoints = FontSizeToPoints(*text, font.SizePoints, defaultSize,
                                                     metrics.PixelsPerInch());
        else if (const double* points = std::get_if<double>(&value)) font.SizePoints = *points;
        break;
      case Prop::Color:
      case Prop::BackgroundColor:
        if (const int32_t* colour = std::get_if<int32_t>(&value))
          (slot == Prop::Color ? font.Colour : font.Background) = static_cast<TColour>(*colour);
        break;
      default:
        if (text) UpdateStyleBits(font, slot, *text);
    }
  }
}

}  // namespace

bool IsBoldWeight(std::string_view weight) {
  if (Contains(weight, "bold")) return true;
  // A number without unit ends in a digit; the usual "normal" is no number
  // and needs no reading.
  const std::string_view trimmed = Trimmed(weight);
  if (trimmed.empty() || trimmed.back() < '0' || trimmed.back() > '9') return false;
  TNumberAndUnit number = SplitNumberAndUnit(trimmed);
  return number.HasNumber && number.Unit.empty() && number.Value >= 600;
}

AnsiString ChooseInstalledFamily(std::string_view families, const FontMetrics& metrics) {
  while (true) {
    size_t comma = families.find(',');
    std::string_view name = GenericFamily(Trimmed(families.substr(0, comma)));
    if (!name.empty() && IsQuote(name.front())) name.remove_prefix(1);
    if (!name.empty() && IsQuote(name.back())) name.remove_suffix(1);
    if (!name.empty() && metrics.IsInstalled(name)) return AnsiString(name);
    if (comma == std::string_view::npos) return metrics.DefaultFamily();
    families.remove_prefix(comma + 1);
  }
}

TFontDescription TProperties::FontDescription(const FontMetrics& metrics) const {
  // Viewed, not copied: a list of several families is longer than a short
  // string holds, and copying it would allocate for every font.
  const AnsiString* family = TextOf(Prop::FontFamily);
  const std::string_view families = family ? std::string_view(*family) : std::string_view();
  return DescribeFont(ChooseInstalledFamily(families, metrics), metrics);
}

TFontDescription TProperties::DescribeFont(AnsiString family, const FontMetrics& metrics) const {
  TFontDescription font;
  font.Family = std::move(family);
  if (std::optional<double> size = RealOf(Prop::FontSize)) font.SizePoints = *size;
  else if (const AnsiString* text = TextOf(Prop::FontSize))
    font.SizePoints = FontSizeToPoints(*text, DefaultSize, DefaultSize, metrics.PixelsPerInch());
  else font.SizePoints = DefaultSize;
  font.Style = StyleBitsOf(*this);
  font.Colour = IsEmpty(Prop::Color) ? 0 : ColourOf(Prop::Color);
  font.Background = SetFlags[Prop::BackgroundColor] ? ColourOf(Prop::BackgroundColor) : OwnBackground;
  font.Charset = Charset;
  return font;
}

// Everything GetFont reads of the set besides Charset and DefaultSize.
const std::array<int, 6> TProperties::kFontSlots = {Prop::FontFamily, Prop::FontSize,
                                                    Prop::FontWeight, Prop::FontStyle,
                                                    Prop::TextDecoration, Prop::Color};

std::shared_ptr<const TProperties::TFontOrigin> TProperties::RealiseFont(
    const FontMetrics& metrics) const {
  auto origin = std::make_shared<TFontOrigin>();
  TFontDescription description = FontDescription(metrics);
  TFontRequest request{std::move(description.Family), RoundToInt(description.SizePoints),
                       description.Style, description.Charset};
  origin->Font = metrics.Realise(request);
  origin->Font.Colour = description.Colour;
  for (size_t i = 0; i < kFontSlots.size(); ++i) origin->Slots[i] = Props[kFontSlots[i]];
  origin->DefaultSize = DefaultSize;
  origin->Charset = Charset;
  origin->Metrics = &metrics;
  return origin;
}

bool TProperties::HasFontOf(const TFontOrigin& origin, const FontMetrics& metrics) const {
  if (origin.Metrics != &metrics || origin.Charset != Charset || origin.DefaultSize != DefaultSize)
    return false;
  // A set's texts are mostly the very ones of the set they came from, so
  // TPropText's comparison of pointers settles most of them.
  for (size_t i = 0; i < kFontSlots.size(); ++i)
    if (origin.Slots[i] != Props[kFontSlots[i]]) return false;
  return true;
}

const TRealisedFont& TProperties::GetFont(const FontMetrics& metrics) {
  if (!Font) {
    Font = FontSource && HasFontOf(*FontSource, metrics) ? FontSource : RealiseFont(metrics);
    EmSize = Font->Font.Height - Font->Font.InternalLeading;
    ExSize = EmSize / 2;
  }
  return Font->Font;
}

std::shared_ptr<const TRealisedFont> TProperties::SharedFont(const FontMetrics& metrics) {
  GetFont(metrics);
  // Aliasing the origin keeps the font alive with it, whatever the set does.
  return std::shared_ptr<const TRealisedFont>(Font, &Font->Font);
}

void TProperties::UpdateLinkFonts(int slot, const TPropValue& value, const FontMetrics& metrics) {
  if (!LinkFonts) return;
  // Other sets and runs may hold these fonts: the change goes to a copy.
  TLinkFonts fonts = *LinkFonts;
  ChangeLinkFonts(fonts, slot, value, DefaultSize, metrics);
  if (fonts != *LinkFonts) LinkFonts = std::make_shared<const TLinkFonts>(std::move(fonts));
}

}  // namespace folverin
