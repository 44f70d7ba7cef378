#include "htmlengine/style/property_stack.h"

#include <algorithm>
#include <array>

namespace folverin {

namespace {

// Descendant rules rarely name more ancestors than this; walking the whole
// stack for every element would make deep documents quadratic.
constexpr size_t kMaxAncestors = 32;

}  // namespace

void TPropStack::Reset(const TProperties& documentDefaults) {
  Clear();
  // Room for the usual depth and spares at once, not grown step by step
  // for every document.
  Entries.reserve(kUsualDepth);
  SpareLists.reserve(kMaxSpareLists);
  std::unique_ptr<TProperties> bottom = Store.SpareSets().Take();
  *bottom = documentDefaults;
  bottom->Tag = "default";
  Entries.emplace_back("default", TElementStyle{});
  Entries.back().Set = std::move(bottom);
  Entries.back().Serial = ++LastSerial;
}

// The sets go back to the store's pool for the next document; no more
// children come to take kept ones.
TPropStack::~TPropStack() {
  for (TEntry& entry : Entries) {
    RetireSet(entry.Set);
    RetireKept(entry.Kept);
  }
}

void TPropStack::Clear() {
  while (!Entries.empty()) PopLast();
}

TProperties& TPropStack::At(int index) {
  Entries[index].AsDerived = false;
  Renew(static_cast<size_t>(index));
  return *Entries[index].Set;
}

// What the sets kept by these entries were derived from is gone for good.
void TPropStack::Renew(size_t index) {
  for (size_t k = index; k < Entries.size(); ++k) {
    Entries[k].Serial = ++LastSerial;
    RetireKept(Entries[k].Kept);
  }
}

void TPropStack::RetireSet(std::unique_ptr<TProperties>& set) { Store.SpareSets().Give(set); }

void TPropStack::RetireKept(std::vector<TKeptChild>& kept) {
  for (TKeptChild& child : kept) RetireChild(child);
  kept.clear();
}

void TPropStack::RetireChild(TKeptChild& child) {
  RetireSet(child.Set);
  --KeptSets;
  RetireList(child.Children);
}

// Lists of kept children come and go with every element that has
// children; their room is handed on rather than allocated anew.
void TPropStack::RetireList(std::vector<TKeptChild>& list) {
  RetireKept(list);
  if (list.capacity() != 0 && SpareLists.size() < kMaxSpareLists) SpareLists.push_back(std::move(list));
}

void TPropStack::AddKept(std::vector<TKeptChild>& list, TKeptChild&& child) {
  if (list.capacity() == 0 && !SpareLists.empty()) {
    list = std::move(SpareLists.back());
    SpareLists.pop_back();
  }
  if (list.capacity() == 0) list.reserve(kMaxKeptPerParent);
  list.push_back(std::move(child));
  ++KeptSets;
}

TPropStack::TOrigin TPropStack::OriginFor(const TEntry& parent) const {
  return {parent.Serial, parent.Set->HasFont(), Store.Generation()};
}

// A set that still is what deriving it gave, from a parent that has not
// changed since, is what deriving a later child of the same style gives.
void TPropStack::Release(size_t index) {
  TEntry& entry = Entries[index];
  if (index == 0 || !entry.AsDerived || !MayBeShared(entry.Style) || KeptSets >= kMaxKeptSets ||
      entry.Origin != OriginFor(Entries[index - 1])) {
    RetireSet(entry.Set);
    return RetireList(entry.Kept);
  }
  entry.Set->ForgetFont(entry.DerivedEmSize, entry.DerivedExSize);
  std::vector<TKeptChild>& kept = Entries[index - 1].Kept;
  if (kept.size() >= kMaxKeptPerParent) {
    RetireChild(kept.front());
    kept.erase(kept.begin());
  }
  AddKept(kept, {std::move(entry.Set), entry.Origin, entry.Serial, std::move(entry.Kept),
                 entry.Style.Adjust.Key, entry.Unseen});
}

void TPropStack::PopLast() {
  Release(Entries.size() - 1);
  Entries.pop_back();
}

// A class or ID that no rule names changes nothing but the set's own name:
// every rule that would use it is ruled out by its not occurring in a key.
bool TPropStack::Unseen(std::string_view name) const {
  return name.empty() || !Store.Index().MayOccur(name);
}

// The kept set has the names it was derived for (Combine gives a set the
// element's names) and its title; an element without a title has its
// parent's.
TPropStack::TFit TPropStack::Fit(TKeptChild& kept, TEntry& entry, const AnsiString& title) const {
  const TProperties& set = *kept.Set;
  const TElementStyle& style = entry.Style;
  if (set.Tag != entry.Tag || set.PseudoClass != style.PseudoClass ||
      kept.AdjustKey != style.Adjust.Key)
    return TFit::None;
  const bool sameClass = set.Class == style.Class, sameID = set.ID == style.ID;
  if (!sameClass || !sameID) {
    const TUnseenNames& keptNames = UnseenOf(kept.Unseen, set.Class, set.ID);
    if ((!sameClass && !keptNames.Class) || (!sameID && !keptNames.ID)) return TFit::None;
    const TUnseenNames& ownNames = UnseenOf(entry.Unseen, style.Class, style.ID);
    if ((!sameClass && !ownNames.Class) || (!sameID && !ownNames.ID)) return TFit::None;
  }
  if (set.Title != title) return TFit::OtherTitle;
  return sameClass && sameID ? TFit::Exact : TFit::UnseenNames;
}

// Asked again only when the rules have changed since.
const TPropStack::TUnseenNames& TPropStack::UnseenOf(TUnseenNames& known, std::string_view cls,
                                                     std::string_view id) const {
  if (!known.Known || known.RulesGeneration != Store.Generation())
    known = {true, Store.Generation(), Unseen(cls), Unseen(id)};
  return known;
}

bool TPropStack::TakeKeptSibling(size_t index) {
  TEntry& entry = Entries[index];
  TEntry& parent = Entries[index - 1];
  if (parent.Kept.empty() || !MayBeShared(entry.Style)) return false;
  const TOrigin origin = OriginFor(parent);
  const AnsiString& title = entry.Style.Title.empty() ? parent.Set->Title : entry.Style.Title;
  auto best = parent.Kept.end();
  TFit bestFit = TFit::None;
  for (auto it = parent.Kept.begin(); it != parent.Kept.end() && bestFit != TFit::Exact; ++it) {
    if (it->Origin != origin) continue;
    const TFit fit = Fit(*it, entry, title);
    if (fit > bestFit) {
      best = it;
      bestFit = fit;
    }
  }
  if (bestFit == TFit::None) return false;
  TKeptChild kept = std::move(*best);
  parent.Kept.erase(best);
  --KeptSets;
  TakeOver(entry, kept, bestFit, title);
  return true;
}

void TPropStack::TakeOver(TEntry& entry, TKeptChild& kept, TFit fit, const AnsiString& title) {
  // A pushed entry has neither yet; one derived again after a middle pop may.
  if (entry.Set) RetireSet(entry.Set);
  if (entry.Kept.capacity() != 0) RetireList(entry.Kept);
  entry.Set = std::move(kept.Set);
  TProperties& set = *entry.Set;
  if (fit != TFit::Exact) {  // names that no rule sees are put right
    set.Class = entry.Style.Class;
    set.ID = entry.Style.ID;
  } else if (!entry.Unseen.Known) {
    entry.Unseen = kept.Unseen;  // the same names
  }
  if (fit != TFit::OtherTitle) {
    entry.Kept = std::move(kept.Children);
    entry.Serial = kept.Serial;
    return;
  }
  // Children inherit the title: those kept for the old one do not fit.
  set.Title = title;
  RetireList(kept.Children);
  entry.Serial = ++LastSerial;
}

void TPropStack::Derive(size_t index) {
  TEntry& entry = Entries[index];
  if (!TakeKeptSibling(index)) {
    // Sets kept for the entry's former content no longer fit.
    RetireKept(entry.Kept);
    DeriveAnew(index);
    entry.Serial = ++LastSerial;
  }
  entry.Origin = OriginFor(Entries[index - 1]);
  entry.AsDerived = true;
  entry.DerivedEmSize = entry.Set->EmSize;
  entry.DerivedExSize = entry.Set->ExSize;
}

// Inherit followed by Combine sets every part of a set, so a set that held
// another element's style comes out as a fresh one would.
void TPropStack::DeriveAnew(size_t index) {
  TEntry& entry = Entries[index];
  if (!entry.Set) entry.Set = Store.SpareSets().Take();
  TProperties& set = *entry.Set;
  set.Inherit(*Entries[index - 1].Set);
  // On the stack: one allocation less for every element.
  std::array<const TProperties*, kMaxAncestors + 1> enclosing;
  size_t count = 0;
  for (size_t i = index; i-- > 1 && count < kMaxAncestors;) enclosing[count++] = Entries[i].Set.get();
  enclosing[count++] = Entries.front().Set.get();
  const TElementStyle& style = entry.Style;
  const AnsiString* title = style.Title.empty() ? nullptr : &style.Title;
  set.Combine(Store, entry.Tag, style.Class, style.ID, style.PseudoClass, title,
              style.Inline.get(), std::span<const TProperties* const>(enclosing.data(), count),
              &LinkStates);
  if (style.Adjust) style.Adjust(set);
}

void TPropStack::ReplaceBottom(const TProperties& set) {
  if (Entries.empty()) return;
  TProperties& bottom = *Entries.front().Set;
  bottom = set;
  bottom.Tag = "default";
  Renew(0);
  for (size_t k = 1; k < Entries.size(); ++k) Derive(k);
}

bool TPropStack::PushProperties(std::string_view tag, TElementStyle&& style) {
  if (Entries.empty() || Count() >= kMaxDepth) return false;
  // Built in place: moving a finished entry in copies all its texts again.
  Entries.emplace_back(tag, std::move(style));
  Derive(Entries.size() - 1);
  return true;
}

void TPropStack::PopProperties(std::string_view tag) {
  for (size_t i = Entries.size(); i-- > 1;) {
    if (Entries[i].Tag != tag) continue;
    Release(i);
    Entries.erase(Entries.begin() + static_cast<std::ptrdiff_t>(i));
    for (size_t k = i; k < Entries.size(); ++k) Derive(k);
    return;
  }
}

int TPropStack::FindTag(std::string_view tag) const {
  for (size_t i = Entries.size(); i-- > 1;)
    if (Entries[i].Tag == tag) return static_cast<int>(i);
  return -1;
}

void TPropStack::PopTop() {
  if (Entries.size() > 1) PopLast();
}

void TPropStack::PopTo(int count) {
  while (Count() > std::max(count, 1)) PopLast();
}

}  // namespace folverin
