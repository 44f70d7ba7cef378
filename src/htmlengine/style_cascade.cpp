// The cascade: which rules of the store reach an element, and in what order.
#include <string>
#include <vector>

#include "htmlengine/lengths.h"
#include "htmlengine/style_list.h"

namespace folverin {

namespace {

// The parts of one simple selector such as p#main.intro:link.
struct TSimpleSelector {
  std::string_view Tag, Class, ID, Pseudo;
};

TSimpleSelector ParseSimpleSelector(std::string_view text) {
  TSimpleSelector selector;
  std::string_view* part = &selector.Tag;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    char c = i < text.size() ? text[i] : '\0';
    if (c != '.' && c != '#' && c != ':' && c != '\0') continue;
    *part = text.substr(start, i - start);
    part = c == '.' ? &selector.Class : c == '#' ? &selector.ID : &selector.Pseudo;
    start = i + 1;
  }
  return selector;
}

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

// The ancestor selectors of a descendant key, nearest first. The key reads
// "last count+sequence nearest farther ... ", so the digits that open the
// part after the first blank are the counters, not a selector.
std::vector<std::string_view> AncestorSelectors(std::string_view rest) {
  std::vector<std::string_view> ancestors;
  size_t digits = 0;
  while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9') ++digits;
  rest.remove_prefix(digits);
  while (!rest.empty()) {
    size_t blank = rest.find(' ');
    if (blank != 0) ancestors.push_back(rest.substr(0, blank));
    if (blank == std::string_view::npos) break;
    rest.remove_prefix(blank + 1);
  }
  return ancestors;
}

// Each ancestor selector, nearest first, must find a matching element further
// out than the one the previous selector found.
bool AncestorsMatch(const std::vector<std::string_view>& ancestors,
                    std::span<const TProperties* const> enclosing) {
  size_t next = 0;
  for (std::string_view text : ancestors) {
    TSimpleSelector selector = ParseSimpleSelector(text);
    while (next < enclosing.size() && !MatchesFully(selector, IdentityOf(*enclosing[next]))) ++next;
    if (next == enclosing.size()) return false;
    ++next;
  }
  return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

// The simple rules, in the order that lets the more specific ones win.
void ApplySimpleRules(TProperties& set, const TStyleList& store, const TElementIdentity& element) {
  const std::string t(element.Tag), c(element.Class), i(element.ID), s(element.Pseudo);
  const bool T = !t.empty(), C = !c.empty(), I = !i.empty(), S = !s.empty();
  const bool plain = s != "hover" && s != "visited";
  auto apply = [&](const std::string& key) {
    auto [first, last] = store.Entries().equal_range(key);
    for (auto it = first; it != last; ++it) set.ApplyRule(it->second, store.Metrics());
  };
  if (T && S && t == "a") apply("::" + s);
  if (T && plain) apply(t);
  if (S) apply(":" + s);
  if (C && plain) apply("." + c);
  if (T && C && plain) apply(t + "." + c);
  if (T && S) apply(t + ":" + s);
  if (C && S) apply("." + c + ":" + s);
  if (T && C && S) apply(t + "." + c + ":" + s);
  if (!I) return;
  apply("#" + i);
  if (T) apply(t + "#" + i);
  if (C) apply("." + c + "#" + i);
  if (S) apply("#" + i + ":" + s);
  if (T && S) apply(t + "#" + i + ":" + s);
  if (T && C) apply(t + "." + c + "#" + i);
  if (C && S) apply("." + c + "#" + i + ":" + s);
  if (T && C && S) apply(t + "." + c + "#" + i + ":" + s);
}

void ApplyDescendantRules(TProperties& set, const TStyleList& store,
                          const TElementIdentity& element,
                          std::span<const TProperties* const> ancestors) {
  for (std::string prefix : {element.Tag.empty() ? "" : std::string(element.Tag),
                             element.Class.empty() ? "" : "." + std::string(element.Class),
                             element.Pseudo.empty() ? "" : ":" + std::string(element.Pseudo)}) {
    if (prefix.empty()) continue;
    // Only keys whose first selector part is the prefix itself can match;
    // they go on with one of these characters, which the key order visits in
    // this sequence.
    for (char next : {' ', '#', '.', ':'}) {
      std::string start = prefix + next;
      for (auto it = store.Entries().lower_bound(start);
           it != store.Entries().end() && StartsWithNoCase(it->first, start); ++it) {
        std::string_view key = it->first;
        size_t blank = key.find(' ');
        if (blank == std::string_view::npos) continue;
        if (!MatchesFully(ParseSimpleSelector(key.substr(0, blank)), element)) continue;
        if (AncestorsMatch(AncestorSelectors(key.substr(blank + 1)), ancestors))
          set.ApplyRule(it->second, store.Metrics());
      }
    }
  }
}

}  // namespace

void TProperties::ApplyRule(const TProperties& rule, const FontMetrics& metrics) {
  for (int slot = 0; slot < kPropertyCount; ++slot) {
    const TPropValue& value = rule.Props[slot];
    if (std::holds_alternative<std::monostate>(value)) continue;
    if (IsMeasureSlot(slot) && rule.IntOf(slot) == IntNull) continue;
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
                          std::span<const TProperties* const> enclosing) {
  const FontMetrics& metrics = store.Metrics();
  DefaultSize = store.DefaultSize();
  std::optional<double> inherited = RealOf(Prop::FontSize);
  double parentSize = inherited && *inherited > 0 ? *inherited : DefaultSize;
  TElementIdentity self{tag, cls, id, pseudo};
  ApplySimpleRules(*this, store, self);
  // The document's outermost set is no ancestor that a rule can name.
  ApplyDescendantRules(*this, store, self,
                       enclosing.empty() ? enclosing : enclosing.first(enclosing.size() - 1));
  if (inlineStyle) ApplyRule(*inlineStyle, metrics);
  if (const AnsiString* size = TextOf(Prop::FontSize))
    Props[Prop::FontSize] = FontSizeToPoints(*size, parentSize, DefaultSize, metrics.PixelsPerInch());
  Tag = tag;
  Class = cls;
  ID = id;
  PseudoClass = pseudo;
  InlineStyle = inlineStyle;
  if (title) Title = *title;
  if (pseudo == "link") ComputeLinkFonts(store, enclosing);
}

// The fonts of a link in its other states come from sets derived for those
// states; the sets themselves are not kept.
void TProperties::ComputeLinkFonts(const TStyleList& store,
                                   std::span<const TProperties* const> enclosing) {
  const FontMetrics& metrics = store.Metrics();
  if (SetFlags[Prop::BackgroundColor]) OwnBackground = ColourOf(Prop::BackgroundColor);
  auto derive = [&](const TProperties& from, std::string_view state) {
    TProperties derived;
    derived.Inherit(from);
    derived.LinkFonts.reset();
    derived.Combine(store, Tag, Class, ID, state, nullptr, InlineStyle, enclosing);
    return derived;
  };
  TProperties visited = derive(*this, "visited");
  TLinkFonts fonts;
  fonts[LinkNormal] = FontDescription(metrics);
  fonts[LinkVisited] = visited.FontDescription(metrics);
  fonts[LinkVisitedHover] = derive(visited, "hover").FontDescription(metrics);
  fonts[LinkHover] = derive(*this, "hover").FontDescription(metrics);
  LinkFonts = fonts;
}

}  // namespace folverin
