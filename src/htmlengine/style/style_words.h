// How the style sheet shorthands take their values apart: into words, and
// into the function parts url(...) and rgb(...) that may contain blanks.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/ansi_string.h"

namespace folverin {

// The quote characters of style sheet strings.
inline bool IsQuote(char c) { return c == '"' || c == '\''; }

// At most maxWords words. Blank runs count as one blank, a blank after a
// comma does not separate, a quoted part is kept whole, and "12pt/14pt"
// becomes "12pt" and "/14pt".
std::vector<AnsiString> SplitStyleWords(std::string_view value, size_t maxWords);

// Removes up to seven url(...) parts, else rgb(...) parts, from value and
// returns them in the order found. Extraction stops at the first part whose
// ")" comes before it, leaving both for the word rules.
std::vector<AnsiString> TakeFunctionParts(AnsiString& value);

}  // namespace folverin
