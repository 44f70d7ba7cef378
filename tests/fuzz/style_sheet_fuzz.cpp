// Feeds arbitrary bytes to the style sheet parser: as a STYLE element's text,
// as a linked sheet with a local and a web base, and as a STYLE attribute;
// then lets the cascade run over the rules it stored.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "htmlengine/style/property_derived_values.h"
#include "htmlengine/style/property_set.h"
#include "htmlengine/style/style_list.h"
#include "htmlengine/style/style_sheet_parser.h"

using namespace folverin;

namespace {

// Everything layout will read from a set.
void ReadDerivedValues(TProperties& set, const FontMetrics& metrics) {
  TRealisedFont font = set.GetFont(metrics);
  BoxMeasuresOf(set, {640, 480, set.EmSize, set.ExSize, 96});
  BackgroundPositionOf(set);
  LineHeightPixels(set, font.Height);
  TextIndentOf(set);
  ZIndexOf(set);
  TextAlignCode(set);
  VerticalAlignCode(set);
  ListStyleTypeCode(set);
  ListStyleImageAddress(set);
  BackgroundImageAddress(set);
}

void CombineSome(const TStyleList& store, TProperties& inlineStyle) {
  TProperties outer;
  outer.CopyDocumentDefaults(*store.DefaultEntry());
  TProperties list;
  list.Inherit(outer);
  const TProperties* stack1[] = {&outer};
  list.Combine(store, "ul", "x", "", "", nullptr, nullptr, stack1);
  TProperties link;
  link.Inherit(list);
  const TProperties* stack2[] = {&list, &outer};
  link.Combine(store, "a", "x", "main", "link", nullptr, &inlineStyle, stack2);
  ReadDerivedValues(link, store.Metrics());
  ReadDerivedValues(list, store.Metrics());
  ReadDerivedValues(inlineStyle, store.Metrics());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  bool hover = false;
  TStyleList store(&hover);
  store.Initialize(TStyleDefaults());

  size_t position = 0;
  char current = '>';
  ParseStyleSheet(store, current, [&]() -> char {
    if (position >= text.size()) return kStyleEndOfInput;
    char c = text[position++];
    return c == '\n' ? '\r' : c == '\t' ? ' ' : c;
  }, "");
  ParseStyleSheetText(store, text, "/site/css/");
  ParseStyleSheetText(store, text, "C:\\Site\\css\\", TStylePathForm::Windows);
  ParseStyleSheetText(store, text, "http://example.org/css/");

  TProperties inlineStyle;
  ParseInlineStyle(text, inlineStyle);
  CombineSome(store, inlineStyle);
  return 0;
}
