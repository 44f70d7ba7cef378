#include "common/file_url.h"

#include "common/separators.h"
#include "common/url_decode.h"

namespace folverin {

namespace {

constexpr std::string_view kFileScheme = "file://";

// The decoded address without its scheme.
AnsiString DecodedWithoutScheme(std::string_view url) {
  AnsiString text = DecodeURL(url);
  if (text.starts_with(kFileScheme)) text.erase(0, kFileScheme.size());
  return text;
}

size_t LeadingSlashes(std::string_view text) {
  const size_t first = text.find_first_not_of('/');
  return first == std::string_view::npos ? text.size() : first;
}

}  // namespace

AnsiString FileURLToPath(std::string_view url) {
  AnsiString text = DecodedWithoutScheme(url);
  const size_t slashes = LeadingSlashes(text);
  if (slashes > 1) text.erase(0, slashes - 1);
  return text;
}

AnsiString FileURLToPathWindows(std::string_view url) {
  AnsiString text = DecodedWithoutScheme(url);
  text.erase(0, LeadingSlashes(text));
  SlashToBackslash(text);
  return text;
}

}  // namespace folverin
