// The documented term test, transcribed plainly: the upper-cased text is
// walked character by character, runs of text between tags are collected,
// and each run is tested for the prepared term when the next "<" arrives.
// Tests and the fuzz target compare the fast matcher with it.
#pragma once

#include <string>
#include <string_view>

namespace folverin::testing {

inline bool DocumentedStretchesContain(std::string_view upperText, std::string_view term) {
  bool insideTag = false;
  std::string run;
  for (char c : upperText) {
    if (insideTag) {
      if (c == '>') {
        run.clear();
        insideTag = false;
      }
    } else if (c == '<') {
      if (!run.empty() && !term.empty() && run.find(term) != std::string::npos) return true;
      insideTag = true;
    } else {
      run += c;
    }
  }
  return false;
}

}  // namespace folverin::testing
