// Arbitrary bytes as a query of the full-text search: the input up to its
// first byte 0 is the query, the rest (up to its own first byte 0, repeated
// as many times as the byte after that 0 says) is one more document text.
// The query is parsed; when it parsed without errors, its program is run
// over a few small texts and that one, and every term is also tested with a
// plain transcription of the documented term test. A difference between
// the two term tests is a finding (the fast matcher's filter and its linear
// fallback are both reached through long terms on repetitive text), as is
// anything the sanitizers report or an exception from the evaluation.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "../search/documented_term.h"
#include "search/document_text.h"
#include "search/search_parser.h"
#include "search/search_term.h"
#include "search/term_matcher.h"

namespace {

using namespace folverin;

// Upper-cased as TDocumentText reads a document.
const char* const kTexts[] = {
    "",
    "<P>HAUS UND GARTEN</P>",
    "<HTML><A HREF=HOF>M&UUML;LLER</A>STRA&SZLIG;E<B>A>B</B> TEXT NACH DEM LETZTEN TAG",
    "KEIN TAG, NUR TEXT",
    "<<>><P ALT='HAUS'>X<!-- HOF --><",
};

void Evaluate(TParser& parser, const TTermMatcher& matcher, std::string_view text) {
  const std::vector<bool> matches = matcher.Match(text);
  const std::vector<AnsiString>& terms = matcher.PreparedTerms();
  for (size_t i = 0; i < terms.size(); ++i) {
    // The plain walk is quadratic; big products are left to the fast one.
    if (text.size() * terms[i].size() > (1u << 24)) continue;
    if (matches[i] != folverin::testing::DocumentedStretchesContain(text, terms[i])) __builtin_trap();
  }
  parser.EvaluateMatches(matches);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t queryEnd = input.find('\0');
  const std::string_view query = input.substr(0, queryEnd);
  TParser parser;
  parser.SetExpression(query);
  parser.Parse();
  if (!parser.Errors().empty()) return 0;
  TTermMatcher matcher;
  matcher.SetTerms(parser.Terms());
  for (const char* text : kTexts) Evaluate(parser, matcher, text);
  if (queryEnd == std::string_view::npos || queryEnd + 1 >= size) return 0;
  const size_t repeats = static_cast<unsigned char>(input[queryEnd + 1]) % 64 + 1;
  std::string_view piece = input.substr(queryEnd + 2);
  piece = piece.substr(0, piece.find('\0'));
  std::string text;
  for (size_t i = 0; i < repeats; ++i) text += piece;
  UpperCaseInPlace(text.data(), text.size());
  Evaluate(parser, matcher, text);
  return 0;
}
