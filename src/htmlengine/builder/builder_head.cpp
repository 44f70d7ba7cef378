// TITLE, BASE, META, LINK, BGSOUND, SCRIPT, MAP and FONT: elements that
// give the view information or change the font, but add no text.
#include <cctype>
#include <charconv>

#include "common/file_system.h"
#include "common/path_parts.h"
#include "common/windows1252.h"
#include "htmlengine/builder/html_builder.h"
#include "htmlengine/style/colour_names.h"
#include "htmlengine/style/style_sheet_parser.h"
#include "htmlengine/support/html_charsets.h"

namespace folverin {

using S = THtmlSymbol;

namespace {

constexpr double kFontPoints[7] = {8, 10, 12, 14, 18, 24, 36};
constexpr double kPreFontPoints[7] = {7, 8, 10, 12, 15, 20, 30};

std::optional<int> ParseInteger(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end == text.data()) return std::nullopt;
  return value;
}

bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

}  // namespace

void THtmlBuilder::ParseTitle() {
  Result.Title.clear();
  Next();
  while (Sym() == S::Text) {
    Result.Title += Utf16ToAnsi(Context.TextToken.Chars());
    Next();
  }
}

void THtmlBuilder::ParseBase() {
  Result.BaseURL = AttributeValue(Context.TagAttributes, THtmlAttribute::Href);
  Result.BaseFrame = AttributeValue(Context.TagAttributes, THtmlAttribute::Target);
  Next();
}

void THtmlBuilder::ParseMeta() {
  const TAttributeList& attributes = Context.TagAttributes;
  const AnsiString httpEq = AttributeValue(attributes, THtmlAttribute::HttpEquiv);
  const AnsiString name = AttributeValue(attributes, THtmlAttribute::Name);
  const AnsiString content = AttributeValue(attributes, THtmlAttribute::Content);
  if (SameText(httpEq, "content-type")) {
    TProperties& top = PropertyStack.Top();
    int charset = 0;
    if (Context.DecodeCharset(content, charset)) SetCharset(top.Charset, top.CodePage, charset);
    // "UTF-8" is written in capitals at least as often as not; reading such
    // a page as Windows-1252 would garble every non-ASCII word.
    else if (LowerCase(content).find("utf-8") != AnsiString::npos)
      SetUtf8(top.Charset, top.CodePage);
  }
  if (MetaHandler) MetaHandler(httpEq, name, content);
  Next();
}

void THtmlBuilder::ParseLink() {
  const TAttributeList& attributes = Context.TagAttributes;
  const AnsiString rel = AttributeValue(attributes, THtmlAttribute::Rel);
  const AnsiString rev = AttributeValue(attributes, THtmlAttribute::Rev);
  const AnsiString href = AttributeValue(attributes, THtmlAttribute::Href);
  if (SameText(Trim(rel), "stylesheet") && !href.empty()) {
    try {
      ApplyLinkedSheet(href);
    } catch (...) {
      // A sheet that cannot be read or understood is simply not applied.
    }
  }
  if (LinkHandler) LinkHandler(rel, rev, href);
  Next();
}

void THtmlBuilder::ApplyLinkedSheet(const AnsiString& href) {
  std::string sheet;
  if (View.OnStreamRequest && View.OnStreamRequest(href, sheet)) {
    if (!sheet.empty()) ParseStyleSheetText(TargetDocument.StyleSheet, sheet, AnsiString());
    return;
  }
  const AnsiString fileName = View.ExpandDocumentName ? View.ExpandDocumentName(href) : href;
  const AnsiString base = FolderOfWrittenPath(fileName);
  if (View.SheetCache) {
    if (auto parsed = View.SheetCache->Load(fileName, base)) {
      TStyleList& store = TargetDocument.StyleSheet;
      store.ApplyShared(parsed, [&] { ApplyStyleSheet(store, *parsed); });
    }
    return;
  }
  sheet = ReadWholeFile(fileName).value_or(std::string());
  if (!sheet.empty()) ParseStyleSheetText(TargetDocument.StyleSheet, sheet, base);
}

void THtmlBuilder::ParseSound() {
  const TAttributeList& attributes = Context.TagAttributes;
  if (SoundHandler && HasAttribute(attributes, THtmlAttribute::Src)) {
    const TAttribute* loop = attributes.Lookup(THtmlAttribute::Loop);
    SoundHandler(AttributeValue(attributes, THtmlAttribute::Src), loop ? loop->Numeric : 1, false);
  }
  Next();
}

