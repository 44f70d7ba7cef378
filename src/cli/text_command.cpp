// folverin-cli text FILE...: each file's title and whole text as the HTML
// engine collects them for the keyword index: one view, set up as the index
// builder's, loads every file in turn.
#include <algorithm>
#include <cstdio>
#include <string>

#include <unicode/ustring.h>

#include "cli/commands.h"
#include "common/windows1252.h"
#include "htmlengine/document_view.h"

namespace folverin::cli {

namespace {

constexpr const char* kTextUsage = "Aufruf: folverin-cli text DATEI...\n";

// Lone surrogates (the engine keeps 16-bit units as it finds them) become
// the replacement character, so the output is always valid UTF-8.
std::string Utf16ToUtf8(std::u16string_view text) {
  if (text.empty()) return {};
  // Most documents' text is plain ASCII, which needs no converter.
  if (std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; }))
    return std::string(text.begin(), text.end());
  std::string out(text.size() * 3, '\0');
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length, text.data(),
                     static_cast<int32_t>(text.size()), 0xFFFD, nullptr, &status);
  out.resize(U_SUCCESS(status) ? static_cast<size_t>(length) : 0);
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
