#include "htmlengine/view/meta_refresh.h"

#include <charconv>

namespace folverin {

int MetaRefreshDelay(std::string_view content) {
  const AnsiString text = Trim(content.substr(0, content.find(';')));
  const char* first = text.data();
  const char* last = first + text.size();
  if (first != last && *first == '+') ++first;
  int delay = 0;
  const auto [end, error] = std::from_chars(first, last, delay);
  if (error != std::errc() || end != last) return -1;
  return delay;
}

AnsiString MetaRefreshAddress(std::string_view content) {
  const size_t at = LowerCase(content).find("url=");
  return at == std::string_view::npos ? AnsiString() : AnsiString(content.substr(at + 4));
}

}  // namespace folverin
