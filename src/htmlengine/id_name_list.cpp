#include "htmlengine/id_name_list.h"

#include <vector>

namespace folverin {

TIDObject::~TIDObject() {
  if (Registry) Registry->RemoveObject(this);
}

TIDNameList::~TIDNameList() { Clear(); }

void TIDNameList::AddObject(std::string_view name, TIDObject* object) {
  if (!object) return;
  TEntry& entry = EntryFor(name);
  entry.Object = object;
  NamesOfObject.emplace(object, AnsiString(name));
  object->Registry = this;
}

// A position belongs to the registry and only ever to this one name, so it
// needs no back link: it goes when its entry goes.
void TIDNameList::AddChPosObject(std::string_view name, int32_t sourcePosition) {
  TEntry& entry = EntryFor(name);
  entry.Object = &entry.Owned.emplace(sourcePosition);
}

// The entry of the name, emptied of what it held: a name already present is
// taken over by the new object. One hash lookup for both cases, since every
// anchor of a document passes here.
TIDNameList::TEntry& TIDNameList::EntryFor(std::string_view name) {
  auto [at, added] = Names.try_emplace(AnsiString(name));
  if (!added) {
    Unlink(at);
    at->second.Object = nullptr;
    at->second.Owned.reset();
  }
  return at->second;
}

void TIDNameList::Unlink(TNames::iterator at) {
  if (at->second.Owned) return;
  TIDObject* object = at->second.Object;
  auto [first, last] = NamesOfObject.equal_range(object);
  for (auto it = first; it != last; ++it) {
    if (SameText(it->second, at->first)) {
      NamesOfObject.erase(it);
      break;
    }
  }
  if (NamesOfObject.find(object) == NamesOfObject.end()) object->Registry = nullptr;
}

void TIDNameList::Erase(TNames::iterator at) {
  Unlink(at);
  Names.erase(at);  // frees an owned position
}

void TIDNameList::RemoveObject(const TIDObject* object) {
  std::vector<AnsiString> names;
  auto [first, last] = NamesOfObject.equal_range(object);
  for (auto it = first; it != last; ++it) names.push_back(it->second);
  for (const AnsiString& name : names) {
    auto at = Names.find(name);
    if (at != Names.end() && at->second.Object == object) Erase(at);
  }
}

namespace {

// Emptying a hash table clears all of its buckets. After a page with
// thousands of names that would be a large block cleared again for every
// page after it, so a table far bigger than what it held starts afresh.
template <class Table>
void EmptyTable(Table& table) {
  if (table.bucket_count() > 4 * table.size() + 64) table = Table();
  else table.clear();
}

}  // namespace

void TIDNameList::Clear() {
  for (auto& [name, entry] : Names) entry.Object->Registry = nullptr;
  EmptyTable(NamesOfObject);
  EmptyTable(Names);
}

TIDObject* TIDNameList::Find(std::string_view name) const {
  auto at = Names.find(name);
  return at == Names.end() ? nullptr : at->second.Object;
}

}  // namespace folverin
