#include "htmlengine/document/block.h"

#include <algorithm>

#include "htmlengine/document/floating_obj.h"
#include "htmlengine/document/section_list.h"
#include "htmlengine/document/selected_text.h"
#include "htmlengine/style/lengths.h"
#include "htmlengine/style/property_derived_values.h"
#include "htmlengine/tokenizer/html_attributes.h"

namespace folverin {

namespace {

// Built in place: joining with operator+ makes a temporary for each part.
AnsiString TagDotClass(const TProperties& properties) {
  AnsiString text;
  text.reserve(properties.Tag.size() + 1 + properties.Class.size());
  text.append(properties.Tag).append(1, '.').append(properties.Class);
  return text;
}

}  // namespace

TBlock::TBlock(TSectionList* document, TCellBasic* parentCell, TProperties& properties,
               TAttributeList* attributes)
    : TSectionBase(document),
      Cell(document),
      ParentCell(parentCell),
      TagAndClass(TagDotClass(properties)),
      NotDisplayed(IsDisplayNone(properties)),
      FloatSide(FloatCode(properties).value_or(0)),
      ClearMode(ClearCode(properties).value_or(0)),
      PositionMode(PositionCode(properties)),
      VisibilityMode(properties.IntOf(Prop::Visibility).value_or(0)),
      TitleText(properties.Title) {
  Cell.CellTag = properties.Tag;
  TBoxContext context;
  context.EmSize = properties.EmSize;
  context.ExSize = properties.ExSize;
  Box = BoxMeasuresOf(properties, context);
  if (AnsiString picture = BackgroundImageAddress(properties); !picture.empty()) {
    BackgroundImage = std::make_unique<TImageObj>();
    BackgroundImage->Source = std::move(picture);
  }
  if (const AnsiString* width = properties.TextOf(Prop::Width); width && width->ends_with('%'))
    WidthPercent = std::clamp(RoundToInt(SplitNumberAndUnit(*width).Value * 10), 0, 1000);
  if (attributes && !attributes->GetID().empty()) document->IDNames.AddObject(attributes->GetID(), this);
}

TBlock::~TBlock() = default;

void TBlock::DetachChildren(TItemList& out) { Cell.MoveItemsTo(out); }

bool TBlock::CollectSelectedText(TSelTextCount&, int, int) { return !NotDisplayed; }

void TBlock::EndSelectedText(TSelTextCount& collector, int selEnd) {
  if (TagAndClass.starts_with("p.") && Cell.TextStart + Cell.TextLength < selEnd)
    collector.Put(u"\r\n", 2);
}

}  // namespace folverin
