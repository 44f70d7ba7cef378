// Feeds arbitrary bytes through the tokenizer until the end of the
// document, switching character sets where the document names one, as the
// builder does. Parse errors are expected; anything else is a finding.
#include <cstddef>
#include <cstdint>
#include <string>

#include "htmlengine/support/html_charsets.h"
#include "htmlengine/support/html_engine_error.h"
#include "htmlengine/tokenizer/html_tokenizer.h"

namespace {

using namespace folverin;

void ApplyCharsetAttributes(TParseContext& context, int& charset, int& codePage) {
  const TAttribute* content = context.TagAttributes.Lookup(THtmlAttribute::Content);
  const TAttribute* named = context.TagAttributes.Lookup(THtmlAttribute::Charset);
  const TAttribute* source = context.Symbol == THtmlSymbol::Meta ? content : named;
  if (source == nullptr) return;
  int found = 0;
  if (context.DecodeCharset(source->Value, found))
    SetCharset(charset, codePage, found);
  else if (source->Value.find("utf-8") != std::string::npos)
    SetUtf8(charset, codePage);
}

void Tokenize(const std::string& text, bool withInclude, bool tagsOnly) {
  TParseContext context;
  context.PrepareSource(text);
  context.TagsOnly = tagsOnly;
  int charset = kDefaultCharset;
  int codePage = 0;
  if (context.JapaneseConverted) SetCharset(charset, codePage, kShiftJisCharset);
  context.CodePageSource = [&] { return codePage; };
  if (withInclude)
    context.IncludeHandler = [](const AnsiString& command, const std::vector<AnsiString>& params,
                                AnsiString& result) {
      result = command + (params.empty() ? AnsiString() : params.front());
    };
  context.OnRegisterID = [](const AnsiString&, int32_t) {};
  try {
    context.BeginReading();
    for (;;) {
      context.NextSymbol();
      if (context.Symbol == THtmlSymbol::EndOfDocument) break;
      if (context.Symbol == THtmlSymbol::Meta || context.Symbol == THtmlSymbol::Font)
        ApplyCharsetAttributes(context, charset, codePage);
      context.TagAttributes.GetID();
      context.TagAttributes.GetStyle();
      // The builder's style sheet parser would take over at the ">".
      if (context.Symbol == THtmlSymbol::Style) context.ReadCharSkippingComments();
    }
  } catch (const EParseError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const bool withInclude = (data[0] & 1) != 0;
  const bool tagsOnly = (data[0] & 2) != 0;  // as the builder's pre-pass reads
  Tokenize(std::string(reinterpret_cast<const char*>(data) + 1, size - 1), withInclude, tagsOnly);
  return 0;
}
