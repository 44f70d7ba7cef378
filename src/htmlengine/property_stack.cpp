#include "htmlengine/property_stack.h"

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
  auto bottom = std::make_unique<TProperties>(documentDefaults);
  bottom->Tag = "default";
  Entries.push_back(TEntry{"default", {}, std::move(bottom)});
}

void TPropStack::Clear() {
  while (!Entries.empty()) PopLast();
}

std::unique_ptr<TProperties> TPropStack::TakeSpareSet() {
  if (SpareSets.empty()) return std::make_unique<TProperties>();
  std::unique_ptr<TProperties> set = std::move(SpareSets.back());
  SpareSets.pop_back();
  return set;
}

void TPropStack::RetireSet(TEntry& entry) {
  if (entry.Set) SpareSets.push_back(std::move(entry.Set));
}

void TPropStack::PopLast() {
  RetireSet(Entries.back());
  Entries.pop_back();
}

// Inherit followed by Combine sets every part of a set, so a set that held
// another element's style comes out as a fresh one would.
void TPropStack::Derive(size_t index) {
  const TEntry& entry = Entries[index];
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
  for (size_t k = 1; k < Entries.size(); ++k) Derive(k);
}

bool TPropStack::PushProperties(std::string_view tag, TElementStyle&& style) {
  if (Entries.empty() || Count() >= kMaxDepth) return false;
  // Built in place: moving a finished entry in copies all its texts again.
  Entries.emplace_back(AnsiString(tag), std::move(style), TakeSpareSet());
  Derive(Entries.size() - 1);
  return true;
}

void TPropStack::PopProperties(std::string_view tag) {
  for (size_t i = Entries.size(); i-- > 1;) {
    if (Entries[i].Tag != tag) continue;
    RetireSet(Entries[i]);
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
