// The default sheet: what every document starts with before its own rules.
#include <initializer_list>
#include <string>

#include "htmlengine/style/style_list.h"
#include "htmlengine/support/html_charsets.h"

namespace folverin {

namespace {

struct TSetting {
  int Slot;
  TPropValue Value;
};

void Apply(TProperties& set, std::initializer_list<TSetting> settings) {
  for (const TSetting& setting : settings) set.Props[setting.Slot] = setting.Value;
}

int32_t AsInt(TColour colour) { return static_cast<int32_t>(colour); }

TPropValue Text(const char* text) { return AnsiString(text); }

}  // namespace

void TStyleList::AddDefaultSheet(const TStyleDefaults& d) {
  const double size = d.DefaultSizePoints;
  const TPropValue fixed = d.FixedPitchFamily;
  // Rows of the sheet that name several keys get separate copies.
  auto put = [this](std::initializer_list<const char*> keys,
                    std::initializer_list<TSetting> settings) {
    for (const char* key : keys) Apply(Entry(key), settings);
  };

  TProperties& standard = Entry("default");
  Apply(standard, {{Prop::FontFamily, d.DefaultFamily}, {Prop::FontSize, size}, {Prop::FontStyle, Text("none")},
                   {Prop::FontWeight, Text("normal")}, {Prop::TextAlign, Text("left")},
                   {Prop::TextDecoration, Text("none")}, {Prop::TextTransform, kTransformNone},
                   {Prop::Color, AsInt(d.TextColour)}, {Prop::MarginTop, d.PageMarginHeight},
                   {Prop::MarginBottom, d.PageMarginHeight}, {Prop::MarginLeft, d.PageMarginWidth},
                   {Prop::MarginRight, d.PageMarginWidth}, {Prop::Visibility, kVisibilityVisible}});
  SetCharset(standard.Charset, standard.CodePage, d.Charset);
  Table->Default = &standard;

  put({"::link"}, {{Prop::Color, AsInt(d.LinkColour + kColourFlag)},
                   {Prop::TextDecoration, Text(d.UnderlineLinks ? "underline" : "none")}});
  put({"::visited"}, {{Prop::Color, AsInt(d.VisitedColour + kColourFlag)}});
  put({"::hover"}, {{Prop::Color, AsInt(d.HoverColour + kColourFlag)}});
  put({"null"}, {});
  put({"pre"}, {{Prop::FontFamily, fixed}, {Prop::FontSize, size * 10 / 12}, {Prop::FontStyle, Text("none")},
                {Prop::FontWeight, Text("normal")}, {Prop::TextDecoration, Text("none")}});
  put({"p"}, {{Prop::MarginTop, AutoParagraph}, {Prop::MarginBottom, AutoParagraph}});
  put({"p 11pre"}, {{Prop::MarginTop, 0}});
  put({"ul", "ol", "menu", "dir"}, {{Prop::MarginLeft, 35}, {Prop::MarginTop, AutoParagraph},
                                    {Prop::MarginBottom, AutoParagraph},
                                    {Prop::ListStyleType, Text("blank")}});
  put({"dl"}, {{Prop::MarginLeft, 0}, {Prop::MarginTop, 0}, {Prop::MarginBottom, 0}, {Prop::ListStyleType, Text("none")}});
  put({"dd"}, {{Prop::MarginLeft, 40}, {Prop::MarginTop, 0}, {Prop::MarginBottom, 0}});
  put({"blockquote"}, {{Prop::MarginLeft, 35}, {Prop::MarginTop, AutoParagraph}, {Prop::MarginBottom, 14}});
  put({"code", "tt", "kbd", "samp"}, {{Prop::FontFamily, fixed}, {Prop::FontSize, Text("0.833em")}});
  put({"b", "strong", "th"}, {{Prop::FontWeight, Text("bold")}});
  put({"sup"}, {{Prop::FontSize, Text("75%")}, {Prop::VerticalAlign, Text("super")}});
  put({"sub"}, {{Prop::FontSize, Text("75%")}, {Prop::VerticalAlign, Text("sub")}});
  put({"big"}, {{Prop::FontSize, Text("1.25em")}});
  put({"small"}, {{Prop::FontSize, Text("0.75em")}});
  put({"table"}, {{Prop::TextAlign, Text("none")}});
  put({"i", "em", "cite", "var", "address"}, {{Prop::FontStyle, Text("italic")}});
  put({"u"}, {{Prop::TextDecoration, Text("underline")}});
  put({"s", "strike"}, {{Prop::TextDecoration, Text("line-through")}});
  put({"center", "caption"}, {{Prop::TextAlign, Text("center")}});
  for (const char* key : {"input", "select", "textarea"}) {
    TPropValue family = std::string(key) == "textarea" ? fixed : Text("MS sans serif, sans-serif");
    Apply(Entry(key), {{Prop::FontFamily, family}, {Prop::FontSize, Text("10pt")}, {Prop::FontStyle, Text("none")},
                       {Prop::FontWeight, Text("normal")}, {Prop::TextAlign, Text("left")},
                       {Prop::TextDecoration, Text("none")}, {Prop::Color, AsInt(d.TextColour)}});
  }
  put({"hr"}, {{Prop::MarginLeft, 0}, {Prop::MarginRight, 0}, {Prop::MarginTop, 10}, {Prop::MarginBottom, 10}});
  const double headingPoints[6] = {24, 18, 14, 12, 10, 8};
  for (int level = 1; level <= 6; ++level)
    Apply(Entry("h" + std::to_string(level)),
          {{Prop::FontSize, size / 12 * headingPoints[level - 1]}, {Prop::MarginTop, 19},
           {Prop::MarginBottom, 19}, {Prop::FontWeight, Text("bold")}});
}

}  // namespace folverin
