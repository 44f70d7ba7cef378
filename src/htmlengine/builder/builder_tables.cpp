// TABLE with its rows, cells, caption and column definitions.
#include <algorithm>
#include <utility>

#include "htmlengine/builder/html_builder.h"
#include "htmlengine/style/colour_names.h"
#include "htmlengine/style/lengths.h"
#include "htmlengine/style/property_derived_values.h"
#include "htmlengine/support/html_engine_error.h"

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
  TColour colour = 0;
  if (ColourFromString(AttributeValue(attributes, THtmlAttribute::BorderColor), false, colour))
    table.BorderColorLight = table.BorderColorDark = colour;
  if (ColourFromString(AttributeValue(attributes, THtmlAttribute::BorderColorLight), false, colour))
    table.BorderColorLight = colour;
  if (ColourFromString(AttributeValue(attributes, THtmlAttribute::BorderColorDark), false, colour))
    table.BorderColorDark = colour;
}

// VALIGN words; other words leave the code as it was.
uint8_t VAlignCode(const AnsiString& text, uint8_t current) {
  const AnsiString word = LowerCase(Trim(text));
  if (word == "top" || word == "baseline") return kVAlignTop;
  if (word == "middle") return kVAlignMiddle;
  if (word == "bottom") return kVAlignBottom;
  return current;
}

std::shared_ptr<TImageObj> BackgroundOf(const TAttributeList& attributes) {
  const AnsiString picture = AttributeValue(attributes, THtmlAttribute::Background);
  if (picture.empty()) return nullptr;
  auto image = std::make_shared<TImageObj>();
  image->Source = picture;
  return image;
}

bool SlotIsSet(const TProperties& set, int slot) {
  if (std::optional<int32_t> value = set.IntOf(slot)) return *value != IntNull;
  return set.TextOf(slot) != nullptr;
}

// What the cell's style says about its width, height, background,
// vertical alignment, padding and border.
void TakeCellStyle(TCellObj& cell, const TProperties& set) {
  TBoxContext context;
  context.EmSize = set.EmSize;
  context.ExSize = set.ExSize;
  const TBoxMeasures box = BoxMeasuresOf(set, context);
  if (const AnsiString* width = set.TextOf(Prop::Width); width && width->ends_with('%')) {
    const double percent = SplitNumberAndUnit(*width).Value;
    if (percent > 0 && percent < 100) {
      cell.SpecifiedWidth = RoundToInt(percent * 10);
      cell.WidthIsPercent = true;
    }
  } else if (box.Width != Auto && box.Width >= 0) {
    cell.SpecifiedWidth = std::min(box.Width, kMaxTablePixels);
    cell.WidthIsPercent = false;
  }
  if (box.Height > 0) cell.SpecifiedHeight = std::min(box.Height, kMaxTablePixels);
  if (TColour colour = OwnBackgroundColour(set); colour != NoColour) {
    cell.Cell.BkColor = colour;
    cell.Cell.BkGnd = true;
  }
  if (const AnsiString* align = set.TextOf(Prop::VerticalAlign);
      align && (*align == "top" || *align == "middle" || *align == "bottom"))
    cell.VAlign = VAlignCode(*align, cell.VAlign);
  for (int side = 0; side < 4; ++side) {
    if (SlotIsSet(set, Prop::PaddingTop + side)) cell.Padding[side] = std::max(0, box.Padding[side]);
    cell.Border[side] = std::max(0, box.BorderWidth[side]);
  }
}

}  // namespace

const TColObj* THtmlBuilder::ColumnOfNewCell() const {
  if (!Tab.CellManager || !Tab.Table || !Tab.Table->ColumnDefs) return nullptr;
  const int column = Tab.CellManager->ColumnOf(static_cast<int>(Tab.Table->Rows().size()));
  const std::vector<TColObj>& defs = *Tab.Table->ColumnDefs;
  return column >= 0 && column < static_cast<int>(defs.size()) ? &defs[column] : nullptr;
}

