// The ID registry of a document (TIDNameList): names of anchors, of elements
// with an ID, and of bare source positions, each leading to the object that
// a jump to the name scrolls to.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "common/ansi_string.h"

namespace folverin {

class TIDNameList;
struct TIDNameEntry;

// Anything a name can refer to. An object that is freed while still
// registered takes its names with it, so the registry never leads to freed
// memory whatever order the tree is torn down in.
class TIDObject {
 public:
  TIDObject() = default;
  TIDObject(const TIDObject&) = delete;
  TIDObject& operator=(const TIDObject&) = delete;
  virtual ~TIDObject();

  // The vertical position in the laid-out document.
  virtual int GetYPosition() const = 0;

 private:
  friend class TIDNameList;
  TIDNameList* Registry = nullptr;
  // The names leading to the object, chained through their entries, so
  // that freeing it costs no search and registering it no second table.
  TIDNameEntry* FirstName = nullptr;
};

// A named position in the document source.
class TChPosObj : public TIDObject {
 public:
  explicit TChPosObj(int32_t sourcePosition) : SourcePosition(sourcePosition) {}
  int GetYPosition() const override { return 0; }
  int32_t SourcePosition;
};

// Names ignore letter case. Hashed rather than ordered: a manual page
// registers thousands of anchors, and nothing walks them in order.
struct TIDNameHash {
  using is_transparent = void;
  size_t operator()(std::string_view name) const {
    size_t hash = 14695981039346656037ull;
    for (char c : name) hash = (hash ^ static_cast<unsigned char>(AsciiLower(c))) * 1099511628211ull;
    return hash;
  }
};
struct TIDNameEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return SameText(a, b); }
};

// What a name leads to. Entries stay where they are in the registry's
// table, so an object's chain of names can point at them.
struct TIDNameEntry {
  TIDObject* Object = nullptr;
  const AnsiString* Name = nullptr;         // the entry's own key
  TIDNameEntry* NextOfObject = nullptr;      // the object's next name
  // Held in the entry itself: a document registers thousands of positions.
  std::optional<TChPosObj> Owned;
};

class TIDNameList {
 public:
  TIDNameList() = default;
  TIDNameList(const TIDNameList&) = delete;
  TIDNameList& operator=(const TIDNameList&) = delete;
  ~TIDNameList();

  // Registers an object the registry does not own. A name already present
  // is replaced. An object belongs to one registry at a time: registering
  // it with another takes its names out of the first.
  void AddObject(std::string_view name, TIDObject* object);
  // Registers a source position under the name (owned by the registry).
  void AddChPosObject(std::string_view name, int32_t sourcePosition);
  // Drops every name that leads to the object.
  void RemoveObject(const TIDObject* object);
  void Clear();

  // The object registered under the name (letter case ignored), or nullptr.
  TIDObject* Find(std::string_view name) const;
  int Count() const { return static_cast<int>(Names.size()); }

 private:
  using TNames = std::unordered_map<AnsiString, TIDNameEntry, TIDNameHash, TIDNameEqual>;
  TIDNameEntry& EntryFor(std::string_view name);
  // Takes the entry out of its object's chain (owned positions have none).
  void Unlink(TIDNameEntry& entry);

  TNames Names;
};

}  // namespace folverin
