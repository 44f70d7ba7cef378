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
  Entries.clear();
  auto bottom = std::make_unique<TProperties>(documentDefaults);
  bottom->Tag = "default";
  Entries.push_back(TEntry{"default", {}, std::move(bottom)});
}

std::unique_ptr<TProperties> TPropStack::Derive(size_t index) const {
  const TEntry& entry = Entries[index];
  auto set = std::make_unique<TProperties>();
  set->Inherit(*Entries[index - 1].Set);
  // On the stack: one allocation less for every element.
  std::array<const TProperties*, kMaxAncestors + 1> enclosing;
  size_t count = 0;
  for (size_t i = index; i-- > 1 && count < kMaxAncestors;) enclosing[count++] = Entries[i].Set.get();
  enclosing[count++] = Entries.front().Set.get();
  const TElementStyle& style = entry.Style;
  const AnsiString* title = style.Title.empty() ? nullptr : &style.Title;
  set->Combine(Store, entry.Tag, style.Class, style.ID, style.PseudoClass, title,
               style.Inline.get(), std::span<const TProperties* const>(enclosing.data(), count));
  if (style.Adjust) style.Adjust(*set);
  return set;
}

void TPropStack::ReplaceBottom(const TProperties& set) {
  if (Entries.empty()) return;
  Entries.front().Set = std::make_unique<TProperties>(set);
  Entries.front().Set->Tag = "default";
  for (size_t k = 1; k < Entries.size(); ++k) Entries[k].Set = Derive(k);
}

bool TPropStack::PushProperties(std::string_view tag, TElementStyle style) {
  if (Entries.empty() || Count() >= kMaxDepth) return false;
  Entries.push_back(TEntry{AnsiString(tag), std::move(style), nullptr});
  Entries.back().Set = Derive(Entries.size() - 1);
  return true;
}

void TPropStack::PopProperties(std::string_view tag) {
  for (size_t i = Entries.size(); i-- > 1;) {
    if (Entries[i].Tag != tag) continue;
    Entries.erase(Entries.begin() + static_cast<std::ptrdiff_t>(i));
    for (size_t k = i; k < Entries.size(); ++k) Entries[k].Set = Derive(k);
    return;
  }
}

int TPropStack::FindTag(std::string_view tag) const {
  for (size_t i = Entries.size(); i-- > 1;)
    if (Entries[i].Tag == tag) return static_cast<int>(i);
  return -1;
}

void TPropStack::PopTop() {
  if (Entries.size() > 1) Entries.pop_back();
}

void TPropStack::PopTo(int count) {
  while (Count() > std::max(count, 1)) Entries.pop_back();
}

}  // namespace folverin
