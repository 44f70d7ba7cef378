// The term test of the full-text search: how a term is looked for, and
// whether one document contains it.
#pragma once

#include <string_view>

#include "common/ansi_string.h"

namespace folverin {

// The term as it is looked for in upper-cased HTML text: trimmed, ASCII
// upper-cased, and the German umlauts and sharp s written as the entities
// that collections use for them (&AUML; ... &SZLIG;).
AnsiString PrepareSearchTerm(std::string_view term);

// Whether a stretch of text between two tags of the document contains the
// term. Only .htm and .html files have text; others are not read. Throws
// TDocumentReadError when the file cannot be read.
bool DocumentContainsTerm(std::string_view fileName, std::string_view term);

}  // namespace folverin
