// The body loop and the text-level elements.
#include "common/windows1252.h"
#include "htmlengine/builder/html_builder.h"
#include "htmlengine/document/horz_line.h"
#include "htmlengine/style/colour_names.h"
#include "htmlengine/style/property_derived_values.h"
#include "htmlengine/style/style_sheet_parser.h"
#include "htmlengine/support/layout_limits.h"

namespace folverin {

using S = THtmlSymbol;

namespace {

// Tags that only change the font: their lower-case names by start symbol.
std::string_view FontTagName(S symbol) {
  switch (symbol) {
    case S::B: return "b";
    case S::I: return "i";
    case S::Em: return "em";
    case S::Strong: return "strong";
    case S::U: return "u";
    case S::Cite: return "cite";
    case S::Var: return "var";
    case S::S: return "s";
    case S::Strike: return "strike";
    case S::TT: return "tt";
    case S::Code: return "code";
    case S::Kbd: return "kbd";
    case S::Samp: return "samp";
    case S::Span: return "span";
    case S::Sub: return "sub";
    case S::Sup: return "sup";
    case S::Big: return "big";
    case S::Small: return "small";
    default: return {};
  }
}

S StartOf(S endSymbol) { return static_cast<S>(static_cast<int>(endSymbol) - 1); }

}  // namespace

std::string_view InlineTagName(THtmlSymbol symbol, bool& isEnd) {
  isEnd = false;
  std::string_view name = FontTagName(symbol);
  if (name.empty() && symbol != S::Text && static_cast<int>(symbol) > 0) {
    name = FontTagName(StartOf(symbol));
    isEnd = !name.empty();
  }
  return name;
}

const TSymbolSet& InlineSymbols() {
  static const TSymbolSet set = SymbolSet(
      {S::B, S::BEnd, S::I, S::IEnd, S::Em, S::EmEnd, S::Strong, S::StrongEnd, S::U, S::UEnd,
       S::Cite, S::CiteEnd, S::Var, S::VarEnd, S::S, S::SEnd, S::Strike, S::StrikeEnd, S::TT,
       S::TTEnd, S::Code, S::CodeEnd, S::Kbd, S::KbdEnd, S::Samp, S::SampEnd, S::Span,
       S::SpanEnd, S::Sub, S::SubEnd, S::Sup, S::SupEnd, S::Big, S::BigEnd, S::Small,
       S::SmallEnd, S::Font, S::FontEnd, S::BaseFont, S::Text, S::BR, S::Heading,
       S::HeadingEnd, S::HR, S::Pre, S::Table, S::Img, S::Panel, S::A, S::AEnd, S::Input,
       S::Select, S::TextArea, S::TextAreaEnd, S::Map, S::Page, S::Script, S::NoBr,
       S::NoBrEnd, S::Wbr});
  return set;
}

const TSymbolSet& TableTerminators() {
  static const TSymbolSet set =
      SymbolSet({S::TableEnd, S::TD, S::TDEnd, S::TR, S::TREnd, S::TH, S::THEnd, S::Caption,
                 S::CaptionEnd, S::Col, S::ColGroup});
  return set;
}

THtmlSymbol ListEndOf(THtmlSymbol listSymbol) {
  return static_cast<THtmlSymbol>(static_cast<int>(listSymbol) + 1);
}

bool IsListStart(THtmlSymbol symbol) {
  return symbol == S::OL || symbol == S::UL || symbol == S::Dir || symbol == S::Menu ||
         symbol == S::DL;
}

void THtmlBuilder::ParseBody(const TSymbolSet& terminators) {
  while (!Contains(terminators, Sym()) && Sym() != S::EndOfDocument) {
    const S symbol = Sym();
    switch (symbol) {
      case S::Title: ParseTitle(); break;
      case S::Body: ParseBodyTag(); break;
      case S::P: ParseParagraph(terminators); break;
      case S::Base: ParseBase(); break;
      case S::OL: case S::UL: case S::Dir: case S::Menu: case S::DL:
        ParseList(symbol, terminators);
        if (Sym() == ListEndOf(symbol) && !Contains(terminators, Sym())) Next();
        break;
      case S::LI: ParseListItem(S::UnknownTag, S::LI, 1, terminators, false, '1'); break;
      case S::DD: case S::DT: ParseListItem(S::DL, symbol, 1, terminators, false, '1'); break;
      case S::Address: case S::Blockquote: case S::Center: case S::Form: case S::Div:
        ParseDivision(symbol, terminators);
        break;
      case S::Link: ParseLink(); break;
      case S::FormEnd: OpenForm = nullptr; Next(); break;
      case S::BgSound: ParseSound(); break;
      case S::Meta: ParseMeta(); break;
      case S::Style: ParseStyle(); break;
      default:
        if (Contains(InlineSymbols(), symbol)) ParseInline();
        else Next();
    }
  }
  if (Sym() == S::EndOfDocument) Next();
}

void THtmlBuilder::ParseInline() {
  const S symbol = Sym();
  bool isEnd = false;
  const std::string_view fontTag = InlineTagName(symbol, isEnd);
  if (!fontTag.empty()) {
    ParseInlineStyleTag(fontTag, isEnd);
    Next();
    return;
  }
  switch (symbol) {
    case S::Font: case S::BaseFont: ParseFont(symbol, false); NewFontRun(); Next(); return;
    case S::FontEnd: PropertyStack.PopProperties("font"); NewFontRun(); Next(); return;
    case S::Text:
      if (!CurrentSection) OpenSection();
      CurrentSection->AppendText(Context.TextToken, AppendMode());
      Next();
      return;
    case S::BR: ParseBreak({}); return;
    case S::Heading:
      if (Context.SymbolValue >= 1 && Context.SymbolValue <= 6) ParseHeading();
      else Next();
      return;
    case S::HR: ParseRule(); return;
    case S::Pre: ParsePreformatted(); return;
    case S::Table: ParseTable(); return;
    case S::Img: case S::Panel:
      if (!CurrentSection) OpenSection();
      InsertEmbedded();
      Next();
      return;
    case S::A: ParseAnchor(); Next(); return;
    case S::AEnd: CloseLink(); Next(); return;
    case S::Input: case S::Select: case S::TextArea:
      if (!CurrentSection) OpenSection();
      if (ParseControl()) Next();
      return;
    case S::Map: ParseMap(); return;
    case S::Page: InsertPage(); Next(); return;
    case S::Script: ParseScript(View.OnScript); Next(); return;
    case S::NoBr: case S::NoBrEnd: KeepTogether = symbol == S::NoBr; Next(); return;
    case S::Wbr:
      if (KeepTogether && CurrentSection)
        CurrentSection->AppendChar(u' ', Context.TagPosition, {AppendMode().Transform, false});
      Next();
      return;
    default: Next(); return;
  }
}

void THtmlBuilder::ParseInlineStyleTag(std::string_view tag, bool isEnd) {
  if (isEnd) {
    PropertyStack.PopProperties(tag);
  } else {
    const bool opensSection = tag == "sub" || tag == "sup" || tag == "big" || tag == "small";
    if (opensSection && !CurrentSection) OpenSection();
    PushTag(tag);
  }
  NewFontRun();
}

void THtmlBuilder::ParseAnchor() {
  TAttributeList& attributes = Context.TagAttributes;
  const TAttribute* href = attributes.Lookup(THtmlAttribute::Href);
  TElementStyle style = StyleOfTag();
  if (href) {
    CloseLink();
    LinkOpen = true;
    LinkTarget.Url = href->Value;
    LinkTarget.Target = AttributeValue(attributes, THtmlAttribute::Target);
    const TAttribute* tabIndex = attributes.Lookup(THtmlAttribute::TabIndex);
    LinkTarget.TabIndex = tabIndex ? tabIndex->Numeric : 0;
    style.PseudoClass = "link";
  }
  PropertyStack.PushProperties("a", std::move(style));
  const bool fresh = !CurrentSection;
  if (fresh) OpenSection();
  else NewFontRun();
  if (const TAttribute* name = attributes.Lookup(THtmlAttribute::Name)) {
    AnsiString anchor = UpperCase(name->Value);
    if (anchor.starts_with('#')) anchor.erase(0, 1);
    CurrentSection->RegisterAnchorName(anchor);
  }
  if (href && !fresh) CurrentSection->SetLink(PropertyStack.TopToRead(), &LinkTarget);
}

void THtmlBuilder::CloseLink() {
  const bool wasOpen = LinkOpen;
  if (LinkOpen) {
    LinkTarget = {};
    LinkOpen = false;
  }
  PropertyStack.PopProperties("a");
  if (CurrentSection && wasOpen) CurrentSection->SetLink(PropertyStack.TopToRead(), nullptr);
}

// The page margins, the background picture and whether it scrolls with the
// text, as BODY attributes give them.
void THtmlBuilder::ApplyBodyAttributes(TAttributeList& attributes, TProperties& bottom) {
  if (const TAttribute* width = attributes.Lookup(THtmlAttribute::MarginWidth)) {
    const int32_t margin = std::clamp(width->Numeric, 0, 200);
    bottom.Props[Prop::MarginLeft] = margin;
    bottom.Props[Prop::MarginRight] = margin;
  }
  if (const TAttribute* height = attributes.Lookup(THtmlAttribute::MarginHeight)) {
    const int32_t margin = std::clamp(height->Numeric, 0, 200);
    bottom.Props[Prop::MarginTop] = margin;
    bottom.Props[Prop::MarginBottom] = margin;
  }
  const AnsiString picture = Trim(AttributeValue(attributes, THtmlAttribute::Background));
  if (!picture.empty()) bottom.SetText(Prop::BackgroundImage, "url(" + picture + ")");
  if (SameText(Trim(AttributeValue(attributes, THtmlAttribute::BgProperties)), "fixed"))
    bottom.SetText(Prop::BackgroundAttachment, "fixed");
}

void THtmlBuilder::ParseBodyTag() {
  TCellBasic* bodyCell = &BodyBlock->Cell;
  if (bodyCell->Count() == 0 && TableDepth == 0 && CurrentCell == bodyCell) {
    CurrentSection.reset();  // stray text before BODY goes
    TAttributeList& attributes = Context.TagAttributes;
    // A fresh set: the old one has realised its font with the old colour.
    TProperties bottom(*TargetDocument.StyleSheet.DefaultEntry());
    bottom.Charset = PropertyStack.ReadBottom().Charset;
    bottom.CodePage = PropertyStack.ReadBottom().CodePage;
    TColour colour = 0;
    if (ColourFromString(AttributeValue(attributes, THtmlAttribute::Text), false, colour))
      bottom.SetColour(Prop::Color, colour);
    ApplyBodyAttributes(attributes, bottom);
    PropertyStack.ReplaceBottom(bottom);
    // LINK, VLINK and OLINK are the colours of the link states: rules of the
    // document, so that every link made from now on takes them.
    for (const auto& [symbol, key] : {std::pair{THtmlAttribute::Link, "::link"},
                                      std::pair{THtmlAttribute::VLink, "::visited"},
                                      std::pair{THtmlAttribute::OLink, "::hover"}}) {
      const AnsiString value = LowerCase(Trim(AttributeValue(attributes, symbol)));
      if (!value.empty() && ColourFromString(value, false, colour))
        TargetDocument.StyleSheet.AddModifyProp(key, "color", value);
    }
    for (int index = 0; index < TargetDocument.Count(); ++index) {
      if (TargetDocument.Item(index) != BodyBlock) continue;
      TargetDocument.RemoveItem(index);
      break;
    }
    auto body = std::make_unique<TBodyBlock>(&TargetDocument, &TargetDocument,
                                             PropertyStack.Bottom(), &attributes);
    if (ColourFromString(AttributeValue(attributes, THtmlAttribute::BgColor), false, colour))
      body->Cell.BkColor = colour;
    BodyBlock = body.get();
    TargetDocument.AddItem(std::move(body));
    CurrentCell = &BodyBlock->Cell;
    OpenSection();
  }
  Next();
}

void THtmlBuilder::ParseRule() {
  CloseSection();
  TAttributeList& attributes = Context.TagAttributes;
  const bool pushed = PushTag("hr");
  EnsureCell();
  auto block = std::make_unique<THRBlock>(&TargetDocument, CurrentCell, PropertyStack.TopToRead(),
                                          &attributes);
  auto line = std::make_unique<THorzLine>(&TargetDocument);
  if (const TAttribute* size = attributes.Lookup(THtmlAttribute::Size))
    line->VSize = std::clamp(size->Numeric, 1, 100);
  if (const TAttribute* width = attributes.Lookup(THtmlAttribute::Width)) {
    line->Width = ObjectPixels(width->Numeric);
    line->WidthPercent = width->Value.find('%') != AnsiString::npos;
  }
  line->NoShade = HasAttribute(attributes, THtmlAttribute::NoShade);
  TColour colour = 0;
  if (ColourFromString(AttributeValue(attributes, THtmlAttribute::Color), false, colour))
    line->Color = colour;
  block->Line = line.get();
  block->Cell.AddItem(std::move(line));
  AddBlock(std::move(block));
  if (pushed) PropertyStack.PopProperties("hr");
  Next();
}

void THtmlBuilder::InsertEmbedded() {
  const bool panel = Sym() == S::Panel;
  TAttributeList& attributes = Context.TagAttributes;
  const bool pushed = PushTag(panel ? "panel" : "img");
  std::unique_ptr<TFloatingObj> object;
  if (panel) object = std::make_unique<TPanelObj>();
  else object = std::make_unique<TImageObj>();
  object->Source = AttributeValue(attributes, THtmlAttribute::Src);
  object->Alt = AttributeValue(attributes, THtmlAttribute::Alt);
  if (const TAttribute* width = attributes.Lookup(THtmlAttribute::Width))
    object->ImageWidth = ObjectPixels(width->Numeric);
  if (const TAttribute* height = attributes.Lookup(THtmlAttribute::Height))
    object->ImageHeight = ObjectPixels(height->Numeric);
  if (const TAttribute* space = attributes.Lookup(THtmlAttribute::HSpace))
    object->HSpaceL = object->HSpaceR = ObjectPixels(space->Numeric);
  if (const TAttribute* space = attributes.Lookup(THtmlAttribute::VSpace))
    object->VSpaceT = object->VSpaceB = ObjectPixels(space->Numeric);
  // Without a known ALIGN a picture stands on the baseline of its line.
  const int align = AlignCode(LowerCase(Trim(AttributeValue(attributes, THtmlAttribute::Align))));
  object->ObjAlign = align >= 1 && align <= 6 ? align : 3;
  CurrentSection->InsertFloat(std::move(object), Context.TagPosition, AppendMode());
  if (pushed) PropertyStack.PopProperties(panel ? "panel" : "img");
}

void THtmlBuilder::InsertPage() {
  CloseSection();
  EnsureCell();
  CurrentCell->AddItem(std::make_unique<TPage>(&TargetDocument));
}

void THtmlBuilder::ParseStyle() {
  // The sheet is read straight from the document, comments included, from
  // the ">" of the tag on; the tokenizer goes on where the sheet ended.
  char current = Context.CurrentChar;
  ParseStyleSheet(TargetDocument.StyleSheet, current, [this] {
    Context.ReadChar();
    return Context.CurrentChar;
  }, "");
  Next();
}

void THtmlBuilder::ParseBreak(const TSymbolSet& terminators) {
  if (Contains(terminators, S::BR)) return;
  TAttributeList& attributes = Context.TagAttributes;
  if (HasAttribute(attributes, THtmlAttribute::Clear)) {
    CloseSection();
  } else {
    if (!CurrentSection) OpenSection();
    CurrentSection->AppendChar(kBreakMarker, Context.TagPosition, AppendMode());
    CloseSection();
  }
  OpenSection(&attributes);
  Next();
}

}  // namespace folverin
