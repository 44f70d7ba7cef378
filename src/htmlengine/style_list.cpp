#include "htmlengine/style_list.h"

#include <string>

#include "htmlengine/colour_names.h"

namespace folverin {

TStyleList::TStyleList(bool* hoverInUse, const FontMetrics* metrics)
    : HoverInUse(hoverInUse),
      FontMetrics_(metrics ? metrics : &FixedWidthFontMetrics::Standard()) {}

void TStyleList::Clear() {
  Rules.clear();
  KeyIndex.Clear();
  Default = nullptr;
  Sequence = 10;
}

AnsiString TStyleList::NextSequenceNumber() { return std::to_string(Sequence++); }

const TProperties* TStyleList::Find(std::string_view key) const {
  return KeyIndex.Find({key});
}

TProperties& TStyleList::Entry(std::string_view key) {
  if (TProperties* found = KeyIndex.Find({key})) return *found;
  auto it = Rules.emplace(AnsiString(key), TProperties());
  it->second.DefaultSize = DefaultSizePoints;
  KeyIndex.Add(it->first, it->second);
  return it->second;
}

void TStyleList::AddModifyProp(std::string_view key, std::string_view name,
                               std::string_view value) {
  std::optional<int> slot = SlotOfName(name);
  if (!slot) return;
  TProperties& rule = Entry(key);
  if (rule.AssignRuleValue(*slot, value) && *slot == Prop::Color) {
    // A document's link colours also colour the states it does not name.
    TColour colour = rule.ColourOf(Prop::Color);
    if (key == ":link") {
      Entry("::hover").SetColour(Prop::Color, colour);
      Entry("::visited").SetColour(Prop::Color, colour);
    } else if (key == ":visited") {
      Entry("::hover").SetColour(Prop::Color, colour);
    }
  }
  if (HoverInUse && key.find(":hover") != std::string_view::npos) *HoverInUse = true;
  if (key == "a") AddModifyProp("::link", name, value);
}

}  // namespace folverin
