// Selector keys of the rule store taken apart: a simple selector such as
// p#main.intro:link, and a descendant key, which the store writes as
// "last count+sequence nearest farther ...".
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace folverin {

// Views into the key; an empty part matches anything.
struct TSimpleSelector {
  std::string_view Tag, Class, ID, Pseudo;
};

TSimpleSelector ParseSimpleSelector(std::string_view text);

// The selector the element itself must match, and those its ancestors must
// match, nearest first. The digits that open the part after the first blank
// are the store's counters, not a selector.
struct TDescendantSelector {
  TSimpleSelector Element;
  std::vector<TSimpleSelector> Ancestors;
};

// Nothing when the key holds no blank, which makes it no descendant key.
std::optional<TDescendantSelector> ParseDescendantKey(std::string_view key);

}  // namespace folverin
