// Finishing a section: the clean-up of its text once all of it has arrived.
#include <algorithm>
#include <cstdint>
#include <string_view>

#include "htmlengine/document/section.h"
#include "htmlengine/document/section_list.h"

namespace folverin {

namespace {

// Marks character i for removal; the marks are made only once a first
// character goes, as most sections lose none.
void Mark(std::vector<bool>& remove, size_t size, size_t i) {
  if (remove.empty()) remove.assign(size, false);
  remove[i] = true;
}

// Most sections need none of the clean-up steps; these tell which ones can
// change something. They have no early exit, so that the compiler tests
// many characters at a time.
bool HasAdjacentSpaces(std::u16string_view text) {
  unsigned found = 0;
  for (size_t i = 1; i < text.size(); ++i)
    found |= static_cast<unsigned>(text[i - 1] == u' ') & static_cast<unsigned>(text[i] == u' ');
  return found != 0;
}

bool Contains(std::u16string_view text, char16_t wanted) {
  unsigned found = 0;
  for (char16_t ch : text) found |= static_cast<unsigned>(ch == wanted);
  return found != 0;
}

// A character after the first starts a new run of source positions when it
// does not come from the position after the previous one. Unsigned, so that
// the last position of the range does not overflow.
bool Continues(const int32_t* source, size_t i) {
  return static_cast<uint32_t>(source[i]) - static_cast<uint32_t>(source[i - 1]) == 1u;
}

size_t CountRuns(const int32_t* source, size_t n) {
  size_t runs = n > 0 ? 1 : 0;
  for (size_t i = 1; i < n; ++i) runs += static_cast<size_t>(!Continues(source, i));
  return runs;
}

}  // namespace

void TSection::RemoveCharacters(const std::vector<bool>& remove) {
  if (remove.empty()) return;  // nothing marked
  size_t first = 0;
  while (first < Text.size() && !remove[first]) ++first;
  if (first == Text.size()) return;
  // kept[i]: how many characters stay before index i; an object at i moves
  // there, and a run that started at a removed character starts at the next.
  // Before the first removed character every index stays as it is.
  std::vector<int> kept(Text.size() + 1);
  for (size_t i = 0; i < first; ++i) kept[i] = static_cast<int>(i);
  size_t out = first;
  for (size_t i = first; i < Text.size(); ++i) {
    kept[i] = static_cast<int>(out);
    if (remove[i]) continue;
    Text[out] = Text[i];
    BreakFlags[out] = BreakFlags[i];
    if (SourceIndexes) (*SourceIndexes)[out] = (*SourceIndexes)[i];
    ++out;
  }
  kept[Text.size()] = static_cast<int>(out);
  Text.resize(out);
  BreakFlags.resize(out);
  if (SourceIndexes) SourceIndexes->resize(out);
  for (TFontObj& run : FontRuns) run.Pos = kept[run.Pos];
  for (auto& object : Floats) object->Pos = kept[object->Pos];
  for (auto& control : Controls) control->Pos = kept[control->Pos];
}

// Of two spaces in a row the second goes, unless the first may not break:
// then the first goes, so that the remaining space breaks where the text
// after it allows. A single pass gives what repeating the rule from the
// start would.
void TSection::CollapseSpaces() {
  if (!HasAdjacentSpaces(Text)) return;
  std::vector<bool> remove;
  int last = -1;  // the last character kept so far
  for (int i = 0; i < static_cast<int>(Text.size()); ++i) {
    if (Text[i] == u' ' && last >= 0 && Text[last] == u' ') {
      if (BreakFlags[last] == 'n') {
        Mark(remove, Text.size(), static_cast<size_t>(last));
      } else {
        Mark(remove, Text.size(), static_cast<size_t>(i));
        continue;
      }
    }
    last = i;
  }
  RemoveCharacters(remove);
}

void TSection::RemoveSpacesAfterFloats(std::vector<bool>& remove) const {
  for (const auto& object : Floats) {
    size_t after = static_cast<size_t>(object->Pos) + 1;
    if (object->IsFloating() && after < Text.size() && Text[object->Pos] == kImageMarker &&
        Text[after] == u' ')
      Mark(remove, Text.size(), after);
  }
}

void TSection::RemoveSpacesAroundBreaks() {
  if (!Contains(Text, kBreakMarker)) return;
  std::vector<bool> remove;
  for (size_t i = 1; i < Text.size(); ++i)
    if (Text[i] == kBreakMarker && Text[i - 1] == u' ') Mark(remove, Text.size(), i - 1);
  RemoveCharacters(remove);
  remove.clear();
  for (size_t i = 1; i < Text.size(); ++i)
    if (Text[i - 1] == kBreakMarker && Text[i] == u' ') Mark(remove, Text.size(), i);
  RemoveCharacters(remove);
}

void TSection::BuildSourceRuns() {
  SourceRuns.clear();
  if (SourceIndexes) {
    const int32_t* source = SourceIndexes->data();
    const size_t n = std::min(SourceIndexes->size(), Text.size());
    // Counted first: the runs stay as long as the document, in one block of
    // the exact size.
    SourceRuns.reserve(CountRuns(source, n));
    if (n > 0) SourceRuns.push_back({0, source[0]});
    for (size_t i = 1; i < n; ++i)
      if (!Continues(source, i)) SourceRuns.push_back({static_cast<int>(i), source[i]});
    Document->ReturnSourceIndexBuffer(std::move(*SourceIndexes));
  }
  SourceIndexes.reset();
}

void TSection::Complete() {
  std::vector<bool> remove;
  for (size_t i = 0; i < Text.size() && Text[i] == u' '; ++i) Mark(remove, Text.size(), i);
  RemoveCharacters(remove);
  CollapseSpaces();
  remove.clear();
  RemoveSpacesAfterFloats(remove);
  RemoveCharacters(remove);
  RemoveSpacesAroundBreaks();
  BreakFlags.push_back('y');
  BuildSourceRuns();
  if (!Text.empty()) SectionOrdinal = ++Document->FinishedSections;
}

void TPreFormated::Complete() {
  BreakFlags.push_back('y');
  BuildSourceRuns();
  if (!Text.empty()) SectionOrdinal = ++Document->FinishedSections;
}

}  // namespace folverin
