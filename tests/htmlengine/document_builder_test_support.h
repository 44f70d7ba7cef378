// Runs HTML snippets through the builder and the text collection.
#pragma once

#include <string>
#include <string_view>

#include "common/windows1252.h"
#include "htmlengine/document_text_extraction.h"

namespace folverin::test {

// The collected text in 8-bit form, so that expectations read naturally.
inline AnsiString TextOf(std::string_view html) {
  return Utf16ToAnsi(ExtractDocumentText(html).Text);
}

inline AnsiString TitleOf(std::string_view html) { return ExtractDocumentText(html).Title; }

inline std::string Repeat(std::string_view piece, int count) {
  std::string text;
  text.reserve(piece.size() * count);
  for (int i = 0; i < count; ++i) text += piece;
  return text;
}

}  // namespace folverin::test
