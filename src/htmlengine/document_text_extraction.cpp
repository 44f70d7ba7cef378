#include "htmlengine/document_text_extraction.h"

#include <vector>

#include "common/file_system.h"
#include "htmlengine/document_builder.h"
#include "htmlengine/html_engine_error.h"

namespace folverin {

namespace {

bool IsAbsolute(std::string_view name) {
  return !name.empty() && (IsPathSeparator(name.front()) || name.find("://") != std::string_view::npos);
}

std::u16string SelectAllText(TSectionList& document) {
  document.Layout();
  if (document.Count() == 0) return {};
  const TSectionBase* last = document.Item(document.Count() - 1);
  document.SelectionStart = 0;
  document.SelectionEnd = last->TextStart + last->TextLength;
  const int length = document.GetSelectedLength();
  if (length <= 0) return {};
  std::vector<char16_t> buffer(static_cast<size_t>(length) + 1);
  const int written = document.CopySelectedText(buffer.data(), length + 1);
  return std::u16string(buffer.data(), static_cast<size_t>(std::max(written, 0)));
}

}  // namespace

TExtractedText ExtractDocumentText(std::string_view source, std::string_view folder) {
  TSectionList document;
  TBuilderView view;
  const AnsiString base(folder);
  view.ExpandDocumentName = [base](const AnsiString& name) {
    return IsAbsolute(name) || base.empty() ? name : base + name;
  };
  TParseResult result = ParseDocument(AnsiString(source), document, {}, {}, view);
  TExtractedText text;
  text.Title = std::move(result.Title);
  text.Text = SelectAllText(document);
  return text;
}

TExtractedText ExtractFileText(const AnsiString& fileName) {
  if (!FileExists(fileName)) throw EHtmlEngineError("Can't locate file: " + fileName);
  std::optional<std::string> source = ReadWholeFile(fileName);
  if (!source) throw EHtmlEngineError("Can't read file: " + fileName);
  const size_t slash = fileName.find_last_of("/\\");
  const AnsiString folder = slash == AnsiString::npos ? AnsiString() : fileName.substr(0, slash + 1);
  return ExtractDocumentText(*source, folder);
}

}  // namespace folverin
