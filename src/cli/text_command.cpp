// folverin-cli text FILE...: each file's title and whole text as the HTML
// engine collects them for the keyword index: one view, set up as the index
// builder's, loads every file in turn.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "common/windows1252.h"
#include "htmlengine/view/document_view.h"

namespace folverin::cli {

namespace {

constexpr const char* kTextUsage = "Aufruf: folverin-cli text DATEI...\n";

bool AllAscii(const char16_t* units) {
  uint64_t four;
  std::memcpy(&four, units, sizeof four);
  return (four & 0xFF80FF80FF80FF80ull) == 0;
}

// Lone surrogates (the engine keeps 16-bit units as it finds them) become
// the replacement character, so the output is always valid UTF-8. Written
// block by block through a small buffer: a page's whole text needs no UTF-8
// copy, and no character has to ask whether the buffer is full.
void WriteUtf8(std::u16string_view text, std::FILE* file) {
  constexpr size_t kBlockUnits = 4096;
  // Three bytes at most for every unit; a pair is four bytes for two units
  // and may end one unit past the block.
  char chunk[3 * kBlockUnits + 4];
  size_t i = 0;
  while (i < text.size()) {
    const size_t blockEnd = std::min(text.size(), i + kBlockUnits);
    char* p = chunk;
    for (; i < blockEnd; ++i) {
      // Most text is ASCII: four units at a time while all four are.
      while (i + 4 <= blockEnd && AllAscii(text.data() + i)) {
        for (int k = 0; k < 4; ++k) p[k] = static_cast<char>(text[i + k]);
        p += 4;
        i += 4;
      }
      if (i == blockEnd) break;
      char32_t c = text[i];
      if (c < 0x80) {
        *p++ = static_cast<char>(c);
        continue;
      }
      if (c >= 0xD800 && c <= 0xDFFF) {
        const bool paired = c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                            text[i + 1] <= 0xDFFF;
        c = paired ? 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00) : 0xFFFD;
      }
      if (c < 0x800) {
        *p++ = static_cast<char>(0xC0 | (c >> 6));
      } else if (c < 0x10000) {
        *p++ = static_cast<char>(0xE0 | (c >> 12));
        *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      } else {
        *p++ = static_cast<char>(0xF0 | (c >> 18));
        *p++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      }
      *p++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    std::fwrite(chunk, 1, static_cast<size_t>(p - chunk), file);
  }
}

// What layout could not do with a document, in the program's words. The
// document's text is complete all the same.
std::string LayoutErrorText(const AnsiString& message) {
  if (message == "Table has too many Columns")
    return "Tabelle mit zu vielen Spalten, nur ihr Text wird gelesen";
  return AnsiToUtf8(message);
}

}  // namespace

int RunTextCommand(const Arguments& args) {
  if (args.empty()) {
    std::fputs(kTextUsage, stderr);
    return 2;
  }
  int exitCode = 0;
  TDocumentView view(nullptr, TDocumentViewProperties::IndexBuilder());
  // Kept from file to file, like the view's own buffers.
  std::u16string text;
  // A layout error leaves the document and its text whole: it is named on
  // stderr, once per file, and does not change the exit code.
  std::vector<AnsiString> layoutErrors;
  view.LayoutErrorReporter = [&layoutErrors](const AnsiString& message) {
    if (std::find(layoutErrors.begin(), layoutErrors.end(), message) == layoutErrors.end())
      layoutErrors.push_back(message);
  };
  for (const std::string& utf8Name : args) {
    layoutErrors.clear();
    const auto name = Utf8ToAnsiExact(utf8Name);
    if (!name) {
      std::fprintf(stderr, "Dateiname ohne Windows-1252-Form: %s\n", utf8Name.c_str());
      exitCode = 1;
      continue;
    }
    try {
      // The view ignores an empty name and would show the previous file again.
      if (name->empty()) throw EInOutError("Can't locate file: ");
      view.LoadFromFile(*name);
      for (const AnsiString& message : layoutErrors)
        std::fprintf(stderr, "%s: %s\n", utf8Name.c_str(), LayoutErrorText(message).c_str());
      std::string title = AnsiToUtf8(view.DocumentTitle());
      title += '\n';
      view.SetCaretPosition(0);
      view.SelectAll();
      view.SelText(text);
      // Written only once all of it is known: a failing file writes nothing.
      std::fwrite(title.data(), 1, title.size(), stdout);
      WriteUtf8(text, stdout);
      std::fputc('\n', stdout);
    } catch (const std::exception& error) {
      std::fflush(stdout);
      std::fprintf(stderr, "%s\n", AnsiToUtf8(error.what()).c_str());
      exitCode = 1;
    }
  }
  return exitCode;
}

}  // namespace folverin::cli
