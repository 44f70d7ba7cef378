// folverin-cli text FILE...: each file's title and whole text as the HTML
// engine collects them for the keyword index: one view, set up as the index
// builder's, loads every file in turn.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "common/windows1252.h"
#include "htmlengine/document_view.h"

namespace folverin::cli {

namespace {

constexpr const char* kTextUsage = "Aufruf: folverin-cli text DATEI...\n";

// Lone surrogates (the engine keeps 16-bit units as it finds them) become
// the replacement character, so the output is always valid UTF-8.
std::string Utf16ToUtf8(std::u16string_view text) {
  // Three bytes at most for every unit (a pair of four bytes is two units).
  std::string out(text.size() * 3, '\0');
  char* p = out.data();
  for (size_t i = 0; i < text.size(); ++i) {
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
  out.resize(static_cast<size_t>(p - out.data()));
  return out;
}

}  // namespace

int RunTextCommand(const Arguments& args) {
  if (args.empty()) {
    std::fputs(kTextUsage, stderr);
    return 2;
  }
  int exitCode = 0;
  TDocumentView view(nullptr, TDocumentViewProperties::IndexBuilder());
  for (const std::string& utf8Name : args) {
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
      std::string out = AnsiToUtf8(view.DocumentTitle());
      out += '\n';
      view.SetCaretPosition(0);
      view.SelectAll();
      out += Utf16ToUtf8(view.SelText());
      out += '\n';
      std::fwrite(out.data(), 1, out.size(), stdout);
    } catch (const std::exception& error) {
      std::fflush(stdout);
      std::fprintf(stderr, "%s\n", AnsiToUtf8(error.what()).c_str());
      exitCode = 1;
    }
  }
  return exitCode;
}

}  // namespace folverin::cli
