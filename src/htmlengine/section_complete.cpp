// Finishing a section: the clean-up of its text once all of it has arrived.
#include <algorithm>

#include "htmlengine/section.h"
#include "htmlengine/section_list.h"

namespace folverin {

namespace {

// Marks character i for removal; the marks are made only once a first
// character goes, as most sections lose none.
void Mark(std::vector<bool>& remove, size_t size, size_t i) {
  if (remove.empty()) remove.assign(size, false);
  remove[i] = true;
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
  for (auto& run : FontRuns) run->Pos = kept[run->Pos];
  for (auto& object : Floats) object->Pos = kept[object->Pos];
  for (auto& control : Controls) control->Pos = kept[control->Pos];
}

// Of two spaces in a row the second goes, unless the first may not break:
// then the first goes, so that the remaining space breaks where the text
// after it allows. A single pass gives what repeating the rule from the
// start would.
void TSection::CollapseSpaces() {
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
    const std::vector<int32_t>& source = *SourceIndexes;
    for (size_t i = 0; i < source.size() && i < Text.size(); ++i)
      if (i == 0 || source[i] != source[i - 1] + 1)
        SourceRuns.push_back({static_cast<int>(i), source[i]});
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
