// The property set (TProperties): the style of one element, or of one rule of
// the rule store. Slots are filled from CSS text, inherited from the parent
// element and combined with the matching rules of the document.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <variant>

#include "common/ansi_string.h"
#include "htmlengine/style/property_slots.h"
#include "htmlengine/support/font_metrics.h"

namespace folverin {

class TStyleList;
struct TLinkStateSets;

// The text of a slot. It never changes once made, so sets share it: a child
// set starts with its parent's texts, and copying them must not copy the
// characters for every slot of every element.
class TPropText {
 public:
  TPropText(std::string_view text) : Text(std::make_shared<const AnsiString>(text)) {}
  TPropText(const AnsiString& text) : Text(std::make_shared<const AnsiString>(text)) {}
  TPropText(const char* text) : TPropText(std::string_view(text)) {}
  const AnsiString& Get() const { return *Text; }
  bool operator==(const TPropText& other) const { return Text == other.Text || *Text == *other.Text; }

 private:
  std::shared_ptr<const AnsiString> Text;  // never null
};

// A slot holds nothing, a text, an integer (pixels, codes, colours as their
// 32-bit pattern) or a real number (resolved font size in points).
using TPropValue = std::variant<std::monostate, TPropText, int32_t, double>;

// The slots of a set. Every access through a non-const set marks its slot,
// so that applying a rule visits only the slots it may give instead of all
// of them; the marks may include slots that were emptied again or only
// read, but never miss a filled one.
class TPropSlots {
 public:
  using TValues = std::array<TPropValue, kPropertyCount>;
  static constexpr uint64_t kAllSlots = (uint64_t{1} << kPropertyCount) - 1;

  const TPropValue& operator[](int slot) const { return Values[slot]; }
  TPropValue& operator[](int slot) {
    Marked |= uint64_t{1} << slot;
    return Values[slot];
  }
  // The slots written since the set was made, plus those it starts with.
  uint64_t MarkedSlots() const { return Marked; }
  const TValues& All() const { return Values; }
  operator const TValues&() const { return Values; }
  bool operator==(const TPropSlots& other) const { return Values == other.Values; }

 private:
  friend class TProperties;
  TValues Values;
  uint64_t Marked = 0;
};
static_assert(kPropertyCount <= 64, "slot marks are one bit each in a 64-bit word");

// A font as an element asks for it, before the platform realises it.
struct TFontDescription {
  AnsiString Family;
  double SizePoints = 12;
  uint8_t Style = 0;  // kFontBold | kFontItalic | kFontUnderline | kFontStrikeOut
  TColour Colour = 0;
  TColour Background = NoColour;
  int Charset = 1;
  bool operator==(const TFontDescription&) const = default;
};

// The fonts of a link in its states.
enum TLinkState { LinkNormal = 0, LinkVisited = 1, LinkHover = 2, LinkVisitedHover = 3 };
using TLinkFonts = std::array<TFontDescription, 4>;
// Every set inside a link and every run of its text carry the link's fonts,
// so they are shared, never changed in place: a set whose rules change them
// makes new ones, and whoever holds the old ones keeps them as they were.
using TSharedLinkFonts = std::shared_ptr<const TLinkFonts>;

class TProperties {
 public:
  TProperties();

  TPropSlots Props;
  // Slot n was assigned by a style rule or the STYLE attribute; presentational
  // HTML attributes fill only slots whose flag is clear.
  std::array<bool, kPropertyCount> SetFlags{};
  AnsiString Tag, Class, ID, PseudoClass, Title;
  const TProperties* InlineStyle = nullptr;  // not owned
  TColour OwnBackground = NoColour;
  // The character set of the element's font and the code page its text is
  // decoded with. Start: DEFAULT_CHARSET and the system ANSI code page; the
  // tokenizer's SetCharset / SetUtf8 change both together.
  int Charset = 1;
  int CodePage = 0;
  // Character height of the realised font (cell height less internal
  // leading) and half of it; inherited until the element's font is realised.
  int EmSize = 0;
  int ExSize = 0;
  // The document's default font size D, carried along so that sizes can be
  // resolved where no rule store is at hand.
  double DefaultSize = 12;
  TSharedLinkFonts LinkFonts;  // none outside links

  // Typed reads of a slot; nothing when the slot holds another kind.
  const AnsiString* TextOf(int slot) const {
    const TPropText* text = std::get_if<TPropText>(&Props[slot]);
    return text ? &text->Get() : nullptr;
  }
  std::optional<int32_t> IntOf(int slot) const {
    if (const int32_t* value = std::get_if<int32_t>(&Props[slot])) return *value;
    return std::nullopt;
  }
  std::optional<double> RealOf(int slot) const {
    if (const double* value = std::get_if<double>(&Props[slot])) return *value;
    return std::nullopt;
  }
  // A colour slot, NoColour when it holds none.
  TColour ColourOf(int slot) const;
  bool IsEmpty(int slot) const { return std::holds_alternative<std::monostate>(Props[slot]); }
  void SetColour(int slot, TColour colour);
  void SetText(int slot, std::string_view text);

