// The builder's stack of property sets (TPropStack): one set per open
// element, each derived from the set below it. The bottom set stands for the
// document and is never removed.
#pragma once

#include <functional>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "common/ansi_string.h"
#include "htmlengine/property_set.h"
#include "htmlengine/style_list.h"

namespace folverin {

// Presentational attributes of an element (ALIGN, FONT SIZE ...), applied
// after the style rules each time the set is derived.
using TPropAdjustment = std::function<void(TProperties&)>;

struct TElementStyle {
  AnsiString Class, ID, Title, PseudoClass;
  std::unique_ptr<TProperties> Inline;  // the STYLE attribute, when given
  TPropAdjustment Adjust;
};

class TPropStack {
 public:
  // Deeper nesting is not styled any more: every pop below this depth would
  // derive all the sets above it again, which deep junk documents turn into
  // quadratic work.
  static constexpr int kMaxDepth = 256;

  explicit TPropStack(const TStyleList& store) : Store(store) {}

  // Empties the stack and pushes the bottom set with the tag "default".
  void Reset(const TProperties& documentDefaults);
  void Clear();
  // A new bottom set (BODY's colours); the sets above are derived again.
  void ReplaceBottom(const TProperties& set);

  // False when the set was not pushed because the stack is full.
  bool PushProperties(std::string_view tag, TElementStyle&& style);
  // Removes the most recent set with the tag (never the bottom one); the
  // sets above it are derived again from the one now below them.
  void PopProperties(std::string_view tag);
  void PopTop();
  // Pops until `count` sets are left (the bottom one always stays).
  void PopTo(int count);

  // Index of the most recent set with the tag, -1 when none is open.
  int FindTag(std::string_view tag) const;

  TProperties& Top() { return *Entries.back().Set; }
  TProperties& Bottom() { return *Entries.front().Set; }
  int Count() const { return static_cast<int>(Entries.size()); }
  TProperties& At(int index) { return *Entries[index].Set; }

 private:
  struct TEntry {
    // Spelled out so that emplace_back builds an entry in place with every
    // compiler (parenthesised aggregate initialisation is not everywhere yet).
    TEntry(AnsiString tag, TElementStyle style, std::unique_ptr<TProperties> set)
        : Tag(std::move(tag)), Style(std::move(style)), Set(std::move(set)) {}
    AnsiString Tag;
    TElementStyle Style;
    std::unique_ptr<TProperties> Set;
  };
  // Derives the entry's set again from the sets below it, in place.
  void Derive(size_t index);
  std::unique_ptr<TProperties> TakeSpareSet();
  void RetireSet(TEntry& entry);
  void PopLast();

  const TStyleList& Store;
  std::vector<TEntry> Entries;
  // The sets of popped elements. A set is some 2 KB with texts of its own;
  // allocating a fresh one for every element cost more than deriving it.
  std::vector<std::unique_ptr<TProperties>> SpareSets;
  TLinkStateSets LinkStates;
};

}  // namespace folverin
