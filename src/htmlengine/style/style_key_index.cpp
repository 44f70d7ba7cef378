#include "htmlengine/style/style_key_index.h"

#include <algorithm>
#include <optional>

namespace folverin {

namespace {

bool IsSeparator(char c) { return c == ' ' || c == '.' || c == '#' || c == ':'; }

std::string Folded(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) c = AsciiLower(c);
  return folded;
}

}  // namespace

bool TStyleKeyIndex::HasSeparator(std::string_view text) {
  return std::any_of(text.begin(), text.end(), IsSeparator);
}

bool TStyleKeyIndex::TEqual::operator()(const TProbe& probe, std::string_view folded) const {
  size_t at = 0;
  for (std::string_view piece : probe.Pieces) {
    if (piece.size() > folded.size() - at) return false;
    for (char c : piece)
      if (AsciiLower(c) != folded[at++]) return false;
  }
  return at == folded.size();
}

void TStyleKeyIndex::Clear() {
  Keys.clear();
  Names.clear();
  Descendants.clear();
}

namespace {

// The role of a key's leading mark, with the name after it.
struct TMarkedName {
  TStyleKeyIndex::TRole Role;
  std::string_view Name;
};

std::optional<TMarkedName> MarkedName(std::string_view text) {
  using TIndex = TStyleKeyIndex;
  if (!TIndex::HasSeparator(text)) return TMarkedName{TIndex::TagRole, text};
  if (text.starts_with("::") && !TIndex::HasSeparator(text.substr(2)))
    return TMarkedName{TIndex::LinkStateRole, text.substr(2)};
  if (TIndex::HasSeparator(text.substr(1))) return std::nullopt;
  switch (text[0]) {
    case '.': return TMarkedName{TIndex::ClassRole, text.substr(1)};
    case '#': return TMarkedName{TIndex::IDRole, text.substr(1)};
    case ':': return TMarkedName{TIndex::PseudoRole, text.substr(1)};
    default: return std::nullopt;
  }
}

}  // namespace

// The name of a key, or of the head of a descendant key, is one of the
// key's parts, so its entry is there already.
void TStyleKeyIndex::NoteOwnKey(std::string_view folded, TProperties& rule) {
  std::optional<TMarkedName> own = MarkedName(folded);
  if (!own) return;
  if (auto it = Names.find(TProbe{{own->Name}}); it != Names.end()) it->second.Rules[own->Role] = &rule;
}

void TStyleKeyIndex::NoteDescendantHead(std::string_view head, const TDescendantLists& lists) {
  std::optional<TMarkedName> own = MarkedName(head);
  if (!own) return;
  if (auto it = Names.find(TProbe{{own->Name}}); it != Names.end())
    it->second.Descendants[own->Role] = &lists;
}

void TStyleKeyIndex::Add(const AnsiString& key, TProperties& rule) {
  std::string folded = Folded(key);
  size_t start = 0;
  for (size_t i = 0; i <= folded.size(); ++i) {
    if (i < folded.size() && !IsSeparator(folded[i])) continue;
    Names.try_emplace(folded.substr(start, i - start));
    start = i + 1;
  }
  if (folded.find(' ') != std::string::npos) {
    // The head ends at the first separator after the first character; the
    // bucket keeps the store's order, which compares upper-cased letters.
    size_t end = 1;
    while (end < folded.size() && !IsSeparator(folded[end])) ++end;
    const char* separator = end < folded.size()
                                ? std::find(std::begin(kSeparators), std::end(kSeparators), folded[end])
                                : std::end(kSeparators);
    if (separator != std::end(kSeparators)) {
      TDescendantLists& lists = Descendants[folded.substr(0, end)];
      NoteDescendantHead(std::string_view(folded).substr(0, end), lists);
      std::vector<TDescendant>& bucket = lists[separator - std::begin(kSeparators)];
      auto at = std::lower_bound(bucket.begin(), bucket.end(), key,
                                 [](const TDescendant& entry, const AnsiString& k) {
                                   return CompareText(*entry.Key, k) < 0;
                                 });
      bucket.insert(at, TDescendant{&key, &rule, *ParseDescendantKey(key)});
    }
  }
  auto [entry, added] = Keys.emplace(std::move(folded), &rule);
  if (added) NoteOwnKey(entry->first, rule);
}

TProperties* TStyleKeyIndex::Find(std::initializer_list<std::string_view> pieces) const {
  auto it = Keys.find(TProbe{pieces});
  return it == Keys.end() ? nullptr : it->second;
}

bool TStyleKeyIndex::MayOccur(std::string_view name) const {
  return HasSeparator(name) || Names.find(TProbe{{name}}) != Names.end();
}

const TStyleKeyIndex::TNameInfo* TStyleKeyIndex::NameInfo(std::string_view name) const {
  auto it = Names.find(TProbe{{name}});
  return it == Names.end() ? nullptr : &it->second;
}

const TStyleKeyIndex::TDescendantLists* TStyleKeyIndex::DescendantsOf(
    std::string_view mark, std::string_view name) const {
  auto it = Descendants.find(TProbe{{mark, name}});
  return it == Descendants.end() ? nullptr : &it->second;
}

}  // namespace folverin
