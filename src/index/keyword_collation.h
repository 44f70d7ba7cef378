// The order of Keyword.iDB: the user's locale collation, tertiary strength,
// so that case variants of a word follow one another (haus before Haus)
// and umlauts sort next to their base letters.
#pragma once

#include <string>
#include <vector>

#include "common/ansi_string.h"

namespace folverin {

// The locale the keyword order follows: LC_ALL, LC_COLLATE or LANG, the
// first that is set, without its code set ("de_DE.UTF-8" -> "de_DE");
// empty for none, "C" or "POSIX", which means the root collation.
std::string CollationLocale();

// Sorts the keywords (Windows-1252) with the collation of `locale` (as
// CollationLocale gives it); keywords the collation finds equal keep byte
// order, so the result never depends on the order they came in.
void SortKeywords(std::vector<AnsiString>& keywords, const std::string& locale);

}  // namespace folverin
