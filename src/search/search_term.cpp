#include "search/search_term.h"

#include <vector>

#include "search/document_text.h"
#include "search/term_matcher.h"

namespace folverin {

namespace {

const char* UmlautEntity(unsigned char c) {
  switch (c) {
    case 0xC4: case 0xE4: return "&AUML;";
    case 0xD6: case 0xF6: return "&OUML;";
    case 0xDC: case 0xFC: return "&UUML;";
    case 0xDF: return "&SZLIG;";
    default: return nullptr;
  }
}

}  // namespace

AnsiString PrepareSearchTerm(std::string_view term) {
  const AnsiString upper = UpperCase(Trim(term));
  AnsiString prepared;
  prepared.reserve(upper.size());
  for (char c : upper) {
    if (const char* entity = UmlautEntity(static_cast<unsigned char>(c))) {
      prepared += entity;
    } else {
      prepared += c;
    }
  }
  return prepared;
}

bool DocumentContainsTerm(std::string_view fileName, std::string_view term) {
  if (!HasDocumentText(fileName)) return false;
  TTermMatcher matcher;
  matcher.SetTerms({AnsiString(term)});
  TDocumentText text;
  return matcher.Match(text.Read(fileName)).front();
}

}  // namespace folverin
