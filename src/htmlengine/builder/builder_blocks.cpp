// Block elements: headings, paragraphs, lists and their items, divisions.
#include "htmlengine/builder/html_builder.h"
#include "htmlengine/document/html_form.h"
#include "htmlengine/support/layout_limits.h"

namespace folverin {

using S = THtmlSymbol;

namespace {

const TSymbolSet& HeadingContent() {
  static const TSymbolSet set = SymbolSet(
      {S::P, S::UnknownTag, S::Div, S::B, S::BEnd, S::I, S::IEnd, S::Em, S::EmEnd, S::Strong,
       S::StrongEnd, S::U, S::UEnd, S::Cite, S::CiteEnd, S::Var, S::VarEnd, S::TT, S::TTEnd,
       S::Code, S::CodeEnd, S::Kbd, S::KbdEnd, S::Samp, S::SampEnd, S::BR, S::HR, S::Img, S::A,
       S::AEnd, S::Text, S::Input, S::TextArea, S::TextAreaEnd, S::Select, S::Font, S::FontEnd,
       S::BaseFont, S::Sub, S::SubEnd, S::Sup, S::SupEnd, S::Big, S::BigEnd, S::Small,
       S::SmallEnd, S::Script, S::ScriptEnd, S::S, S::SEnd, S::Strike, S::StrikeEnd, S::Panel,
       S::NoBr, S::NoBrEnd, S::Wbr, S::Span, S::SpanEnd});
  return set;
}

const TSymbolSet& ParagraphContent() {
  static const TSymbolSet set = SymbolSet(
      {S::B, S::BEnd, S::I, S::IEnd, S::Em, S::EmEnd, S::Strong, S::StrongEnd, S::U, S::UEnd,
       S::Cite, S::CiteEnd, S::Var, S::VarEnd, S::TT, S::TTEnd, S::Code, S::CodeEnd, S::Kbd,
       S::KbdEnd, S::Samp, S::SampEnd, S::BR, S::Img, S::A, S::AEnd, S::UnknownTag, S::Text,
       S::Input, S::TextArea, S::TextAreaEnd, S::Select, S::Font, S::FontEnd, S::BaseFont,
       S::Sub, S::SubEnd, S::Sup, S::SupEnd, S::Big, S::BigEnd, S::Small, S::SmallEnd, S::Map,
       S::Page, S::Script, S::ScriptEnd, S::S, S::SEnd, S::Strike, S::StrikeEnd, S::Panel,
       S::NoBr, S::NoBrEnd, S::Wbr, S::Span, S::SpanEnd});
  return set;
}

const TSymbolSet& ListItemContent() {
  static const TSymbolSet set = SymbolSet(
      {S::B, S::BEnd, S::I, S::IEnd, S::Em, S::EmEnd, S::Strong, S::StrongEnd, S::U, S::UEnd,
       S::Cite, S::CiteEnd, S::Var, S::VarEnd, S::TT, S::TTEnd, S::Code, S::CodeEnd, S::Kbd,
       S::KbdEnd, S::Samp, S::SampEnd, S::Heading, S::HeadingEnd, S::Img, S::A, S::AEnd,
       S::Text, S::Input, S::TextArea, S::TextAreaEnd, S::Select, S::Font, S::FontEnd,
       S::BaseFont, S::Sub, S::SubEnd, S::Sup, S::SupEnd, S::Big, S::BigEnd, S::Small,
       S::SmallEnd, S::Map, S::Page, S::Script, S::ScriptEnd, S::S, S::SEnd, S::Strike,
       S::StrikeEnd, S::Panel, S::NoBr, S::NoBrEnd, S::Wbr, S::Span, S::SpanEnd, S::BR});
  return set;
}

std::string_view BlockTagName(S symbol) {
  switch (symbol) {
    case S::OL: return "ol";
    case S::UL: return "ul";
    case S::Dir: return "dir";
    case S::Menu: return "menu";
    case S::DL: return "dl";
    case S::Address: return "address";
    case S::Blockquote: return "blockquote";
    case S::OLEnd: return "ol";
    case S::ULEnd: return "ul";
    case S::DirEnd: return "dir";
    case S::MenuEnd: return "menu";
    case S::DLEnd: return "dl";
    case S::BlockquoteEnd: return "blockquote";
    case S::LI: return "li";
    case S::DD: return "dd";
    case S::DT: return "dt";
    default: return {};
  }
}

bool IsNumberedList(S symbol) {
  return symbol == S::OL || symbol == S::UL || symbol == S::Dir || symbol == S::Menu;
}

// What a paragraph notes of its P tag (the last of several empty ones).
struct TNotedParagraph {
  AnsiString Align;
  TElementStyle Style;
  AnsiString ID;
};

TNotedParagraph NoteParagraph(TAttributeList& attributes) {
  TNotedParagraph noted;
  noted.Align = AttributeValue(attributes, THtmlAttribute::Align);
  noted.Style.Class = attributes.GetClass();
  noted.Style.ID = attributes.GetID();
  noted.Style.Title = attributes.GetTitle();
  if (const TProperties* style = attributes.GetStyle())
    noted.Style.Inline = std::make_unique<TProperties>(*style);
  noted.ID = attributes.GetID();
  return noted;
}

}  // namespace

void THtmlBuilder::ParseHeading() {
  if (TooDeep()) return Next();
  const auto nesting = EnterNesting();
  CloseSection();
  const AnsiString tag = "h" + std::to_string(Context.SymbolValue);
  const bool pushed = PushTag(tag, AlignAdjustment());
  // The heading's first section takes the heading's attributes (its ID
  // names the section); reading on would replace the tokenizer's list.
  TAttributeList headingAttributes = std::move(Context.TagAttributes);
  Context.TagAttributes.Clear();
  Context.SkipBlanks();
  Next();
  if (Sym() == S::Center) {
    if (pushed) PropertyStack.Top().SetText(Prop::TextAlign, "center");
    Next();
  }
  TBlock* block = EnterBlock();
  OpenSection(&headingAttributes);
  while (Contains(HeadingContent(), Sym())) {
    if (Sym() == S::P) ParseParagraph({});
    else if (Sym() == S::UnknownTag) Next();
    else if (Sym() == S::Div) ParseDivision(S::Div, SymbolSet({S::HeadingEnd}));
    else ParseInline();
  }
  CloseSection();
  if (pushed) PropertyStack.PopProperties(tag);
  LeaveBlock(block);
  if (Sym() == S::HeadingEnd) Next();
}

void THtmlBuilder::ParseParagraph(const TSymbolSet& terminators) {
  if (Contains(terminators, S::P)) return;
  if (TooDeep()) return Next();
  const auto nesting = EnterNesting();
  CloseSection();
  Context.SkipBlanks();
  TNotedParagraph noted = NoteParagraph(Context.TagAttributes);
  Next();
  // Empty paragraphs merge into the next one.
  while (Sym() == S::P || Sym() == S::PEnd) {
    if (Sym() == S::P) noted = NoteParagraph(Context.TagAttributes);
    Context.SkipBlanks();
    Next();
  }
  noted.Style.Adjust = AlignAdjustment(noted.Align);
  const bool pushed = PropertyStack.PushProperties("p", std::move(noted.Style));
  TBlock* block = EnterBlock();
  if (!noted.ID.empty()) TargetDocument.IDNames.AddObject(noted.ID, block);
  while (!Contains(terminators, Sym()) && Contains(ParagraphContent(), Sym())) {
    if (Sym() == S::UnknownTag) Next();
    else ParseInline();
  }
  CloseSection();
  if (pushed) PropertyStack.PopProperties("p");
  LeaveBlock(block);
  if (Sym() == S::PEnd) Next();
}

void THtmlBuilder::ParseList(S listSymbol, const TSymbolSet& terminators) {
  if (TooDeep()) return Next();
  const auto nesting = EnterNesting();
  TAttributeList& attributes = Context.TagAttributes;
  int number = 1;
  char numberStyle = '1';
  bool plain = false;
  if (listSymbol == S::OL) {
    if (const TAttribute* start = attributes.Lookup(THtmlAttribute::Start); start && start->Numeric >= 0)
      number = ListNumber(start->Numeric);
    const AnsiString type = AttributeValue(attributes, THtmlAttribute::Type);
    if (!type.empty()) numberStyle = type[0];
  } else if (listSymbol == S::UL) {
    const AnsiString type = LowerCase(AttributeValue(attributes, THtmlAttribute::Type));
    plain = HasAttribute(attributes, THtmlAttribute::Plain) || type == "none" || type == "plain";
  }
  CloseSection();
  const std::string_view tag = BlockTagName(listSymbol);
  const bool pushed = PushTag(tag);
  TBlock* block = EnterBlock(&attributes);
  Next();
  const S ownEnd = ListEndOf(listSymbol);
  const S first = Sym();
  if (first == S::OLEnd || first == S::ULEnd || first == S::DirEnd || first == S::MenuEnd ||
      first == S::DLEnd || first == S::BlockquoteEnd) {
    PropertyStack.PopProperties(BlockTagName(first));
  } else {
    if (IsNumberedList(listSymbol)) ++ListDepth;
    TSymbolSet divisionTerminators = terminators | SymbolSet({S::OLEnd, S::ULEnd, S::DirEnd,
        S::MenuEnd, S::DLEnd, S::LI, S::DD, S::DT, S::EndOfDocument});
    while (Sym() != ownEnd && Sym() != S::EndOfDocument && !Contains(terminators, Sym())) {
      const S symbol = Sym();
      if (symbol == S::P) {
        ParseParagraph(terminators);
      } else if (IsListStart(symbol)) {
        ParseList(symbol, terminators);
        if (Sym() == ListEndOf(symbol)) Next();
      } else if (symbol == S::LI || symbol == S::DD || symbol == S::DT) {
        const TAttribute* value = Context.TagAttributes.Lookup(THtmlAttribute::Value);
        if (symbol == S::LI && value && value->Numeric != 0) number = ListNumber(value->Numeric);
        ParseListItem(listSymbol, symbol, number, terminators, plain, numberStyle);
        ++number;
      } else if (symbol == S::Address || symbol == S::Blockquote) {
        ParseDivision(symbol, terminators);
      } else if (symbol == S::Center || symbol == S::Div || symbol == S::Form) {
        ParseDivision(symbol, divisionTerminators);
      } else if (Contains(InlineSymbols(), symbol)) {
        ParseInline();
      } else {
        Next();
      }
    }
    if (IsNumberedList(listSymbol)) --ListDepth;
  }
  CloseSection();
  if (pushed) PropertyStack.PopProperties(tag);
  LeaveBlock(block);
}

void THtmlBuilder::ParseListItem(S listSymbol, S itemSymbol, int number,
                                 const TSymbolSet& terminators, bool plain, char numberStyle) {
  if (TooDeep()) return Next();
  const auto nesting = EnterNesting();
  CloseSection();
  const std::string_view tag = BlockTagName(itemSymbol);
  const bool pushed = PushTag(tag);
  EnsureCell();
  auto item = std::make_unique<TBlockLI>(&TargetDocument, CurrentCell, PropertyStack.TopToRead(),
                                         &Context.TagAttributes);
  item->ListType = static_cast<int>(listSymbol);
  item->ListNumber = number;
  item->ListStyle = numberStyle;
  item->Plain = plain;
  item->ListDepth = ListDepth;
  TBlock* block = AddBlock(std::move(item));
  CurrentCell = &block->Cell;
  OpenSection();
  Context.SkipBlanks();
  Next();
  const bool inList = listSymbol != S::UnknownTag;
  for (;;) {
    const S symbol = Sym();
    if (symbol == S::EndOfDocument || Contains(terminators, symbol)) break;
    if (symbol == S::P) {
      if (!inList) break;
      ParseParagraph({});
    } else if (Contains(ListItemContent(), symbol)) {
      ParseInline();
    } else if (IsListStart(symbol)) {
      ParseList(symbol, terminators);
      if (Sym() == ListEndOf(symbol)) Next();
    } else if (symbol == S::Address || symbol == S::Blockquote || symbol == S::Center ||
               symbol == S::Div || symbol == S::Form) {
      ParseDivision(symbol, terminators);
    } else if (symbol == S::Table) {
      ParseTable();
    } else if (symbol == S::UnknownTag) {
      Next();
    } else {
      break;
    }
  }
  CloseSection();
  if (pushed) PropertyStack.PopProperties(tag);
  LeaveBlock(block);
}

void THtmlBuilder::ParseDivision(S symbol, const TSymbolSet& terminators) {
  switch (symbol) {
    case S::Address: case S::Blockquote: {
      CloseSection();
      const S end = symbol == S::Address ? S::AddressEnd : S::BlockquoteEnd;
      ParseList(symbol, terminators | SymbolSet({S::AddressEnd, S::BlockquoteEnd}));
      if (Sym() == end) Next();
      return;
    }
    case S::Center: return ParseCenter(terminators);
    case S::Form: return ParseForm(terminators);
    default: return ParseDiv(terminators);
  }
}

void THtmlBuilder::ParseCenter(const TSymbolSet& terminators) {
  if (TooDeep()) return Next();
  const auto nesting = EnterNesting();
  CloseSection();
  const bool pushed = PushPlain("center");
  OpenSection();
  Next();
  ParseBody(terminators | SymbolSet({S::CenterEnd}));
  CloseSection();
  if (pushed) PropertyStack.PopProperties("center");
  OpenSection();
  if (Sym() == S::CenterEnd) Next();
}

void THtmlBuilder::ParseForm(const TSymbolSet& terminators) {
  while (Sym() == S::Form) {
    if (TooDeep()) return Next();
    const auto nesting = EnterNesting();
    CloseSection();
    const bool pushed = PushTag("form");
    TBlock* block = EnterBlock(&Context.TagAttributes);
    Result.Forms.push_back(std::make_unique<ThtmlForm>(Context.TagAttributes));
    OpenForm = Result.Forms.back().get();
    Next();
    ParseBody(terminators | SymbolSet({S::Form, S::FormEnd}));
    CloseSection();
    if (pushed) PropertyStack.PopProperties("form");
    LeaveBlock(block);
    if (Sym() == S::FormEnd) {
      OpenForm = nullptr;
      Next();
    }
  }
}

void THtmlBuilder::ParseDiv(const TSymbolSet& terminators) {
  if (TooDeep()) return Next();
  const auto nesting = EnterNesting();
  CloseSection();
  const bool pushed = PushTag("div", AlignAdjustment());
  TBlock* block = EnterBlock(&Context.TagAttributes);
  OpenSection();
  Next();
  ParseBody(terminators | SymbolSet({S::DivEnd}));
  CloseSection();
  if (pushed) PropertyStack.PopProperties("div");
  LeaveBlock(block);
  OpenSection();
  if (Sym() == S::DivEnd) Next();
}

}  // namespace folverin