  // One declaration of a STYLE attribute (CSS name and lower-case value).
  void AssignByName(std::string_view name, std::string_view value);
  // One declaration of a rule; false when the value is not accepted (a
  // colour that does not parse leaves the slot unchanged). The rule store
  // adds its side effects for colours.
  bool AssignRuleValue(int slot, std::string_view value);

  // Starts the set from the parent's: slots (all of them under a span, else
  // only the inherited ones), background, character set, title, em size and
  // link fonts. The element's identity (Tag, Class, ID, PseudoClass) stays.
  void Inherit(const TProperties& parent);

  // Applies every matching rule of the store, then the inline style. The
  // enclosing sets come parent first and end with the document's outermost
  // set, which descendant rules never match. A link's other states are
  // derived in linkStates when given, else in sets of its own.
  void Combine(const TStyleList& store, std::string_view tag, std::string_view cls,
               std::string_view id, std::string_view pseudo, const AnsiString* title,
               const TProperties* inlineStyle, std::span<const TProperties* const> enclosing,
               TLinkStateSets* linkStates = nullptr);

  // Presentational HTML attributes: set only when no rule or STYLE set it.
  void AssignFromAttribute(int slot, const TPropValue& value, const FontMetrics& metrics);

  void CopySlots(const TProperties& other);
  // The document's outermost set: everything of the "default" entry.
  void CopyDocumentDefaults(const TProperties& defaultEntry);

  // The font the element asks for, and the platform's realisation of it
  // (computed once; it also fixes EmSize and ExSize).
  TFontDescription FontDescription(const FontMetrics& metrics) const;
  const TRealisedFont& GetFont(const FontMetrics& metrics);
  // The same font for keeping longer than the set (a font run): it is never
  // changed once realised, so the run shares it instead of copying it.
  std::shared_ptr<const TRealisedFont> SharedFont(const FontMetrics& metrics);
  bool HasFont() const { return Font != nullptr; }
  // Takes back what GetFont did, given the em and ex sizes the set had
  // before; the set is then as it was before its font was realised. The
  // font stays at hand for realising it again while the set is unchanged.
  void ForgetFont(int emSize, int exSize) {
    if (Font) FontSource = std::move(Font);
    Font.reset();
    EmSize = emSize;
    ExSize = exSize;
  }

  // Used by Combine: copies every given slot of a rule into this set.
  void ApplyRule(const TProperties& rule, const FontMetrics& metrics);

 private:
  void UpdateLinkFonts(int slot, const TPropValue& value, const FontMetrics& metrics);
  void ComputeLinkFonts(const TStyleList& store, std::span<const TProperties* const> enclosing,
                        TLinkStateSets& states);
  // FontDescription with the family already chosen.
  TFontDescription DescribeFont(AnsiString family, const FontMetrics& metrics) const;

  // A realised font with everything it was realised from. Most elements
  // change no font slot of their parent, and a set that has the same values
  // has the same font: it takes the one realised before instead of choosing
  // the family and realising it again.
  struct TFontOrigin {
    TRealisedFont Font;
    std::array<TPropValue, 6> Slots;  // those of kFontSlots
    double DefaultSize = 12;
    int Charset = 1;
    const FontMetrics* Metrics = nullptr;  // only compared, never used
  };
  static const std::array<int, 6> kFontSlots;
  std::shared_ptr<const TFontOrigin> RealiseFont(const FontMetrics& metrics) const;
  bool HasFontOf(const TFontOrigin& origin, const FontMetrics& metrics) const;

  std::shared_ptr<const TFontOrigin> Font;
  // The font most recently realised by the sets this one was derived from.
  std::shared_ptr<const TFontOrigin> FontSource;
};

// The sets a link's visited and hover states are derived in. Whoever derives
// many links keeps one, so that its texts are not allocated for every link.
struct TLinkStateSets {
  TProperties Visited, VisitedHover, Hover;
};

// The first family of a comma list that is installed (generic names mapped to
// the platform's fonts, one pair of quotes removed), else the default family.
AnsiString ChooseInstalledFamily(std::string_view families, const FontMetrics& metrics);

// Style bits from the weight, style and decoration texts of a set.
bool IsBoldWeight(std::string_view weight);

}  // namespace folverin
