// Runs HTML snippets through a document view set up as the index builder's,
// which loads them from a file and collects their title and text.
#pragma once

#include <string>
#include <string_view>

#include "common/windows1252.h"
#include "htmlengine/view/document_view.h"
#include "test_support/temp_folder.h"

namespace folverin::test {

struct TViewText {
  AnsiString Title;     // as collected from TITLE, untrimmed
  std::u16string Text;  // the selected text of the whole document
};

// Writes the snippet into the folder (linked files resolve beside it) and
// takes title and text in the index builder's order.
inline TViewText ViewTextOf(std::string_view html, const testing::TempFolder& folder) {
  TDocumentView view(nullptr, TDocumentViewProperties::IndexBuilder());
  view.LoadFromFile(folder.Write("snippet.htm", html));
  TViewText text{view.DocumentTitle(), {}};
  view.SetCaretPosition(0);
  view.SelectAll();
  text.Text = view.SelText();
  return text;
}

inline TViewText ViewTextOf(std::string_view html) {
  static const testing::TempFolder folder;
  return ViewTextOf(html, folder);
}

// The collected text in 8-bit form, so that expectations read naturally.
inline AnsiString TextOf(std::string_view html) { return Utf16ToAnsi(ViewTextOf(html).Text); }

inline AnsiString TitleOf(std::string_view html) { return ViewTextOf(html).Title; }

inline std::string Repeat(std::string_view piece, int count) {
  std::string text;
  text.reserve(piece.size() * count);
  for (int i = 0; i < count; ++i) text += piece;
  return text;
}

}  // namespace folverin::test
