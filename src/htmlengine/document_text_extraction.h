// The title and the whole text of a document, as the index builder's hidden
// view takes them: load, build, lay out, select all, collect.
#pragma once

#include <string>
#include <string_view>

#include "common/ansi_string.h"

namespace folverin {

struct TExtractedText {
  AnsiString Title;    // as collected from TITLE, untrimmed
  std::u16string Text; // the selected text of the whole document
};

// An HTML text already in memory; addresses of linked style sheets are
// resolved against `folder` (empty: the working folder).
TExtractedText ExtractDocumentText(std::string_view source, std::string_view folder = {});

// Loads the file (an 8-bit name). Raises EHtmlEngineError with
// "Can't locate file: " and the name when there is no such file.
TExtractedText ExtractFileText(const AnsiString& fileName);

}  // namespace folverin
