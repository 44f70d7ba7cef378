// TABLE with its rows, cells, caption and column definitions.
#include <algorithm>
#include <utility>

#include "htmlengine/colour_names.h"
#include "htmlengine/html_builder.h"
#include "htmlengine/html_engine_error.h"

namespace folverin {

using S = THtmlSymbol;

namespace {

// Column definitions beyond what any table can lay out are not kept.
constexpr size_t kMaxColumnDefinitions = 1000;

void TakeTableAttributes(ThtmlTable& table, const TAttributeList& attributes) {
  if (const TAttribute* border = attributes.Lookup(THtmlAttribute::Border))
    table.BorderWidth = std::clamp(border->Numeric, 0, 100);
  if (const TAttribute* padding = attributes.Lookup(THtmlAttribute::CellPadding);
      padding && padding->Numeric >= 0)
    table.CellPadding = std::min(padding->Numeric, 50);
  if (const TAttribute* spacing = attributes.Lookup(THtmlAttribute::CellSpacing);
      spacing && spacing->Numeric >= 0)
    table.CellSpacing = std::min(spacing->Numeric, 40);
}

}  // namespace

void THtmlBuilder::ParseTable() {
  if (++TableDepth > kMaxTableDepth || TooDeep()) {
    // Too deep: the tag is dropped and its content read as if it were absent.
    --TableDepth;
    return Next();
  }
  TNestingGuard guard(*this);
  CloseLink();
  CloseSection();
  TCellBasic* outer = CurrentCell ? CurrentCell : BodyBlock->Cell.get();
  const int savedListDepth = ListDepth;
  const bool savedKeepTogether = KeepTogether;
  const int stackBefore = PropertyStack.Count();
  TTableState outerTable = std::exchange(Tab, TTableState{});
  CurrentCell = nullptr;

  TAttributeList& attributes = Context.TagAttributes;
  PushTag("table");
  Tab.TableSetCount = PropertyStack.Count();
  auto tableBlock = std::make_unique<TTableBlock>(&TargetDocument, outer, PropertyStack.Top(),
                                                  &attributes);
  auto captionHolder = std::make_unique<TTableAndCaptionBlock>(&TargetDocument, outer,
                                                               PropertyStack.Top(), nullptr);
  auto table = std::make_unique<ThtmlTable>(&TargetDocument);
  TakeTableAttributes(*table, attributes);
  Tab.Table = table.get();
  try {
    Next();
    ParseTableContent(outer);
  } catch (...) {
    // What was read of the table stays in the document.
    FinishTable(outer, std::move(tableBlock), std::move(table), std::move(captionHolder));
    PropertyStack.PopTo(stackBefore);
    Tab = std::move(outerTable);
    throw;
  }
  FinishTable(outer, std::move(tableBlock), std::move(table), std::move(captionHolder));
  PropertyStack.PopTo(stackBefore);
  Tab = std::move(outerTable);
  ListDepth = savedListDepth;
  KeepTogether = savedKeepTogether;
  --TableDepth;
  Next();
}

void THtmlBuilder::ParseTableContent(TCellBasic* outer) {
  for (;;) {
    const S symbol = Sym();
    if (symbol == S::TableEnd || symbol == S::CaptionEnd || symbol == S::EndOfDocument) return;
    switch (symbol) {
      case S::TD: case S::TH: StartCell(symbol == S::TH); break;
      case S::TDEnd: case S::THEnd: EndCell(); Next(); break;
      case S::TR: case S::TREnd:
        CloseLink();
        EndCell();
        AddOpenRow();
        PropertyStack.PopTo(Tab.TableSetCount);
        if (symbol == S::TR) StartRow(true);
        Next();
        break;
      case S::Caption: ParseCaption(); break;
      case S::Col: case S::ColGroup: ParseColumns(); Next(); break;
      default:
        // Content outside any cell lands before the table.
        CurrentCell = outer;
        ParseBody(TableTerminators());
        CloseSection();
        CurrentCell = nullptr;
    }
  }
}

void THtmlBuilder::FinishTable(TCellBasic* outer, std::unique_ptr<TTableBlock> tableBlock,
                               std::unique_ptr<ThtmlTable> table,
                               std::unique_ptr<TTableAndCaptionBlock> captionHolder) {
  CloseLink();
  EndCell();
  AddOpenRow();
  CurrentSection.reset();
  tableBlock->Cell->AddItem(std::move(table));
  if (Tab.Caption) {
    TBlockCell& cell = *captionHolder->Cell;
    captionHolder->TopCaption = !Tab.CaptionBottom;
    if (captionHolder->TopCaption) {
      cell.AddItem(std::move(Tab.Caption));
      cell.AddItem(std::move(tableBlock));
    } else {
      cell.AddItem(std::move(tableBlock));
      cell.AddItem(std::move(Tab.Caption));
    }
    outer->AddItem(std::move(captionHolder));
  } else {
    outer->AddItem(std::move(tableBlock));
  }
  CurrentCell = outer;
}

void THtmlBuilder::StartRow(bool withAttributes) {
  Tab.Row = std::make_unique<TCellList>();
  if (withAttributes) PushTag("tr", AlignAdjustment());
  else PushPlain("tr");
  Tab.RowSetCount = PropertyStack.Count();
}

void THtmlBuilder::AddOpenRow() {
  if (Tab.Row && Tab.Table) Tab.Table->AddRow(std::move(Tab.Row));
  Tab.Row.reset();
}

void THtmlBuilder::EndCell() {
  if (CurrentCell) {
    CloseSection();
    if (Tab.CellObject && CurrentCell == Tab.CellObject->Cell.get()) {
      if (!Tab.Row) Tab.Row = std::make_unique<TCellList>();
      Tab.Row->Add(std::move(Tab.CellObject));
    }
  }
  CurrentSection.reset();
  CurrentCell = nullptr;
}

void THtmlBuilder::StartCell(bool header) {
  CloseLink();
  ListDepth = 0;
  if (Tab.Row) {
    EndCell();
    PropertyStack.PopTo(Tab.RowSetCount);
  } else {
    EndCell();
    StartRow(false);
  }
  TAttributeList& attributes = Context.TagAttributes;
  AnsiString align = AttributeValue(attributes, THtmlAttribute::Align);
  const size_t column = Tab.Row->Cells.size();
  if (align.empty() && column < Tab.ColumnAligns.size()) align = Tab.ColumnAligns[column];
  TPropAdjustment alignment = AlignAdjustment(align);
  PushTag(header ? "th" : "td", [alignment, header](TProperties& set) {
    if (alignment) alignment(set);
    const AnsiString* textAlign = set.TextOf(Prop::TextAlign);
    if (!textAlign || textAlign->empty() || *textAlign == "none")
      set.SetText(Prop::TextAlign, header ? "center" : "left");
  });
  Tab.CellObject = std::make_unique<TCellObj>(&TargetDocument);
  TCellObj& cell = *Tab.CellObject;
  if (const TAttribute* span = attributes.Lookup(THtmlAttribute::ColSpan))
    cell.ColSpan = std::clamp(span->Numeric, 1, kMaxTableColumns);
  if (const TAttribute* span = attributes.Lookup(THtmlAttribute::RowSpan))
    cell.RowSpan = std::max(span->Numeric, 1);
  const TAttribute* width = attributes.Lookup(THtmlAttribute::Width);
  if (width) {
    cell.RequestedWidth = std::max(width->Numeric, 0);
    cell.RequestedWidthPercent = width->Value.find('%') != AnsiString::npos;
  }
  cell.NoWrap = HasAttribute(attributes, THtmlAttribute::NoWrap);
  TColour colour = 0;
  if (ColourFromString(AttributeValue(attributes, THtmlAttribute::BgColor), false, colour))
    cell.BkColor = colour;
  CurrentCell = cell.Cell.get();
  CurrentCell->CellTag = PropertyStack.Top().Tag;
  KeepTogether = cell.NoWrap && (!width || cell.RequestedWidthPercent);
  Context.SkipBlanks();
  Next();
  ParseBody(TableTerminators());
}

void THtmlBuilder::ParseCaption() {
  CloseLink();
  EndCell();
  TAttributeList& attributes = Context.TagAttributes;
  const bool bottom = SameText(Trim(AttributeValue(attributes, THtmlAttribute::Align)), "bottom");
  const int before = PropertyStack.Count();
  PushTag("caption");
  if (!Tab.Caption) {
    Tab.Caption = std::make_unique<TBlock>(&TargetDocument, nullptr, PropertyStack.Top(),
                                           &attributes);
    Tab.CaptionBottom = bottom;
  }
  CurrentCell = Tab.Caption->Cell.get();
  Next();
  ParseBody(TableTerminators());
  CloseSection();
  PropertyStack.PopTo(before);
  CurrentCell = nullptr;
  if (Sym() == S::CaptionEnd) Next();
}

void THtmlBuilder::ParseColumns() {
  const TAttributeList& attributes = Context.TagAttributes;
  int span = 1;
  if (const TAttribute* spanAttribute = attributes.Lookup(THtmlAttribute::Span))
    span = std::clamp(spanAttribute->Numeric, 1, 100);
  const AnsiString align = AttributeValue(attributes, THtmlAttribute::Align);
  for (int i = 0; i < span && Tab.ColumnAligns.size() < kMaxColumnDefinitions; ++i)
    Tab.ColumnAligns.push_back(align);
}

}  // namespace folverin
