// The builder's stack of property sets (TPropStack): one set per open
// element, each derived from the set below it. The bottom set stands for the
// document and is never removed.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "common/ansi_string.h"
#include "htmlengine/style/property_set.h"
#include "htmlengine/style/style_list.h"

namespace folverin {

// Presentational attributes of an element (ALIGN, FONT SIZE ...), applied
// after the style rules each time the set is derived.
struct TPropAdjustment {
  TPropAdjustment() = default;
  template <typename F>
    requires(!std::is_same_v<std::decay_t<F>, TPropAdjustment> &&
             std::is_invocable_v<F&, TProperties&>)
  TPropAdjustment(F apply, uint32_t key = 0) : Apply(std::move(apply)), Key(key) {}

  explicit operator bool() const { return static_cast<bool>(Apply); }
  void operator()(TProperties& set) const { Apply(set); }

  std::function<void(TProperties&)> Apply;
  // Adjustments under the same key make the same change to a set, so that
  // sets derived with them may be shared; one without a key (0) is never
  // taken for another.
  uint32_t Key = 0;
};

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
  TPropStack(const TPropStack&) = delete;
  TPropStack& operator=(const TPropStack&) = delete;
  ~TPropStack();

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

  // Reading a set leaves what was derived from it valid.
  const TProperties& ReadTop() const { return *Entries.back().Set; }
  const TProperties& ReadBottom() const { return *Entries.front().Set; }
  // The top set for the constructors of sections, blocks and font runs,
  // which take a non-const set only to realise its font. Realising the font
  // is the one change allowed through this reference; the stack tells a set
  // with a realised font from one without by itself. Anything else must go
  // through Top().
  TProperties& TopToRead() { return *Entries.back().Set; }
  // Sets to write to: whatever was derived from the set, or from a set
  // above it, is derived anew from now on.
  TProperties& Top() { return At(Count() - 1); }
  TProperties& Bottom() { return At(0); }
  TProperties& At(int index);
  int Count() const { return static_cast<int>(Entries.size()); }

 private:
  // What a derived set came from: its parent in one state, under the rules
  // of one generation. A serial stands for the content of a set and of
  // every set below it (the parent's content is inherited, the ancestors'
  // names are matched by descendant rules), all but class and ID names that
  // no rule sees; realising the font is told apart because it changes the
  // em size, which children inherit.
  struct TOrigin {
    uint64_t ParentSerial = 0;
    bool ParentFontRealised = false;
    uint64_t RulesGeneration = 0;
    bool operator==(const TOrigin&) const = default;
  };
  // Whether an element's class and ID are names that no rule of one
  // generation sees; asked once per element rather than for every kept set
  // it is tried against.
  struct TUnseenNames {
    bool Known = false;
    uint64_t RulesGeneration = 0;
    bool Class = false, ID = false;
  };
  // A popped child's set, kept by its parent for the next child of the same
  // style, together with the sets its own children left: siblings such as
  // P after P or LI after LI mostly have the same style, and so do their
  // children. Taking a set over costs far less than deriving it. A kept set
  // keeps the serial it was derived with; the set that takes it over is
  // the same in content and in what lies below it.
  struct TKeptChild {
    std::unique_ptr<TProperties> Set;  // as derived, without a font
    TOrigin Origin;
    uint64_t Serial = 0;
    std::vector<TKeptChild> Children;  // most recently kept last
    uint32_t AdjustKey = 0;
    TUnseenNames Unseen;  // of the set's names
  };
  struct TEntry {
    // Spelled out so that emplace_back builds an entry in place with every
    // compiler (parenthesised aggregate initialisation is not everywhere yet).
    // The style is moved once, straight into place: its texts are mostly
    // short ones, and moving those copies their characters.
    TEntry(std::string_view tag, TElementStyle&& style) : Tag(tag), Style(std::move(style)) {}
    AnsiString Tag;
    TElementStyle Style;
    std::unique_ptr<TProperties> Set;
    uint64_t Serial = 0;
    TOrigin Origin;
    // Nothing but realising the font has changed the set since it was
    // derived, which left these em and ex sizes.
    bool AsDerived = false;
    int DerivedEmSize = 0, DerivedExSize = 0;
    std::vector<TKeptChild> Kept;  // most recently kept last
    TUnseenNames Unseen;           // of the style's names, which the set has
  };
  // A parent keeps the sets of its last few children of different styles
  // (DT and DD take turns); the stack keeps a bounded number in all.
  static constexpr size_t kMaxKeptPerParent = 6;
  static constexpr size_t kMaxKeptSets = 256;
  static constexpr size_t kMaxSpareLists = 64;
  static constexpr size_t kUsualDepth = 32;

  // Derives the entry's set again from the sets below it, in place.
  void Derive(size_t index);
  void DeriveAnew(size_t index);
  bool TakeKeptSibling(size_t index);
  // How well a kept set fits an element: not at all; with other names than
  // the element's, but only class or ID names that no rule names (its
  // children still fit); with another title (which children inherit);
  // exactly.
  enum class TFit { None, OtherTitle, UnseenNames, Exact };
  TFit Fit(TKeptChild& kept, TEntry& entry, const AnsiString& title) const;
  bool Unseen(std::string_view name) const;
  const TUnseenNames& UnseenOf(TUnseenNames& known, std::string_view cls, std::string_view id) const;
  void TakeOver(TEntry& entry, TKeptChild& kept, TFit fit, const AnsiString& title);
  TOrigin OriginFor(const TEntry& parent) const;
  static bool MayBeShared(const TElementStyle& style) {
    return !style.Inline && (!style.Adjust || style.Adjust.Key != 0);
  }
  // Gives the entry and those above it new serials.
  void Renew(size_t index);
  void RetireSet(std::unique_ptr<TProperties>& set);
  void RetireKept(std::vector<TKeptChild>& kept);
  void RetireChild(TKeptChild& child);
  void RetireList(std::vector<TKeptChild>& list);
  void AddKept(std::vector<TKeptChild>& list, TKeptChild&& child);
  // Hands the entry's sets to its parent to keep, or to the spares.
  void Release(size_t index);
  void PopLast();

  const TStyleList& Store;
  std::vector<TEntry> Entries;
  uint64_t LastSerial = 0;
  size_t KeptSets = 0;
  std::vector<std::vector<TKeptChild>> SpareLists;
  TLinkStateSets LinkStates;
};

}  // namespace folverin
