#include "htmlengine/style/property_set.h"

#include <bit>

#include "htmlengine/style/colour_names.h"

namespace folverin {

namespace {

enum class TAssignMode { Rule, Attribute };

bool IsSideColourSlot(int slot) { return slot >= Prop::BorderTopColor && slot <= Prop::BorderLeftColor; }
bool IsSideStyleSlot(int slot) { return slot >= Prop::BorderTopStyle && slot <= Prop::BorderLeftStyle; }

// The value rules shared by the rule store and STYLE attributes. They differ
// only for a color that is no colour: a rule keeps what it had, an attribute
// stores black. Returns false when nothing was stored.
bool AssignText(TProperties& set, int slot, std::string_view value, TAssignMode mode) {
  TColour colour = 0;
  bool isColour = ColourFromString(value, false, colour);
  switch (slot) {
    case Prop::BorderStyle:
      set.SetText(Prop::BorderStyle, value);
      for (int side = Prop::BorderTopStyle; side <= Prop::BorderLeftStyle; ++side) set.SetText(side, value);
      return true;
    case Prop::Color:
      if (!isColour && mode == TAssignMode::Rule) return false;
      set.SetColour(Prop::Color, isColour ? colour : 0);
      return true;
    case Prop::BackgroundColor:
      set.SetColour(Prop::BackgroundColor, isColour ? colour : NoColour);
      return true;
    case Prop::BorderColor:
      if (!isColour) return false;
      set.SetColour(Prop::BorderColor, colour);
      for (int side = Prop::BorderTopColor; side <= Prop::BorderLeftColor; ++side) set.SetColour(side, colour);
      return true;
    case Prop::Visibility:
      if (value == "visible") set.Props[Prop::Visibility] = kVisibilityVisible;
      else if (value == "hidden") set.Props[Prop::Visibility] = kVisibilityHidden;
      else return false;
      return true;
    case Prop::TextTransform:
      set.Props[Prop::TextTransform] = value == "uppercase"   ? kTransformUpper
                                 : value == "lowercase" ? kTransformLower
                                                        : kTransformNone;
      return true;
    default:
      if (IsSideColourSlot(slot)) {
        if (!isColour) return false;
        set.SetColour(slot, colour);
        return true;
      }
      set.SetText(slot, value);
      if (IsSideStyleSlot(slot) && value != "none") set.SetText(Prop::BorderStyle, value);
      return true;
  }
}

// The variant's own assignment visits both sides; a slot of a set mostly
// holds the kind of value it held for the element before, where assigning
// that alternative is enough (a text mostly is the very one it held).
// Sets are derived for every element, all their slots each time.
void CopySlotValue(TPropValue& to, const TPropValue& from) {
  if (to.index() != from.index()) {
    to = from;
    return;
  }
  if (const TPropText* text = std::get_if<TPropText>(&from)) *std::get_if<TPropText>(&to) = *text;
  else if (const int32_t* value = std::get_if<int32_t>(&from)) *std::get_if<int32_t>(&to) = *value;
  else if (const double* real = std::get_if<double>(&from)) *std::get_if<double>(&to) = *real;
}

void SetInteger(TPropValue& to, int32_t value) {
  if (int32_t* own = std::get_if<int32_t>(&to)) *own = value;
  else to = value;
}

// Whether the slot holds other than what a fresh set holds there.
bool HoldsValue(int slot, const TPropValue& value) {
  if (!IsMeasureSlot(slot)) return value.index() != 0;
  const int32_t* measure = std::get_if<int32_t>(&value);
  return !measure || *measure != IntNull;
}

}  // namespace

// Measures that hold IntNull count as not given, so only the z-index, which
// every set gives, starts marked.
TProperties::TProperties() {
  for (int slot = kFirstMeasureSlot; slot <= kLastMeasureSlot; ++slot) Props.Values[slot] = IntNull;
  Props[Prop::ZIndex] = int32_t{0};
}

TColour TProperties::ColourOf(int slot) const {
  std::optional<int32_t> value = IntOf(slot);
  return value ? static_cast<TColour>(*value) : NoColour;
}

void TProperties::SetColour(int slot, TColour colour) {
  Props[slot] = static_cast<int32_t>(colour);
}

void TProperties::SetText(int slot, std::string_view text) { Props[slot] = TPropText(text); }

void TProperties::AssignByName(std::string_view name, std::string_view value) {
  if (std::optional<int> slot = SlotOfName(name))
    AssignText(*this, *slot, value, TAssignMode::Attribute);
}

bool TProperties::AssignRuleValue(int slot, std::string_view value) {
  return AssignText(*this, slot, value, TAssignMode::Rule);
}

// A slot that is not marked holds the empty value (IntNull for measures),
// and a slot empty in both sets stays empty; so only the slots marked in
// either set need a look, and the marks are kept to the slots that end up
// holding something.
void TProperties::Inherit(const TProperties& parent) {
  bool fromSpan = parent.Tag == "span";
  TPropSlots::TValues& values = Props.Values;
  const TPropSlots::TValues& from = parent.Props.Values;
  uint64_t filled = 0;
  for (uint64_t visit = Props.Marked | parent.Props.Marked; visit != 0; visit &= visit - 1) {
    const int slot = std::countr_zero(visit);
    if (fromSpan || IsInheritedSlot(slot)) CopySlotValue(values[slot], from[slot]);
    else if (IsMeasureSlot(slot)) SetInteger(values[slot], IntNull);
    else if (values[slot].index() != 0) values[slot] = std::monostate();
    if (HoldsValue(slot, values[slot])) filled |= uint64_t{1} << slot;
  }
  Props.Marked = filled;
  SetFlags.fill(false);
  OwnBackground = parent.OwnBackground;
  Charset = parent.Charset;
  CodePage = parent.CodePage;
  Title = parent.Title;
  EmSize = parent.EmSize;
  ExSize = EmSize / 2;
  DefaultSize = parent.DefaultSize;
  LinkFonts = parent.LinkFonts;
  FontSource = parent.Font ? parent.Font : parent.FontSource;
  Font.reset();
}

void TProperties::AssignFromAttribute(int slot, const TPropValue& value,
                                      const FontMetrics& metrics) {
  if (slot < 0 || slot >= kPropertyCount || SetFlags[slot]) return;
  Props[slot] = value;
  SetFlags[slot] = true;
  Font.reset();
  if (slot == Prop::FontFamily || slot == Prop::FontSize || slot == Prop::Color) UpdateLinkFonts(slot, value, metrics);
}

void TProperties::CopySlots(const TProperties& other) {
  Props = other.Props;
  Font.reset();
}

void TProperties::CopyDocumentDefaults(const TProperties& defaultEntry) {
  CopySlots(defaultEntry);
  Charset = defaultEntry.Charset;
  CodePage = defaultEntry.CodePage;
  DefaultSize = defaultEntry.DefaultSize;
  Tag = "default";
}

}  // namespace folverin
