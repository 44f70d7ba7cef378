// Form controls: INPUT, SELECT with its options, TEXTAREA.
#include "common/code_page.h"
#include "common/windows1252.h"
#include "htmlengine/builder/html_builder.h"

namespace folverin {

using S = THtmlSymbol;

namespace {

TFormControlKind InputKind(const AnsiString& type) {
  static constexpr std::pair<std::string_view, TFormControlKind> kKinds[] = {
      {"hidden", TFormControlKind::Hidden},     {"password", TFormControlKind::Password},
      {"button", TFormControlKind::Button},     {"submit", TFormControlKind::Submit},
      {"reset", TFormControlKind::Reset},       {"radio", TFormControlKind::Radio},
      {"checkbox", TFormControlKind::CheckBox}, {"file", TFormControlKind::File},
      {"image", TFormControlKind::Submit}};
  for (const auto& [name, kind] : kKinds)
    if (SameText(type, name)) return kind;
  return TFormControlKind::Edit;
}

bool IsSelectStop(S symbol) {
  return symbol == S::P || symbol == S::SelectEnd || symbol == S::Input ||
         symbol == S::EndOfDocument || Contains(TableTerminators(), symbol);
}

bool IsTextAreaNameChar(char c) { return c != ' ' && c != '\r' && c != '>' && c != kEndMarker; }

}  // namespace

bool THtmlBuilder::ParseControl() {
  const S symbol = Sym();
  TAttributeList& attributes = Context.TagAttributes;
  const std::string_view tag = symbol == S::Input ? "input" : symbol == S::Select ? "select" : "textarea";
  const bool pushed = PushTag(tag);
  std::unique_ptr<TFormControlObj> control;
  TSelectControl* select = nullptr;
  TTextAreaControl* textArea = nullptr;
  if (symbol == S::Select) {
    auto made = std::make_unique<TSelectControl>(TFormControlKind::Combo);
    made->Multiple = HasAttribute(attributes, THtmlAttribute::Multiple);
    if (const TAttribute* size = attributes.Lookup(THtmlAttribute::Size))
      made->ListSize = std::max(size->Numeric, 0);
    if (made->Multiple || made->ListSize > 1) made->Kind = TFormControlKind::ListBox;
    select = made.get();
    control = std::move(made);
  } else if (symbol == S::TextArea) {
    auto made = std::make_unique<TTextAreaControl>(TFormControlKind::TextArea);
    if (const TAttribute* rows = attributes.Lookup(THtmlAttribute::Rows)) made->Rows = rows->Numeric;
    if (const TAttribute* cols = attributes.Lookup(THtmlAttribute::Cols)) made->Cols = cols->Numeric;
    textArea = made.get();
    control = std::move(made);
  } else {
    control = std::make_unique<TFormControlObj>(
        InputKind(Trim(AttributeValue(attributes, THtmlAttribute::Type))));
  }
  control->Name = AttributeValue(attributes, THtmlAttribute::Name);
  control->Value = AttributeValue(attributes, THtmlAttribute::Value);
  TFormControlObj* placed =
      CurrentSection->InsertControl(std::move(control), Context.TagPosition, AppendMode());
  if (placed && OpenForm) OpenForm->Controls.push_back(placed);
  bool readNext = true;
  if (select) {
    ParseSelect(*select);
    // A SELECT left open ends at the next block or cell, which is not skipped.
    readNext = Sym() == S::SelectEnd;
  } else if (textArea) {
    ParseTextArea(*textArea);
  }
  if (pushed) PropertyStack.PopProperties(tag);
  return readNext;
}

void THtmlBuilder::AddOption(TSelectControl& control, TSelectOption option) {
  option.Text = Trim(option.Text);
  control.Options.push_back(std::move(option));
}

void THtmlBuilder::ParseSelect(TSelectControl& control) {
  const bool savedKeepTogether = KeepTogether;
  KeepTogether = false;
  Next();
  std::optional<TSelectOption> pending;
  while (!IsSelectStop(Sym())) {
    if (Sym() == S::Text && pending) {
      pending->Text += Utf16ToAnsi(Context.TextToken.Chars());
    } else if (Sym() == S::Option || Sym() == S::OptionEnd) {
      if (pending) AddOption(control, std::move(*pending));
      pending.reset();
      if (Sym() == S::Option) {
        TAttributeList& attributes = Context.TagAttributes;
        pending = TSelectOption{"", AttributeValue(attributes, THtmlAttribute::Value),
                                HasAttribute(attributes, THtmlAttribute::Selected)};
      }
    }
    Next();
  }
  if (pending) AddOption(control, std::move(*pending));
  KeepTogether = savedKeepTogether;
}

void THtmlBuilder::ParseTextArea(TTextAreaControl& control) {
  // The content is raw text up to the end tag; nothing of it is markup.
  AnsiString line;
  for (;;) {
    const char c = Context.CurrentChar;
    if (c == kEndMarker) break;
    if (c == '\r') {
      control.Lines.push_back(std::move(line));
      line.clear();
      Context.ReadChar();
    } else if (c == '&') {
      TCharCollection pending;
      TokenObj token;
      Context.ScanTextEntity(pending, token);
      Context.FlushBytes(pending, token);
      // The rest of the content stays in the document's code page; so do
      // the characters the references stand for.
      line += WideToMultiByte(Context.CodePage(), token.Chars());
    } else if (c == '<') {
      AnsiString tag(1, c);
      Context.ReadChar();
      while (IsTextAreaNameChar(Context.CurrentChar) && tag.size() < 16) {
        tag += Context.CurrentChar;
        Context.ReadChar();
      }
      if (SameText(tag, "</textarea")) {
        while (Context.CurrentChar != '>' && Context.CurrentChar != kEndMarker) Context.ReadChar();
        if (Context.CurrentChar == '>') Context.ReadCharSkippingComments();
        break;
      }
      line += tag;
    } else {
      line += c;
      Context.ReadChar();
    }
  }
  if (!line.empty()) control.Lines.push_back(std::move(line));
}

}  // namespace folverin
