// TTermMatcher tests every term of a query against one document text, read
// once: a term counts only where it lies within one stretch of text between
// two tags, and a stretch counts only when a "<" follows it. Each term is
// looked for in the whole text, and only its occurrences are checked against
// the tags around them; a term that does not occur costs no look at the tags.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "common/ansi_string.h"

namespace folverin {

class TTermMatcher {
 public:
  // Takes the terms as written in the query; prepares each with
  // PrepareSearchTerm.
  void SetTerms(const std::vector<AnsiString>& terms);
  const std::vector<AnsiString>& PreparedTerms() const { return prepared_; }

  // One result per term. The text must be upper-cased already and end
  // before its first byte 0 (TDocumentText).
  std::vector<bool> Match(std::string_view upperText) const;

 private:
  std::vector<AnsiString> prepared_;
  // Per prepared term, the length of the longest proper border of each of
  // its prefixes: the fallback search's table (see term_matcher.cpp).
  std::vector<std::vector<uint32_t>> borders_;
};

}  // namespace folverin
