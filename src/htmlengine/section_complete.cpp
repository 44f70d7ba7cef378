// Finishing a section: the clean-up of its text once all of it has arrived.
#include <algorithm>

#include "htmlengine/section.h"
#include "htmlengine/section_list.h"

namespace folverin {

namespace {

// Marks the leading spaces of the text.
void MarkLeadingSpaces(const std::u16string& text, std::vector<bool>& remove) {
  for (size_t i = 0; i < text.size() && text[i] == u' '; ++i) remove[i] = true;
}

}  // namespace

void TSection::RemoveCharacters(const std::vector<bool>& remove) {
  // kept[i]: how many characters stay before index i; an object at i moves
  // there, and a run that started at a removed character starts at the next.
  std::vector<int> kept(Text.size() + 1);
  size_t out = 0;
  for (size_t i = 0; i < Text.size(); ++i) {
    kept[i] = static_cast<int>(out);
    if (remove[i]) continue;
    Text[out] = Text[i];
    BreakFlags[out] = BreakFlags[i];
    if (SourceIndexes) (*SourceIndexes)[out] = (*SourceIndexes)[i];
    ++out;
  }
  kept[Text.size()] = static_cast<int>(out);
  if (out == Text.size()) return;
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
  std::vector<bool> remove(Text.size(), false);
  int last = -1;  // the last character kept so far
  for (int i = 0; i < static_cast<int>(Text.size()); ++i) {
    if (Text[i] == u' ' && last >= 0 && Text[last] == u' ') {
      if (BreakFlags[last] == 'n') {
        remove[last] = true;
      } else {
        remove[i] = true;
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
      remove[after] = true;
  }
}

void TSection::RemoveSpacesAroundBreaks() {
  std::vector<bool> remove(Text.size(), false);
  for (size_t i = 1; i < Text.size(); ++i)
    if (Text[i] == kBreakMarker && Text[i - 1] == u' ') remove[i - 1] = true;
  RemoveCharacters(remove);
  remove.assign(Text.size(), false);
  for (size_t i = 1; i < Text.size(); ++i)
    if (Text[i - 1] == kBreakMarker && Text[i] == u' ') remove[i] = true;
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
  std::vector<bool> remove(Text.size(), false);
  MarkLeadingSpaces(Text, remove);
  RemoveCharacters(remove);
  CollapseSpaces();
  remove.assign(Text.size(), false);
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
