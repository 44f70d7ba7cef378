#include "htmlengine/builder/document_builder.h"

#include <algorithm>
#include <array>

#include "htmlengine/builder/html_builder.h"
#include "htmlengine/support/html_charsets.h"
#include "htmlengine/support/html_engine_error.h"

namespace folverin {

AnsiString AttributeValue(const TAttributeList& attributes, THtmlAttribute symbol) {
  const TAttribute* attribute = attributes.Lookup(symbol);
  return attribute ? attribute->Value : AnsiString();
}

bool HasAttribute(const TAttributeList& attributes, THtmlAttribute symbol) {
  return attributes.Lookup(symbol) != nullptr;
}

THtmlBuilder::THtmlBuilder(TSectionList& document, const TBuilderView& view)
    : TargetDocument(document), View(view), PropertyStack(document.StyleSheet) {}

void THtmlBuilder::ParseStart(const AnsiString& text) {
  Context.PrepareSourceView(text);
  Context.CodePageSource = [this] { return PropertyStack.ReadTop().CodePage; };
  PropertyStack.Reset(*TargetDocument.StyleSheet.DefaultEntry());
  TProperties& bottom = PropertyStack.Bottom();
  SetCharset(bottom.Charset, bottom.CodePage, View.Charset);
  if (Context.JapaneseConverted) SetCharset(bottom.Charset, bottom.CodePage, kShiftJisCharset);
  // A META character set, read later, still goes above this.
  if (Context.MarkedUtf8) SetUtf8(bottom.Charset, bottom.CodePage);
  auto body = std::make_unique<TBodyBlock>(&TargetDocument, &TargetDocument, bottom, nullptr);
  BodyBlock = body.get();
  TargetDocument.AddItem(std::move(body));
  CurrentCell = &BodyBlock->Cell;
  LinkTarget = {};
  LinkOpen = false;
  Result = {};
  OpenForm = nullptr;
  KeepTogether = false;
  ListDepth = 0;
  TableDepth = 0;
  BaseSize = 3;
  OpenSection();
}

void THtmlBuilder::FinishParse() {
  if (CurrentSection && CurrentCell) CurrentCell->AddItem(std::move(CurrentSection));
  CurrentSection.reset();
  PropertyStack.Clear();
  LinkTarget = {};
  Context.ReleaseSource();
}

void THtmlBuilder::RunDocument(const AnsiString& text, const TLinkHandler& linkHandler,
                               const TMetaHandler& metaHandler, const TSoundHandler& soundHandler,
                               const TIncludeHandler& includeHandler) {
  ParseStart(text);
  MainPass = false;
  // The pre-pass only counts links: a page with very many of them gets no
  // focus controls for them. A page whose text cannot hold that many needs
  // no pre-pass: the flag it would set, or keep after an error, is false.
  constexpr int kManyLinks = 400;
  if (TargetDocument.ManyLinks || MostHrefNames(Context.Source) > kManyLinks) {
    Context.TagsOnly = true;
    try {
      Context.BeginReading();
      int links = 0;
      for (Context.NextSymbol(); Sym() != THtmlSymbol::EndOfDocument; Context.NextSymbol()) {
        if (Sym() == THtmlSymbol::A &&
            HasAttribute(Context.TagAttributes, THtmlAttribute::Href) && ++links > kManyLinks)
          break;
      }
      TargetDocument.ManyLinks = links > kManyLinks;
    } catch (const EHtmlEngineError&) {
    }
  }
  MainPass = true;
  Context.TagsOnly = false;
  LinkHandler = linkHandler;
  MetaHandler = metaHandler;
  SoundHandler = soundHandler;
  Context.IncludeHandler = includeHandler;
  Context.OnProgress = View.OnProgress;
  Context.OnRegisterID = [this](const AnsiString& id, int32_t pos) {
    TargetDocument.IDNames.AddChPosObject(id, pos);
  };
  try {
    Context.BeginReading();
    Next();
    ParseBody({});
  } catch (const EHtmlEngineError&) {
    // The document keeps what was read up to the error.
  } catch (...) {
    FinishParse();
    throw;
  }
  FinishParse();
}

void THtmlBuilder::RunPlainText(const AnsiString& text) {
  ParseStart(text);
  MainPass = true;
  Context.RawMode = true;  // comments are text here
  try {
    Context.BeginReading();
    CloseSection();
    PushTag("pre");
    TBlock* block = EnterBlock();
    OpenPreSection();
    ReadPreformatted(false);
    FlushPreToken();
    CloseSection();
    CurrentCell = block->ParentCell;
  } catch (const EHtmlEngineError&) {
  } catch (...) {
    FinishParse();
    throw;
  }
  FinishParse();
}

TParseResult THtmlBuilder::TakeResult() { return std::move(Result); }

TElementStyle THtmlBuilder::StyleOfTag() {
  TAttributeList& attributes = Context.TagAttributes;
  TElementStyle style;
  style.Class = attributes.GetClass();
  style.ID = attributes.GetID();
  style.Title = attributes.GetTitle();
  if (const TProperties* inlineStyle = attributes.GetStyle())
    style.Inline = std::make_unique<TProperties>(*inlineStyle);
  return style;
}

bool THtmlBuilder::PushTag(std::string_view tag, TPropAdjustment adjust) {
  TElementStyle style = StyleOfTag();
  style.Adjust = std::move(adjust);
  return PropertyStack.PushProperties(tag, std::move(style));
}

bool THtmlBuilder::PushPlain(std::string_view tag) { return PropertyStack.PushProperties(tag, {}); }

TPropAdjustment THtmlBuilder::AlignAdjustment(AnsiString align) {
  align = LowerCase(Trim(align));
  if (align == "middle") align = "center";
  // The key tells the four alignments apart.
  static constexpr std::array<std::string_view, 4> kAlignments = {"left", "center", "right", "justify"};
  const auto known = std::find(kAlignments.begin(), kAlignments.end(), align);
  if (known == kAlignments.end()) return {};
  const FontMetrics* metrics = &TargetDocument.Metrics();
  // An index rather than the text: small enough for the function to hold
  // without allocating, for every aligned paragraph and cell.
  const uint32_t index = static_cast<uint32_t>(known - kAlignments.begin());
  return {[index, metrics](TProperties& set) {
            set.AssignFromAttribute(Prop::TextAlign, TPropText(kAlignments[index]), *metrics);
          },
          index + 1};
}

TPropAdjustment THtmlBuilder::AlignAdjustment() {
  return AlignAdjustment(AttributeValue(Context.TagAttributes, THtmlAttribute::Align));
}

void THtmlBuilder::EnsureCell() {
  // Between table cells nothing is open; whatever arrives then goes to the body.
  if (!CurrentCell) CurrentCell = &BodyBlock->Cell;
}

void THtmlBuilder::OpenSection(TAttributeList* attributes) {
  CloseSection();
  EnsureCell();
  CurrentSection = std::make_unique<TSection>(&TargetDocument, true, CurrentCell,
                                              LinkOpen ? &LinkTarget : nullptr,
                                              PropertyStack.TopToRead(), attributes);
}

void THtmlBuilder::OpenPreSection() {
  CloseSection();
  EnsureCell();
  CurrentSection = std::make_unique<TPreFormated>(&TargetDocument, false, CurrentCell,
                                                  LinkOpen ? &LinkTarget : nullptr,
                                                  PropertyStack.TopToRead(), nullptr);
}

void THtmlBuilder::CloseSection() {
  if (!CurrentSection) return;
  EnsureCell();
  CurrentCell->AddItem(std::move(CurrentSection));
  CurrentSection.reset();
}

void THtmlBuilder::NewFontRun() {
  if (CurrentSection) CurrentSection->StartFontRun(PropertyStack.TopToRead());
}

TAppendMode THtmlBuilder::AppendMode() {
  return {PropertyStack.ReadTop().IntOf(Prop::TextTransform).value_or(kTransformNone), KeepTogether};
}

TBlock* THtmlBuilder::AddBlock(std::unique_ptr<TBlock> block) {
  EnsureCell();
  TBlock* raw = block.get();
  CurrentCell->AddItem(std::move(block));
  return raw;
}

TBlock* THtmlBuilder::EnterBlock(TAttributeList* attributes) {
  EnsureCell();
  TBlock* block = AddBlock(
      std::make_unique<TBlock>(&TargetDocument, CurrentCell, PropertyStack.TopToRead(), attributes));
  CurrentCell = &block->Cell;
  return block;
}

void THtmlBuilder::LeaveBlock(TBlock* block) { CurrentCell = block->ParentCell; }

TParseResult ParseDocument(const AnsiString& text, TSectionList& document,
                           const TLinkHandler& linkHandler, const TMetaHandler& metaHandler,
                           const TBuilderView& view, const TSoundHandler& soundHandler,
                           const TIncludeHandler& includeHandler) {
  THtmlBuilder builder(document, view);
  builder.RunDocument(text, linkHandler, metaHandler, soundHandler, includeHandler);
  return builder.TakeResult();
}

TParseResult ParsePlainText(const AnsiString& text, TSectionList& document,
                            const TBuilderView& view) {
  THtmlBuilder builder(document, view);
  builder.RunPlainText(text);
  return builder.TakeResult();
}

}  // namespace folverin
