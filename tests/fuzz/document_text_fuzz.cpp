// Feeds arbitrary bytes through the whole engine as the index builder's
// hidden view uses it: tokenizer, builder, layout (twice, at widths chosen
// by the first byte), select all, collect the text, and map positions back
// to the source. Linked style sheets never
// reach the file system: the stream request answers with a sheet taken from
// the input itself, so that a LINK cannot read /dev/zero or a FIFO.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "htmlengine/builder/document_builder.h"
#include "htmlengine/document/section_list.h"

namespace {

using namespace folverin;

// Widths the layout is tried at: none at all, a sliver, the index builder's
// hidden view, a window, and far more than any screen.
constexpr int kLayoutWidths[] = {0, 1, 150, 800, 2000000000};

std::u16string CollectAllText(TSectionList& document, int width) {
  int errors = 0;
  document.OnLayoutError = [&errors](const AnsiString&) { ++errors; };
  document.Layout(width);
  // A second pass at another width must give the same text positions.
  const int firstLength = document.Count() == 0 ? 0 : document.Item(document.Count() - 1)->TextLength;
  document.Layout(width / 2 + 7);
  if (document.Count() > 0 && errors == 0 &&
      document.Item(document.Count() - 1)->TextLength != firstLength)
    __builtin_trap();
  if (document.Count() == 0) return {};
  const TSectionBase* last = document.Item(document.Count() - 1);
  const int end = last->TextStart + last->TextLength;
  document.SelectionStart = 0;
  document.SelectionEnd = end;
  const int length = document.GetSelectedLength();
  if (length <= 0) return {};
  std::vector<char16_t> buffer(static_cast<size_t>(length) + 1);
  const int written = document.CopySelectedText(buffer.data(), length + 1);
  // Both mappings must stay inside the document for every position.
  for (int position = 0; position <= end; position += std::max(1, end / 64)) {
    const int source = document.SourceOfPosition(position);
    document.PositionOfSource(std::max(source, 0));
  }
  return std::u16string(buffer.data(), static_cast<size_t>(std::max(written, 0)));
}

void BuildAndCollect(const std::string& text, uint8_t flags) {
  TSectionList document;
  TBuilderView view;
  const std::string sheet = text.substr(0, std::min<size_t>(text.size(), 512));
  view.OnStreamRequest = [&sheet](const AnsiString&, std::string& content) {
    content = sheet;
    return true;
  };
  if (flags & 2)
    view.OnScript = [](const AnsiString&, const AnsiString&, const AnsiString&) {};
  TIncludeHandler include;
  if (flags & 1)
    include = [](const AnsiString& command, const std::vector<AnsiString>& params,
                 AnsiString& result) {
      result = command + (params.empty() ? AnsiString() : params.front());
    };
  // The builder keeps what it built up to a parse error and raises nothing:
  // an exception leaving it is a finding.
  if (flags & 4)
    ParsePlainText(text, document, view);
  else
    ParseDocument(text, document, {}, {}, view, {}, include);
  CollectAllText(document, kLayoutWidths[(flags >> 3) % 5]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  BuildAndCollect(std::string(reinterpret_cast<const char*>(data) + 1, size - 1), data[0]);
  return 0;
}
