#include "htmlengine/style_key_index.h"

#include <algorithm>

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
  Parts.clear();
  Descendants.clear();
}

void TStyleKeyIndex::Add(const AnsiString& key, TProperties& rule) {
  std::string folded = Folded(key);
  size_t start = 0;
  for (size_t i = 0; i <= folded.size(); ++i) {
    if (i < folded.size() && !IsSeparator(folded[i])) continue;
    Parts.emplace(folded.substr(start, i - start));
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
      std::vector<TDescendant>& bucket =
          Descendants[folded.substr(0, end)][separator - std::begin(kSeparators)];
      auto at = std::lower_bound(bucket.begin(), bucket.end(), key,
                                 [](const TDescendant& entry, const AnsiString& k) {
                                   return CompareText(*entry.Key, k) < 0;
                                 });
      bucket.insert(at, TDescendant{&key, &rule, *ParseDescendantKey(key)});
    }
  }
  Keys.emplace(std::move(folded), &rule);
}

TProperties* TStyleKeyIndex::Find(std::initializer_list<std::string_view> pieces) const {
  auto it = Keys.find(TProbe{pieces});
  return it == Keys.end() ? nullptr : it->second;
}

bool TStyleKeyIndex::MayOccur(std::string_view name) const {
  return HasSeparator(name) || Parts.find(TProbe{{name}}) != Parts.end();
}

const TStyleKeyIndex::TDescendantLists* TStyleKeyIndex::DescendantsOf(
    std::string_view mark, std::string_view name) const {
  auto it = Descendants.find(TProbe{{mark, name}});
  return it == Descendants.end() ? nullptr : &it->second;
}

}  // namespace folverin
