// The cascade: which rules of the store reach an element, and in what order.
#include <array>
#include <bit>
#include <string>
#include <vector>

#include "htmlengine/style/lengths.h"
#include "htmlengine/style/style_list.h"
#include "htmlengine/style/style_selector.h"

namespace folverin {

namespace {

struct TElementIdentity {
  std::string_view Tag, Class, ID, Pseudo;
};

bool PartMatches(std::string_view part, std::string_view value) {
  return part.empty() || part == value;
}

bool MatchesFully(const TSimpleSelector& selector, const TElementIdentity& element) {
  return PartMatches(selector.Tag, element.Tag) && PartMatches(selector.Class, element.Class) &&
         PartMatches(selector.ID, element.ID) && PartMatches(selector.Pseudo, element.Pseudo);
}

TElementIdentity IdentityOf(const TProperties& set) {
  return {set.Tag, set.Class, set.ID, set.PseudoClass};
}

// Each ancestor selector, nearest first, must find a matching element
// further out than the one the previous selector found.
bool AncestorsMatch(const std::vector<TSimpleSelector>& selectors,
                    std::span<const TProperties* const> enclosing) {
  size_t next = 0;
  for (const TSimpleSelector& selector : selectors) {
    while (next < enclosing.size() && !MatchesFully(selector, IdentityOf(*enclosing[next]))) ++next;
    if (next == enclosing.size()) return false;
    ++next;
  }
  return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

// The sets that take the rules an element matches: the element's own, or
// both hover states of a link, which match the same rules.
using TRuleTargets = std::span<TProperties* const>;

void ApplyToAll(TRuleTargets sets, const TProperties& rule, const FontMetrics& metrics) {
  for (TProperties* set : sets) set->ApplyRule(rule, metrics);
}

using TNameInfo = TStyleKeyIndex::TNameInfo;

// Which parts of an element's identity occur in some key at all. A name
// that occurs in no key rules out every key built with it, simple or
// descendant, which spares most lookups: few classes and IDs of a document
// have rules. When no name holds a separator (the usual case), the index's
// entry for each name also gives the keys of that name alone and the
// descendant keys that begin with it.
struct TOccurrence {
  bool Tag = false, Class = false, ID = false, Pseudo = false;
  bool Plain = false;  // no name holds a separator; the entries below are set
  const TNameInfo *TagInfo = nullptr, *ClassInfo = nullptr, *IDInfo = nullptr,
                  *PseudoInfo = nullptr;
};

bool Occurs(const TStyleKeyIndex& index, std::string_view name) {
  return !name.empty() && index.MayOccur(name);
}

const TNameInfo* InfoOf(const TStyleKeyIndex& index, std::string_view name) {
  return name.empty() ? nullptr : index.NameInfo(name);
}

void SetPseudo(const TStyleKeyIndex& index, TOccurrence& occurrence, std::string_view pseudo) {
  if (occurrence.Plain) {
    occurrence.PseudoInfo = InfoOf(index, pseudo);
    occurrence.Pseudo = occurrence.PseudoInfo != nullptr;
  } else {
    occurrence.Pseudo = Occurs(index, pseudo);
  }
}

TOccurrence OccurrenceOf(const TStyleKeyIndex& index, const TElementIdentity& element) {
  using TIndex = TStyleKeyIndex;
  TOccurrence occurrence;
  occurrence.Plain = !TIndex::HasSeparator(element.Tag) && !TIndex::HasSeparator(element.Class) &&
                     !TIndex::HasSeparator(element.ID) && !TIndex::HasSeparator(element.Pseudo);
  if (!occurrence.Plain) {
    occurrence.Tag = Occurs(index, element.Tag);
    occurrence.Class = Occurs(index, element.Class);
    occurrence.ID = Occurs(index, element.ID);
  } else {
    occurrence.TagInfo = InfoOf(index, element.Tag);
    occurrence.ClassInfo = InfoOf(index, element.Class);
    occurrence.IDInfo = InfoOf(index, element.ID);
    occurrence.Tag = occurrence.TagInfo != nullptr;
    occurrence.Class = occurrence.ClassInfo != nullptr;
    occurrence.ID = occurrence.IDInfo != nullptr;
  }
  SetPseudo(index, occurrence, element.Pseudo);
  return occurrence;
}

// A link's states share its tag, class and ID; only the state's own name is
// looked up anew. The states' names hold no separator.
TOccurrence InState(const TStyleKeyIndex& index, TOccurrence occurrence, std::string_view state) {
  SetPseudo(index, occurrence, state);
  return occurrence;
}

// The simple rules, in the order that lets the more specific ones win.
void ApplySimpleRules(TRuleTargets sets, const TStyleList& store, const TElementIdentity& element,
                      const TOccurrence& occurrence) {
  const std::string_view t = element.Tag, c = element.Class, i = element.ID, s = element.Pseudo;
  const bool T = !t.empty(), C = !c.empty(), I = !i.empty(), S = !s.empty();
  const bool plain = s != "hover" && s != "visited";
  const TStyleKeyIndex& index = store.Index();
  const bool t1 = occurrence.Tag, c1 = occurrence.Class, i1 = occurrence.ID, s1 = occurrence.Pseudo;
  auto apply = [&](bool possible, std::initializer_list<std::string_view> key) {
    if (!possible) return;
    if (const TProperties* rule = index.Find(key)) ApplyToAll(sets, *rule, store.Metrics());
  };
  // A key of one name: the name's entry has its rule.
  auto applyOwn = [&](bool possible, const TNameInfo* info, TStyleKeyIndex::TRole role,
                      std::initializer_list<std::string_view> key) {
    if (!possible) return;
    if (!occurrence.Plain) return apply(true, key);
    if (const TProperties* rule = info->Rules[role]) ApplyToAll(sets, *rule, store.Metrics());
  };
  using TIndex = TStyleKeyIndex;
  if (T && S && t == "a") applyOwn(s1, occurrence.PseudoInfo, TIndex::LinkStateRole, {"::", s});
  if (T && plain) applyOwn(t1, occurrence.TagInfo, TIndex::TagRole, {t});
  if (S) applyOwn(s1, occurrence.PseudoInfo, TIndex::PseudoRole, {":", s});
  if (C && plain) applyOwn(c1, occurrence.ClassInfo, TIndex::ClassRole, {".", c});
  if (T && C && plain) apply(t1 && c1, {t, ".", c});
  if (T && S) apply(t1 && s1, {t, ":", s});
  if (C && S) apply(c1 && s1, {".", c, ":", s});
  if (T && C && S) apply(t1 && c1 && s1, {t, ".", c, ":", s});
  if (!I || !i1) return;
  applyOwn(true, occurrence.IDInfo, TIndex::IDRole, {"#", i});
  if (T) apply(t1, {t, "#", i});
  if (C) apply(c1, {".", c, "#", i});
  if (S) apply(s1, {"#", i, ":", s});
  if (T && S) apply(t1 && s1, {t, "#", i, ":", s});
  if (T && C) apply(t1 && c1, {t, ".", c, "#", i});
  if (C && S) apply(c1 && s1, {".", c, "#", i, ":", s});
  if (T && C && S) apply(t1 && c1 && s1, {t, ".", c, "#", i, ":", s});
}

void ApplyDescendantRule(TRuleTargets sets, const TStyleList& store,
                         const TDescendantSelector& selector, const TProperties& rule,
                         const TElementIdentity& element,
                         std::span<const TProperties* const> ancestors) {
  if (MatchesFully(selector.Element, element) && AncestorsMatch(selector.Ancestors, ancestors))
    ApplyToAll(sets, rule, store.Metrics());
}

// Walks the keys in store order; needed only for names with separators in
// them, which the index cannot take apart.
void ApplyDescendantRulesByScan(TRuleTargets sets, const TStyleList& store,
                                const TElementIdentity& element,
                                std::span<const TProperties* const> ancestors) {
  for (std::string prefix : {element.Tag.empty() ? "" : std::string(element.Tag),
                             element.Class.empty() ? "" : "." + std::string(element.Class),
                             element.Pseudo.empty() ? "" : ":" + std::string(element.Pseudo)}) {
    if (prefix.empty()) continue;
    // Only keys whose first selector part is the prefix itself can match;
    // they go on with one of the separators.
    for (char next : TStyleKeyIndex::kSeparators) {
      std::string start = prefix + next;
      for (auto it = store.Entries().lower_bound(start);
           it != store.Entries().end() && StartsWithNoCase(it->first, start); ++it) {
        if (std::optional<TDescendantSelector> selector = ParseDescendantKey(it->first))
          ApplyDescendantRule(sets, store, *selector, it->second, element, ancestors);
      }
    }
  }
}

void ApplyDescendantRules(TRuleTargets sets, const TStyleList& store,
                          const TElementIdentity& element, const TOccurrence& occurrence,
                          std::span<const TProperties* const> ancestors) {
  using TIndex = TStyleKeyIndex;
  if (!occurrence.Plain &&
      (TIndex::HasSeparator(element.Tag) || TIndex::HasSeparator(element.Class) ||
       TIndex::HasSeparator(element.Pseudo)))
    return ApplyDescendantRulesByScan(sets, store, element, ancestors);
  const TStyleKeyIndex& index = store.Index();
  std::string_view firstParts[3] = {element.Tag, element.Class, element.Pseudo};
  // A key's first part is one of the names the index knows to occur.
  const bool occurs[3] = {occurrence.Tag, occurrence.Class, occurrence.Pseudo};
  const TNameInfo* infos[3] = {occurrence.TagInfo, occurrence.ClassInfo, occurrence.PseudoInfo};
  const TIndex::TRole roles[3] = {TIndex::TagRole, TIndex::ClassRole, TIndex::PseudoRole};
  const char* marks[3] = {"", ".", ":"};
  for (int part = 0; part < 3; ++part) {
    if (firstParts[part].empty() || !occurs[part]) continue;
    const auto* lists = occurrence.Plain ? infos[part]->Descendants[roles[part]]
                                         : index.DescendantsOf(marks[part], firstParts[part]);
    if (!lists) continue;
    for (const auto& list : *lists)
      for (const TStyleKeyIndex::TDescendant& entry : list)
        ApplyDescendantRule(sets, store, entry.Selector, *entry.Rule, element, ancestors);
  }
}

// Combine for one or more sets of the same element: each set takes the same
// rules in the same order as it would on its own.
template <size_t N>
void CombineSets(std::span<TProperties* const, N> sets, const TStyleList& store,
                 const TElementIdentity& element, const TOccurrence& occurrence,
                 const AnsiString* title, const TProperties* inlineStyle,
                 std::span<const TProperties* const> enclosing) {
  const FontMetrics& metrics = store.Metrics();
  std::array<double, N> parentSizes;
  for (size_t k = 0; k < N; ++k) {
    TProperties& set = *sets[k];
    set.DefaultSize = store.DefaultSize();
    std::optional<double> inherited = set.RealOf(Prop::FontSize);
    parentSizes[k] = inherited && *inherited > 0 ? *inherited : set.DefaultSize;
  }
  ApplySimpleRules(sets, store, element, occurrence);
  // The document's outermost set is no ancestor that a rule can name.
  ApplyDescendantRules(sets, store, element, occurrence,
                       enclosing.empty() ? enclosing : enclosing.first(enclosing.size() - 1));
  for (size_t k = 0; k < N; ++k) {
    TProperties& set = *sets[k];
    if (inlineStyle) set.ApplyRule(*inlineStyle, metrics);
    if (const AnsiString* size = set.TextOf(Prop::FontSize))
      set.Props[Prop::FontSize] =
          FontSizeToPoints(*size, parentSizes[k], set.DefaultSize, metrics.PixelsPerInch());
    set.Tag = element.Tag;
    set.Class = element.Class;
    set.ID = element.ID;
    set.PseudoClass = element.Pseudo;
    set.InlineStyle = inlineStyle;
    if (title) set.Title = *title;
  }
}

}  // namespace

void TProperties::ApplyRule(const TProperties& rule, const FontMetrics& metrics) {
  // Lowest slot first, as the rule's slots have always been applied.
  for (uint64_t marked = rule.Props.MarkedSlots(); marked != 0; marked &= marked - 1) {
    const int slot = std::countr_zero(marked);
    const TPropValue& value = rule.Props[slot];
    if (value.index() == 0) continue;  // empty
    if (IsMeasureSlot(slot)) {
      const int32_t* measure = std::get_if<int32_t>(&value);
      if (measure && *measure == IntNull) continue;
    }
    Props[slot] = value;
    SetFlags[slot] = true;
    if (slot <= Prop::TextDecoration || slot == Prop::Color || slot == Prop::BackgroundColor)
      UpdateLinkFonts(slot, value, metrics);
  }
  Font.reset();
}

void TProperties::Combine(const TStyleList& store, std::string_view tag, std::string_view cls,
                          std::string_view id, std::string_view pseudo, const AnsiString* title,
                          const TProperties* inlineStyle,
                          std::span<const TProperties* const> enclosing,
                          TLinkStateSets* linkStates) {
  TProperties* const self[] = {this};
  const TElementIdentity element{tag, cls, id, pseudo};
  CombineSets(std::span(self), store, element, OccurrenceOf(store.Index(), element), title,
              inlineStyle, enclosing);
  if (pseudo != "link") return;
  if (linkStates) return ComputeLinkFonts(store, enclosing, *linkStates);
  TLinkStateSets states;
  ComputeLinkFonts(store, enclosing, states);
}

namespace {

// The family is the costly part of a font description; a state whose family
// text is the link's own has the family chosen for the link.
bool SameFamilyText(const TProperties& a, const TProperties& b) {
  const AnsiString* first = a.TextOf(Prop::FontFamily);
  const AnsiString* second = b.TextOf(Prop::FontFamily);
  return first && second ? *first == *second : first == second;
}

}  // namespace

// The fonts of a link in its other states come from sets derived for those
// states; only the fonts are kept, the sets are scratch.
void TProperties::ComputeLinkFonts(const TStyleList& store,
                                   std::span<const TProperties* const> enclosing,
                                   TLinkStateSets& states) {
  const FontMetrics& metrics = store.Metrics();
  if (SetFlags[Prop::BackgroundColor]) OwnBackground = ColourOf(Prop::BackgroundColor);
  // Inherit and Combine set every part of a set, so sets that held another
  // link's states serve again.
  auto start = [](TProperties& derived, const TProperties& from) {
    derived.Inherit(from);
    derived.LinkFonts.reset();
  };
  const TStyleKeyIndex& index = store.Index();
  const TOccurrence link = OccurrenceOf(index, {Tag, Class, ID, {}});
  TLinkFonts fonts;
  fonts[LinkNormal] = FontDescription(metrics);
  auto describe = [&](const TProperties& state) {
    return SameFamilyText(state, *this) ? state.DescribeFont(fonts[LinkNormal].Family, metrics)
                                        : state.FontDescription(metrics);
  };
  TProperties& visited = states.Visited;
  start(visited, *this);
  TProperties* const visitedOnly[] = {&visited};
  CombineSets(std::span(visitedOnly), store, {Tag, Class, ID, "visited"},
              InState(index, link, "visited"), nullptr, InlineStyle, enclosing);
  fonts[LinkVisited] = describe(visited);
  // The hover states differ only in the set they start from; the rules are
  // matched once for both.
  start(states.VisitedHover, visited);
  start(states.Hover, *this);
  TProperties* const hovers[] = {&states.VisitedHover, &states.Hover};
  CombineSets(std::span(hovers), store, {Tag, Class, ID, "hover"}, InState(index, link, "hover"),
              nullptr, InlineStyle, enclosing);
  fonts[LinkVisitedHover] = describe(states.VisitedHover);
  fonts[LinkHover] = describe(states.Hover);
  LinkFonts = std::make_shared<const TLinkFonts>(std::move(fonts));
}

}  // namespace folverin
