// Tables with arbitrary spans, widths, heights, paddings and nesting through
// the builder and the layout. The bytes are not HTML: each one picks the next
// piece of a table (a row, a cell with its attributes, text of some width, a
// nested table, a closing tag), so that the fuzzer spends its time on
// column sharing and row spans instead of on getting markup right.
#include <cstddef>
#include <cstdint>
#include <string>

#include "htmlengine/builder/document_builder.h"
#include "htmlengine/document/section_list.h"

namespace {

using namespace folverin;

// Values that make the arithmetic interesting: zero, small, percent limits,
// the column limit and far beyond any of them.
constexpr const char* kNumbers[] = {"0",   "1",    "2",     "3",    "50",         "99",
                                    "100", "101",  "200",   "201",  "1000",       "65535",
                                    "-1",  "2000000000", "2147483647", "x"};

class TTableSource {
 public:
  TTableSource(const uint8_t* data, size_t size) : Data(data), Size(size) {}
  bool More() const { return Pos < Size; }
  uint8_t Byte() { return Pos < Size ? Data[Pos++] : 0; }
  const char* Number() { return kNumbers[Byte() % 16]; }

 private:
  const uint8_t* Data;
  size_t Size;
  size_t Pos = 0;
};

void AppendAttribute(std::string& html, const char* name, TTableSource& source, bool percent) {
  html += ' ';
  html += name;
  html += '=';
  html += source.Number();
  if (percent) html += '%';
}

std::string BuildMarkup(TTableSource& source) {
  std::string html = "<TABLE";
  if (source.Byte() & 1) AppendAttribute(html, "WIDTH", source, source.Byte() & 1);
  if (source.Byte() & 1) AppendAttribute(html, "BORDER", source, false);
  if (source.Byte() & 1) AppendAttribute(html, "CELLSPACING", source, false);
  if (source.Byte() & 1) AppendAttribute(html, "CELLPADDING", source, false);
  html += '>';
  while (source.More()) {
    const uint8_t piece = source.Byte();
    switch (piece % 12) {
      case 0: html += "<TR>"; break;
      case 1:
      case 2: {
        html += piece & 16 ? "<TH" : "<TD";
        if (piece & 32) AppendAttribute(html, "COLSPAN", source, false);
        if (piece & 64) AppendAttribute(html, "ROWSPAN", source, false);
        if (piece & 128) AppendAttribute(html, "WIDTH", source, source.Byte() & 1);
        if (source.Byte() & 1) AppendAttribute(html, "HEIGHT", source, false);
        if (source.Byte() & 2) html += " VALIGN=bottom";
        html += '>';
        break;
      }
      case 3: html += std::string(1 + source.Byte() % 40, 'w'); break;
      case 4: html += "a b c d e f g "; break;
      case 5: html += "<TABLE><TR><TD>"; break;  // nested
      case 6: html += "</TABLE>"; break;
      case 7: html += "<COL"; AppendAttribute(html, "WIDTH", source, source.Byte() & 1);
              if (source.Byte() & 1) AppendAttribute(html, "SPAN", source, false);
              html += '>'; break;
      case 8: html += "<IMG ALIGN=left WIDTH=" + std::string(source.Number()) + " HEIGHT=20>"; break;
      case 9: html += "<CAPTION>c</CAPTION>"; break;
      case 10: html += "<PRE>pre  formatted</PRE>"; break;
      case 11: html += "<TD STYLE=\"width:" + std::string(source.Number()) + "px;padding:" +
                       source.Number() + "px\">"; break;
    }
  }
  return html + "</TABLE>";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  TTableSource source(data + 1, size - 1);
  const std::string html = BuildMarkup(source);
  TSectionList document;
  ParseDocument(html, document);
  document.OnLayoutError = [](const AnsiString&) {};
  constexpr int kWidths[] = {0, 1, 150, 800, 2000000000};
  document.Layout(kWidths[data[0] % 5]);
  return 0;
}