void THtmlBuilder::TakeCellAttributes(TCellObj& cell, TAttributeList& attributes,
                                      const TColObj* column) {
  if (const TAttribute* span = attributes.Lookup(THtmlAttribute::ColSpan); span && span->Numeric > 1)
    cell.ColSpan = span->Numeric;
  if (const TAttribute* span = attributes.Lookup(THtmlAttribute::RowSpan); span && span->Numeric > 1)
    cell.RowSpan = span->Numeric;
  if (const TAttribute* width = attributes.Lookup(THtmlAttribute::Width)) {
    if (width->Value.find('%') == AnsiString::npos) {
      if (width->Numeric > 0) cell.SpecifiedWidth = std::min(width->Numeric, kMaxTablePixels);
    } else if (width->Numeric >= 1 && width->Numeric <= 100) {
      cell.SpecifiedWidth = width->Numeric * 10;
      cell.WidthIsPercent = true;
    }
  }
  if (const TAttribute* height = attributes.Lookup(THtmlAttribute::Height))
    cell.SpecifiedHeight = std::clamp(height->Numeric, 0, kMaxTablePixels);
  cell.NoWrap = HasAttribute(attributes, THtmlAttribute::NoWrap);
  TColour colour = 0;
  if (ColourFromString(AttributeValue(attributes, THtmlAttribute::BgColor), false, colour)) {
    cell.Cell.BkColor = colour;
    cell.Cell.BkGnd = true;
  }
  cell.BackgroundImage = BackgroundOf(attributes);
  cell.VAlign = Tab.Row ? Tab.Row->VAlign : kVAlignMiddle;
  cell.VAlign = VAlignCode(AttributeValue(attributes, THtmlAttribute::VAlign), cell.VAlign);
  if (column && column->VAlign != 0) cell.VAlign = column->VAlign;
  TakeCellStyle(cell, PropertyStack.ReadTop());
}

