#include "htmlengine/style/style_selector.h"

namespace folverin {

TSimpleSelector ParseSimpleSelector(std::string_view text) {
  TSimpleSelector selector;
  std::string_view* part = &selector.Tag;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    char c = i < text.size() ? text[i] : '\0';
    if (c != '.' && c != '#' && c != ':' && c != '\0') continue;
    *part = text.substr(start, i - start);
    part = c == '.' ? &selector.Class : c == '#' ? &selector.ID : &selector.Pseudo;
    start = i + 1;
  }
  return selector;
}

std::optional<TDescendantSelector> ParseDescendantKey(std::string_view key) {
  size_t blank = key.find(' ');
  if (blank == std::string_view::npos) return std::nullopt;
  TDescendantSelector selector{ParseSimpleSelector(key.substr(0, blank)), {}};
  std::string_view rest = key.substr(blank + 1);
  size_t digits = 0;
  while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9') ++digits;
  rest.remove_prefix(digits);
  // Runs of blanks separate selectors; they give no empty selector.
  while (!rest.empty()) {
    blank = rest.find(' ');
    if (blank != 0) selector.Ancestors.push_back(ParseSimpleSelector(rest.substr(0, blank)));
    if (blank == std::string_view::npos) break;
    rest.remove_prefix(blank + 1);
  }
  return selector;
}

}  // namespace folverin
