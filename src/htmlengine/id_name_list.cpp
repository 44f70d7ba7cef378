#include "htmlengine/id_name_list.h"

#include <vector>

namespace folverin {

TIDObject::~TIDObject() {
  if (Registry) Registry->RemoveObject(this);
}

TIDNameList::~TIDNameList() { Clear(); }

void TIDNameList::AddObject(std::string_view name, TIDObject* object) {
  if (!object) return;
  auto old = Names.find(name);
  if (old != Names.end()) Erase(old);
  Names.emplace(AnsiString(name), TEntry{object, nullptr});
  NamesOfObject.emplace(object, AnsiString(name));
  object->Registry = this;
}

void TIDNameList::AddChPosObject(std::string_view name, int32_t sourcePosition) {
  auto position = std::make_unique<TChPosObj>(sourcePosition);
  TChPosObj* object = position.get();
  AddObject(name, object);
  Names.find(name)->second.Owned = std::move(position);
}

void TIDNameList::Erase(TNames::iterator at) {
  TIDObject* object = at->second.Object;
  auto [first, last] = NamesOfObject.equal_range(object);
  for (auto it = first; it != last; ++it) {
    if (SameText(it->second, at->first)) {
      NamesOfObject.erase(it);
      break;
    }
  }
  if (NamesOfObject.find(object) == NamesOfObject.end()) object->Registry = nullptr;
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

void TIDNameList::Clear() {
  for (auto& [name, entry] : Names) entry.Object->Registry = nullptr;
  NamesOfObject.clear();
  Names.clear();
}

TIDObject* TIDNameList::Find(std::string_view name) const {
  auto at = Names.find(name);
  return at == Names.end() ? nullptr : at->second.Object;
}

}  // namespace folverin
