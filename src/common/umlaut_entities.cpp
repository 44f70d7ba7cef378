#include "common/umlaut_entities.h"

namespace folverin {

namespace {

struct UmlautEntity {
  std::string_view name;
  char letter;
};

constexpr UmlautEntity kUmlautEntities[] = {
    {"&auml;", '\xE4'}, {"&uuml;", '\xFC'}, {"&ouml;", '\xF6'}, {"&szlig;", '\xDF'}};

AnsiString ReplaceIgnoringCase(std::string_view text, std::string_view name, char letter) {
  AnsiString result;
  result.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (SameText(text.substr(i, name.size()), name)) {
      result += letter;
      i += name.size();
    } else {
      result += text[i++];
    }
  }
  return result;
}

}  // namespace

AnsiString EntitiesToUmlauts(std::string_view text) {
  AnsiString result = Trim(text);
  for (const UmlautEntity& entity : kUmlautEntities)
    result = ReplaceIgnoringCase(result, entity.name, entity.letter);
  return result;
}

}  // namespace folverin