void THtmlBuilder::ParseScript(const TScriptHandler& handler) {
  const bool keep = handler && MainPass;
  AnsiString name, language, script;
  if (keep) {
    name = AttributeValue(Context.TagAttributes, THtmlAttribute::Name);
    language = AttributeValue(Context.TagAttributes, THtmlAttribute::Language);
    Context.RawMode = true;  // comments belong to the script
  }
  struct TRawModeReset {
    TParseContext& Context;
    ~TRawModeReset() { Context.RawMode = false; }
  } reset{Context};
  auto read = [this] { Context.ReadCharSkippingComments(); };
  for (;;) {
    const char c = Context.CurrentChar;
    if (c == kEndMarker) break;
    if (c == '\r') {
      if (keep) script += "\r\n";
      read();
      continue;
    }
    if (c != '<') {
      if (keep) script += c;
      read();
      continue;
    }
    AnsiString tag(1, '<');
    read();
    if (Context.CurrentChar != '/' && !IsLetter(Context.CurrentChar)) {
      if (keep) script += tag;
      continue;
    }
    if (Context.CurrentChar == '/') {
      tag += '/';
      read();
    }
    while (IsLetter(Context.CurrentChar)) {
      tag += Context.CurrentChar;
      read();
    }
    const bool end = SameText(tag, "</script");
    while (Context.CurrentChar != '>' && Context.CurrentChar != kEndMarker) {
      tag += Context.CurrentChar == '\r' ? ' ' : Context.CurrentChar;
      read();
    }
    if (end) {
      // After the end tag comments are skipped again, as after any tag.
      Context.RawMode = false;
      if (Context.CurrentChar == '>') read();
      break;
    }
    if (Context.CurrentChar == '>') {
      tag += '>';
      read();
    }
    if (keep) script += tag;
  }
  if (keep) handler(name, language, script);
}

bool THtmlBuilder::ParseMap(bool inPreformatted) {
  auto map = std::make_unique<TMapItem>();
  map->MapName = UpperCase(AttributeValue(Context.TagAttributes, THtmlAttribute::Name));
  Next();
  int others = 0;
  while (Sym() != S::EndOfDocument) {
    if (Sym() == S::MapEnd) {
      Result.Maps.push_back(std::move(map));
      if (!inPreformatted) Next();
      return true;
    }
    if (Sym() == S::Area) {
      const TAttributeList& attributes = Context.TagAttributes;
      map->Areas.push_back({AttributeValue(attributes, THtmlAttribute::Href),
                            AttributeValue(attributes, THtmlAttribute::Target),
                            AttributeValue(attributes, THtmlAttribute::Alt),
                            AttributeValue(attributes, THtmlAttribute::Shape),
                            AttributeValue(attributes, THtmlAttribute::Coords),
                            HasAttribute(attributes, THtmlAttribute::NoHref)});
    } else if (Sym() != S::Text && ++others >= 3) {
      return false;  // not a map after all; the symbol is the caller's
    }
    Next();
  }
  return false;
}

void THtmlBuilder::ParseFont(S symbol, bool inPreformatted) {
  const TAttributeList& attributes = Context.TagAttributes;
  std::optional<int> size;
  const AnsiString sizeText = Trim(AttributeValue(attributes, THtmlAttribute::Size));
  if (std::optional<int> value = ParseInteger(sizeText)) {
    const bool relative = sizeText.size() > 1 && (sizeText[0] == '+' || sizeText[0] == '-');
    // Sizes run from 1 to 7: a step of more than 7 goes just as far.
    const int step = std::clamp(*value, -7, 7);
    size = std::clamp(relative ? BaseSize + step : *value, 1, 7);
    if (symbol == S::BaseFont) BaseSize = *size;
  }
  std::optional<TColour> colour;
  TColour parsed = 0;
  if (ColourFromString(AttributeValue(attributes, THtmlAttribute::Color), false, parsed))
    colour = parsed;
  const AnsiString face =
      symbol == S::BaseFont ? AnsiString() : AttributeValue(attributes, THtmlAttribute::Face);
  std::optional<int> charset;
  int decoded = 0;
  const AnsiString charsetName = AttributeValue(attributes, THtmlAttribute::Charset);
  if (!charsetName.empty() && Context.DecodeCharset(charsetName, decoded)) charset = decoded;
  std::optional<double> points;
  if (size) {
    const double scale = TargetDocument.Defaults.DefaultSizePoints / 12.0;
    points = (inPreformatted ? kPreFontPoints : kFontPoints)[*size - 1] * scale;
  }
  PushTag("font", [colour, points, face, charset](TProperties& set) {
    if (colour) set.SetColour(Prop::Color, *colour);
    if (points) set.Props[Prop::FontSize] = *points;
    if (!face.empty()) set.SetText(Prop::FontFamily, face);
    if (charset) SetCharset(set.Charset, set.CodePage, *charset);
  });
}

}  // namespace folverin
