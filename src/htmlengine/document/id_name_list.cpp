#include "htmlengine/document/id_name_list.h"

namespace folverin {

TIDObject::~TIDObject() {
  if (Registry) Registry->RemoveObject(this);
}

TIDNameList::~TIDNameList() { Clear(); }

void TIDNameList::AddObject(std::string_view name, TIDObject* object) {
  if (!object) return;
  if (object->Registry && object->Registry != this) object->Registry->RemoveObject(object);
  TIDNameEntry& entry = EntryFor(name);
  entry.Object = object;
  entry.NextOfObject = object->FirstName;
  object->FirstName = &entry;
  object->Registry = this;
}

// A position belongs to the registry and only ever to this one name, so it
// needs no back link: it goes when its entry goes.
void TIDNameList::AddChPosObject(std::string_view name, int32_t sourcePosition) {
  TIDNameEntry& entry = EntryFor(name);
  entry.Object = &entry.Owned.emplace(sourcePosition);
}

// The entry of the name, emptied of what it held: a name already present is
// taken over by the new object. One hash lookup for both cases, since every
// anchor of a document passes here.
TIDNameEntry& TIDNameList::EntryFor(std::string_view name) {
  auto [at, added] = Names.try_emplace(AnsiString(name));
  TIDNameEntry& entry = at->second;
  if (added) {
    entry.Name = &at->first;
  } else {
    Unlink(entry);
    entry.Object = nullptr;
    entry.Owned.reset();
  }
  return entry;
}

void TIDNameList::Unlink(TIDNameEntry& entry) {
  if (entry.Owned) return;
  TIDObject* object = entry.Object;
  for (TIDNameEntry** link = &object->FirstName; *link; link = &(*link)->NextOfObject) {
    if (*link == &entry) {
      *link = entry.NextOfObject;
      break;
    }
  }
  entry.NextOfObject = nullptr;
  if (!object->FirstName) object->Registry = nullptr;
}

void TIDNameList::RemoveObject(const TIDObject* object) {
  TIDNameEntry* entry = object->FirstName;
  if (!entry) return;
  TIDObject* owner = entry->Object;  // the object itself, as the registry may change it
  owner->FirstName = nullptr;
  owner->Registry = nullptr;
  while (entry) {
    TIDNameEntry* next = entry->NextOfObject;
    if (auto at = Names.find(*entry->Name); at != Names.end()) Names.erase(at);
    entry = next;
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
  for (auto& [name, entry] : Names) {
    if (entry.Owned) continue;
    entry.Object->Registry = nullptr;
    entry.Object->FirstName = nullptr;
  }
  EmptyTable(Names);
}

TIDObject* TIDNameList::Find(std::string_view name) const {
  auto at = Names.find(name);
  return at == Names.end() ? nullptr : at->second.Object;
}

}  // namespace folverin
