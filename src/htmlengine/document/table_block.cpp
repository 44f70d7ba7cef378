// The box around a table: what the TABLE tag and its style say about the
// box's alignment, size, spacing and background.
#include <algorithm>
#include <cstdlib>

#include "htmlengine/document/block.h"
#include "htmlengine/document/html_table.h"
#include "htmlengine/style/colour_names.h"
#include "htmlengine/style/property_derived_values.h"
#include "htmlengine/tokenizer/html_attributes.h"

namespace folverin {

namespace {

bool SlotIsSet(const TProperties& properties, int slot) {
  if (std::optional<int32_t> value = properties.IntOf(slot)) return *value != IntNull;
  return properties.TextOf(slot) != nullptr;
}

const AnsiString* ValueOf(const TAttributeList& attributes, THtmlAttribute symbol) {
  const TAttribute* attribute = attributes.Lookup(symbol);
  return attribute ? &attribute->Value : nullptr;
}

// A pixel size, or tenths of a percent when written with '%' and its number
// lies in 1..maxPercent; false when the attribute gives neither.
bool SizeOf(const TAttribute* attribute, int maxPercent, int& size, bool& percent) {
  if (!attribute) return false;
  percent = attribute->Value.find('%') != AnsiString::npos;
  if (percent) {
    if (attribute->Numeric < 1 || attribute->Numeric > maxPercent) return false;
    size = attribute->Numeric * 10;
    return true;
  }
  if (attribute->Numeric <= 0) return false;
  size = std::min(attribute->Numeric, kMaxTablePixels);
  return true;
}

}  // namespace

TTableBlock::TTableBlock(TSectionList* document, TCellBasic* parentCell, TProperties& properties,
                         TAttributeList* attributes)
    : TBlock(document, parentCell, properties, attributes) {
  for (int side = 0; side < 4; ++side) StyleHasMargin[side] = SlotIsSet(properties, Prop::MarginTop + side);
  if (attributes) TakeAttributes(properties, *attributes);
  if (WidthPercent > 0) {
    WidthAttr = std::min(WidthPercent, 1000);
    WidthAttrIsPercent = true;
  } else if (Box.Width != Auto && Box.Width > 0) {
    WidthAttr = std::max(0, std::min(Box.Width, kMaxTablePixels) - HorizontalBordersAndPaddings());
    WidthAttrIsPercent = false;
  }
}

void TTableBlock::TakeAttributes(TProperties& properties, const TAttributeList& attributes) {
  const AnsiString* align = ValueOf(attributes, THtmlAttribute::Align);
  const AnsiString alignText = align ? LowerCase(Trim(*align)) : AnsiString();
  const bool styleFloats = FloatSide == kAlignLeftFloat || FloatSide == kAlignRightFloat;
  if (alignText == "center") Centred = true;
  else if (alignText == "left" && !styleFloats) FloatSide = kAlignLeftFloat;
  else if (alignText == "right" && !styleFloats) FloatSide = kAlignRightFloat;

  SizeOf(attributes.Lookup(THtmlAttribute::Width), 100, WidthAttr, WidthAttrIsPercent);
  SizeOf(attributes.Lookup(THtmlAttribute::Height), 110, HeightAttr, HeightAttrIsPercent);

  if (FloatSide == kAlignLeftFloat || FloatSide == kAlignRightFloat) {
    if (const TAttribute* hspace = attributes.Lookup(THtmlAttribute::HSpace)) {
      const int margin = static_cast<int>(std::min<int64_t>(40, std::llabs(hspace->Numeric)));
      if (!StyleHasMargin[1]) Box.Margin[1] = margin;
      if (!StyleHasMargin[3]) Box.Margin[3] = margin;
    }
    if (const TAttribute* vspace = attributes.Lookup(THtmlAttribute::VSpace)) {
      const int margin = static_cast<int>(std::min<int64_t>(200, std::llabs(vspace->Numeric)));
      if (!StyleHasMargin[0]) Box.Margin[0] = margin;
      if (!StyleHasMargin[2]) Box.Margin[2] = margin;
    }
  }

  TColour colour = 0;
  if (const AnsiString* bgcolor = ValueOf(attributes, THtmlAttribute::BgColor);
      bgcolor && OwnBackgroundColour(properties) == NoColour && ColourFromString(*bgcolor, false, colour))
    Box.BackgroundColour = colour;
  if (const AnsiString* picture = ValueOf(attributes, THtmlAttribute::Background);
      picture && !picture->empty() && !BackgroundImage) {
    BackgroundImage = std::make_unique<TImageObj>();
    BackgroundImage->Source = *picture;
  }
}

ThtmlTable* TTableBlock::Table() const {
  for (int i = 0; i < Cell.Count(); ++i)
    if (auto* table = dynamic_cast<ThtmlTable*>(Cell.Item(i))) return table;
  return nullptr;
}

}  // namespace folverin
