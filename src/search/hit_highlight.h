// What a document found by the full-text search is highlighted with, and
// where: the query's terms that count for a hit (never those under NOT), and
// their occurrences in the text of a page as the browser shows it.
//
// The search looks for a term in each stretch of text between two tags, in
// any ASCII letter case, with the umlauts and "ß" written as entities; the
// browser shows such a stretch as one text node with the entities decoded.
// So a highlight key is the prepared term with its entities decoded, and it
// is looked for within one text node at a time, letters folded alike on both
// sides. A phrase is one key: it is highlighted only where its words stand
// together in one stretch, exactly as the search found it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/ansi_string.h"

namespace folverin {

class TParser;

// The terms of a parsed query that make a document a hit where they occur:
// those that stand at least once under an even number of NOTs ("NOT NOT a"
// counts a). In the parser's term order; empty when the parse had errors.
std::vector<AnsiString> PositiveTerms(const TParser& parser);

// A letter and its other case fold alike: ASCII letters and the Latin-1
// letters with an upper-case form in Latin-1 (ä and Ä, é and É, ...) go to
// upper case; every other character stays, so the text keeps its length.
char16_t FoldForHighlight(char16_t c);
std::u16string FoldForHighlight(std::u16string_view text);

// The term as it is looked for in a text node: trimmed, its entities decoded
// (the umlaut entities, &amp; &lt; &gt; &quot; &nbsp; and numeric ones in any
// letter case; others stay as written) and folded. Empty for a term the
// search can never find (blank, or holding "<").
std::u16string HighlightKey(std::string_view term);

// The keys of a query (Windows-1252, as the search got it): the distinct
// keys of its positive terms. Empty for a query with errors.
std::vector<std::u16string> HighlightKeys(std::string_view query);

struct THitRange {
  size_t Start = 0;   // in UTF-16 units of the text
  size_t Length = 0;
  bool operator==(const THitRange&) const = default;
};

// Every occurrence of any key in one text node, left to right. Occurrences
// that overlap ("Apfelbaum" for the keys APFEL and APFELBAUM) are joined
// into one range; two that merely meet stay two.
std::vector<THitRange> FindHits(std::u16string_view text, const std::vector<std::u16string>& keys);

}  // namespace folverin
