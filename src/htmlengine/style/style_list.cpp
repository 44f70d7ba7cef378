#include "htmlengine/style/style_list.h"

#include <string>

#include "htmlengine/style/colour_names.h"

namespace folverin {

TRuleTable::TRuleTable(const TRuleTable& other)
    : Rules(other.Rules),
      Sequence(other.Sequence),
      DefaultSizePoints(other.DefaultSizePoints),
      HoverRuleAdded(other.HoverRuleAdded) {
  // Keys are unique without regard to case, so the index comes out the same
  // whatever order the keys are added in.
  for (auto& [key, rule] : Rules) KeyIndex.Add(key, rule);
  if (other.Default) Default = KeyIndex.Find({"default"});
}

TStyleList::TStyleList(bool* hoverInUse, const FontMetrics* metrics)
    : Table(std::make_shared<TRuleTable>()),
      HoverInUse(hoverInUse),
      FontMetrics_(metrics ? metrics : &FixedWidthFontMetrics::Standard()) {}

void TStyleList::Clear() {
  Table = std::make_shared<TRuleTable>();
  ++Changes;
}

TRuleTable& TStyleList::Writable() {
  // Every change of a rule comes through here (or replaces the table).
  ++Changes;
  // A table that is kept for reuse, or shared with another store, is never
  // changed: this store goes on with a copy of its own.
  if (Table.use_count() > 1) Table = std::make_shared<TRuleTable>(*Table);
  return *Table;
}

void TStyleList::TakeOver(const std::shared_ptr<TRuleTable>& table) {
  Table = table;
  ++Changes;
  if (Table->HoverRuleAdded && HoverInUse) *HoverInUse = true;
}

void TStyleList::Initialize(const TStyleDefaults& defaults) {
  for (const TKeptDefaults& kept : KeptDefaults) {
    if (kept.Defaults == defaults) return TakeOver(kept.Table);
  }
  Clear();
  Table->DefaultSizePoints = defaults.DefaultSizePoints;
  AddDefaultSheet(defaults);
  if (KeptDefaults.size() >= kMaxKeptTables) KeptDefaults.erase(KeptDefaults.begin());
  KeptDefaults.push_back({defaults, Table});
}

void TStyleList::ApplyShared(const std::shared_ptr<const TParsedStyleSheet>& sheet,
                             const std::function<void()>& apply) {
  for (const TKeptApplication& kept : KeptApplications) {
    if (kept.Before == Table && kept.Sheet == sheet) return TakeOver(kept.After);
  }
  std::shared_ptr<TRuleTable> before = Table;
  apply();
  if (KeptApplications.size() >= kMaxKeptTables) KeptApplications.erase(KeptApplications.begin());
  KeptApplications.push_back({std::move(before), sheet, Table});
}

AnsiString TStyleList::NextSequenceNumber() { return std::to_string(Writable().Sequence++); }

const TProperties* TStyleList::Find(std::string_view key) const {
  return Table->KeyIndex.Find({key});
}

TProperties& TStyleList::Entry(std::string_view key) {
  TRuleTable& table = Writable();
  if (TProperties* found = table.KeyIndex.Find({key})) return *found;
  auto it = table.Rules.emplace(AnsiString(key), TProperties());
  it->second.DefaultSize = table.DefaultSizePoints;
  table.KeyIndex.Add(it->first, it->second);
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
  if (key.find(":hover") != std::string_view::npos) {
    Writable().HoverRuleAdded = true;
    if (HoverInUse) *HoverInUse = true;
  }
  if (key == "a") AddModifyProp("::link", name, value);
}

}  // namespace folverin
