// The quick search's keyword list: the lines of Keyword.iDB, the filter
// "Nur Substantive" and the type-ahead.
#pragma once

#include <string_view>
#include <vector>

#include "common/ansi_string.h"

namespace folverin {

// Whether a keyword is shown with "Nur Substantive" ticked: it begins with
// A to Z, Ä, Ö or Ü. An empty line is not.
bool IsCapitalKeyword(std::string_view keyword);

// The lines of Keyword.iDB as the list shows them, all or only the capital
// ones.
std::vector<AnsiString> KeywordListLines(std::string_view keywordBytes, bool capitalsOnly);

// The type-ahead: the index of the first line that begins with `typed`,
// both lower-cased in ASCII only (typing ä does not find Ä) and `typed`
// trimmed; -1 when none does.
long FindKeywordByPrefix(const std::vector<AnsiString>& lines, std::string_view typed);

}  // namespace folverin
