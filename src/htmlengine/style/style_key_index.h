// A case-folded index over the keys of the rule store (TStyleKeyIndex). The
// store compares keys without regard to case; comparing strings that way
// for every element and every candidate key was the largest single cost of
// deriving an element's properties. The index answers the same questions
// from keys folded once: an exact key, whether a name occurs in any key at
// all, and the descendant keys that begin with a given first part.
#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/ansi_string.h"
#include "htmlengine/style/style_selector.h"

namespace folverin {

class TProperties;

class TStyleKeyIndex {
 public:
  // A descendant key as the store keeps it (original case), taken apart
  // once here rather than for every element it is tried on, and its rule.
  struct TDescendant {
    const AnsiString* Key;
    const TProperties* Rule;
    TDescendantSelector Selector;  // views into *Key
  };

  void Clear();
  // Registers a key new to the store; key and rule must stay where they are
  // (the store's nodes do).
  void Add(const AnsiString& key, TProperties& rule);

  // The rule under the key (compared without regard to case), or nullptr.
  // The key may be given in pieces, which are looked up as one text. The
  // index does not own the rules; the store hands them out as it sees fit.
  TProperties* Find(std::initializer_list<std::string_view> pieces) const;
  // False when no key has `name` as one of its parts between the
  // separators blank, '.', '#' and ':'. A name that itself holds a separator
  // may still be part of a key and gives true.
  bool MayOccur(std::string_view name) const;
  // The separators that may follow a descendant key's first part, in the
  // order in which the store's key order visits them.
  static constexpr char kSeparators[4] = {' ', '#', '.', ':'};
  // The descendant keys that begin with `mark` + `name` (no separators in
  // name), one list per following separator as in kSeparators, each in the
  // store's key order; nullptr when there are none.
  using TDescendantLists = std::array<std::vector<TDescendant>, 4>;
  const TDescendantLists* DescendantsOf(std::string_view mark, std::string_view name) const;

  static bool HasSeparator(std::string_view text);

  // The roles a name plays in a key of its own: "n", ".n", "#n", ":n" and a
  // link state's "::n".
  enum TRole { TagRole, ClassRole, IDRole, PseudoRole, LinkStateRole, kRoleCount };
  // What the index knows of one name: the rule under the key that is the
  // name alone in each role, and the descendant keys that begin with the
  // name in each role (a link state begins none). An element asks once per
  // name instead of once per key.
  struct TNameInfo {
    std::array<TProperties*, kRoleCount> Rules{};
    std::array<const TDescendantLists*, kRoleCount> Descendants{};
  };
  // Nothing when no key has `name` as one of its parts (as MayOccur), which
  // must hold no separator.
  const TNameInfo* NameInfo(std::string_view name) const;

 private:
  // A probe given in pieces, folded as it is read: it is hashed and compared
  // without being put together in a buffer first.
  struct TProbe {
    std::initializer_list<std::string_view> Pieces;
  };
  // FNV-1a: keys are a few letters long, where it beats the library's
  // hash, which is not inlined. A probe hashes as its folded text would.
  struct THash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const {
      size_t hash = kHashStart;
      for (char c : text) hash = Step(hash, c);
      return hash;
    }
    size_t operator()(const TProbe& probe) const {
      size_t hash = kHashStart;
      for (std::string_view piece : probe.Pieces)
        for (char c : piece) hash = Step(hash, AsciiLower(c));
      return hash;
    }
    static constexpr size_t kHashStart = 14695981039346656037ull;
    static size_t Step(size_t hash, char c) {
      return (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
  };
  struct TEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return a == b; }
    bool operator()(const TProbe& probe, std::string_view folded) const;
    bool operator()(std::string_view folded, const TProbe& probe) const {
      return (*this)(probe, folded);
    }
  };
  template <typename T>
  using TFoldedMap = std::unordered_map<std::string, T, THash, TEqual>;

  // A key of one name in one role gives its name's entry that role.
  void NoteOwnKey(std::string_view folded, TProperties& rule);
  void NoteDescendantHead(std::string_view head, const TDescendantLists& lists);

  TFoldedMap<TProperties*> Keys;
  TFoldedMap<TNameInfo> Names;  // every part of every key; the maps' nodes stay put
  TFoldedMap<TDescendantLists> Descendants;
};

}  // namespace folverin