void THtmlBuilder::ParseTable() {
  if (++TableDepth > kMaxTableDepth || TooDeep()) {
    // Too deep: the tag is dropped and its content read as if it were absent.
    --TableDepth;
    return Next();
  }
  const auto nesting = EnterNesting();
  CloseLink();
  CloseSection();
  TCellBasic* outer = CurrentCell ? CurrentCell : &BodyBlock->Cell;
  const int savedListDepth = ListDepth;
  const bool savedKeepTogether = KeepTogether;
  const int stackBefore = PropertyStack.Count();
  TTableState outerTable = std::exchange(Tab, TTableState{});
  CurrentCell = nullptr;

  TAttributeList& attributes = Context.TagAttributes;
  // ALIGN aside, a table is placed as the text around it is aligned.
  const int surroundingAlign = TextAlignCode(PropertyStack.ReadTop());
  PushTag("table");
  Tab.TableSetCount = PropertyStack.Count();
  auto tableBlock = std::make_unique<TTableBlock>(&TargetDocument, outer, PropertyStack.TopToRead(),
                                                  &attributes);
  auto captionHolder = std::make_unique<TTableAndCaptionBlock>(&TargetDocument, outer,
                                                               PropertyStack.TopToRead(), nullptr);
  tableBlock->SurroundingAlign = surroundingAlign;
  // A share of the window's height only means something for an outer table.
  if (TableDepth > 1 && tableBlock->HeightAttrIsPercent) tableBlock->HeightAttr = 0;
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
  tableBlock->Cell.AddItem(std::move(table));
  if (Tab.Caption) {
    TBlockCell& cell = captionHolder->Cell;
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
  if (!withAttributes) {
    PushPlain("tr");
    Tab.RowSetCount = PropertyStack.Count();
    return;
  }
  const TAttributeList& attributes = Context.TagAttributes;
  TCellList& row = *Tab.Row;
  TColour colour = 0;
  if (ColourFromString(AttributeValue(attributes, THtmlAttribute::BgColor), false, colour))
    row.BkColor = colour;
  row.BackgroundImage = BackgroundOf(attributes);
  row.VAlign = VAlignCode(AttributeValue(attributes, THtmlAttribute::VAlign), row.VAlign);
  PushTag("tr", AlignAdjustment());
  if (TColour own = OwnBackgroundColour(PropertyStack.ReadTop()); own != NoColour) row.BkColor = own;
  Tab.RowSetCount = PropertyStack.Count();
}

void THtmlBuilder::AddOpenRow() {
  if (Tab.Row && Tab.Table) Tab.Table->AddRow(std::move(Tab.Row));
  Tab.Row.reset();
}

void THtmlBuilder::EndCell() {
  if (CurrentCell) {
    CloseSection();
    if (Tab.CellObject && CurrentCell == &Tab.CellObject->Cell) {
      if (!Tab.Row) Tab.Row = std::make_unique<TCellList>();
      if (Tab.CellManager) {
        TCellObj& cell = *Tab.CellObject;
        const int row = static_cast<int>(Tab.Table->Rows().size());
        cell.ColSpan = std::max(1, Tab.CellManager->Mark(row, cell.RowSpan, cell.ColSpan));
      }
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
  const TColObj* column = ColumnOfNewCell();
  AnsiString align = AttributeValue(attributes, THtmlAttribute::Align);
  if (align.empty() && column) align = column->Align;
  TPropAdjustment alignment = AlignAdjustment(align);
  // Above the keys of the alignments, a bit for heads.
  const uint32_t key = alignment.Key + (header ? 0x200 : 0x100);
  auto adjust = [alignment, header](TProperties& set) {
    if (alignment) alignment(set);
    const AnsiString* textAlign = set.TextOf(Prop::TextAlign);
    if (!textAlign || textAlign->empty() || *textAlign == "none")
      set.SetText(Prop::TextAlign, header ? "center" : "left");
  };
  PushTag(header ? "th" : "td", {std::move(adjust), key});
  Tab.CellObject = std::make_unique<TCellObj>(&TargetDocument);
  TCellObj& cell = *Tab.CellObject;
  TakeCellAttributes(cell, attributes, column);
  CurrentCell = &cell.Cell;
  CurrentCell->CellTag = PropertyStack.ReadTop().Tag;
  const TAttribute* width = attributes.Lookup(THtmlAttribute::Width);
  KeepTogether = cell.NoWrap && (!width || width->Value.find('%') != AnsiString::npos);
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
    Tab.Caption = std::make_unique<TBlock>(&TargetDocument, nullptr, PropertyStack.TopToRead(),
                                           &attributes);
    Tab.CaptionBottom = bottom;
  }
  CurrentCell = &Tab.Caption->Cell;
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
  TColObj column;
  if (const TAttribute* width = attributes.Lookup(THtmlAttribute::Width)) {
    column.WidthIsPercent = width->Value.find('%') != AnsiString::npos;
    if (!column.WidthIsPercent && width->Numeric > 0)
      column.Width = std::min(width->Numeric, kMaxTablePixels);
    else if (column.WidthIsPercent && width->Numeric >= 1 && width->Numeric <= 100)
      column.Width = width->Numeric * 10;
  }
  column.Align = AttributeValue(attributes, THtmlAttribute::Align);
  column.VAlign = VAlignCode(AttributeValue(attributes, THtmlAttribute::VAlign), 0);
  if (!Tab.Table->ColumnDefs) Tab.Table->ColumnDefs = std::make_unique<std::vector<TColObj>>();
  std::vector<TColObj>& defs = *Tab.Table->ColumnDefs;
  for (int i = 0; i < span && defs.size() < kMaxColumnDefinitions; ++i) defs.push_back(column);
  if (!Tab.CellManager) Tab.CellManager = std::make_unique<TCellManager>(0);
  Tab.CellManager->SetColumns(static_cast<int>(defs.size()));
}

}  // namespace folverin
