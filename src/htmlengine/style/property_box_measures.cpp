// Box measures and the background position: the derived values that need
// lengths converted to pixels.
#include "htmlengine/style/property_derived_values.h"

namespace folverin {

namespace {

TBackgroundAxis AxisOf(std::string_view word) {
  if (word == "top") return {bpTop, 0};
  if (word == "center") return {bpCenter, 0};
  if (word == "bottom") return {bpBottom, 0};
  if (word == "left") return {bpLeft, 0};
  if (word == "right") return {bpRight, 0};
  TBackgroundPositionKind kind = word.find('%') != std::string_view::npos ? bpPercent : bpLength;
  return {kind, LengthToPixels(word, false, 100, 0, 0, 0)};
}

bool IsVerticalWord(std::string_view word) { return word == "top" || word == "bottom"; }
bool IsHorizontalWord(std::string_view word) { return word == "left" || word == "right"; }

// A measure given as CSS text, in pixels.
int MeasureOfText(const AnsiString& text, double percentBase, int whenUnreadable, bool autoAllowed,
                  const TBoxContext& context) {
  if (autoAllowed && text == "auto") return Auto;
  return LengthToPixels(text, false, percentBase, whenUnreadable, context.ExSize, context.EmSize,
                        context.PixelsPerInch);
}

// A measure slot in pixels. Slots hold pixels as integers (with the special
// values) or CSS text; specials other than IntNull are returned as they are.
// Nearly every slot of every block holds an integer, so that case is decided
// here and only text goes on to be converted.
inline int MeasureOf(const TProperties& set, int slot, double percentBase, int whenMissing,
                     int whenUnreadable, bool autoAllowed, const TBoxContext& context) {
  const TPropValue& value = set.Props[slot];
  if (const int32_t* pixels = std::get_if<int32_t>(&value))
    return *pixels == IntNull ? whenMissing : *pixels;
  if (const TPropText* text = std::get_if<TPropText>(&value))
    return MeasureOfText(text->Get(), percentBase, whenUnreadable, autoAllowed, context);
  return whenMissing;
}

// thin, medium and thick, or a length; no width where the side has no style.
int BorderWidthOf(const TProperties& set, const AnsiString* style, int side,
                  const TBoxContext& context) {
  if (!style || *style == "none") return 0;
  const AnsiString* text = set.TextOf(Prop::BorderTopWidth + side);
  if (text && *text == "thin") return 2;
  if (text && *text == "thick") return 6;
  if (text && *text == "medium") return 4;
  return MeasureOf(set, Prop::BorderTopWidth + side, context.ContainingWidth, 4, 4, false, context);
}

}  // namespace

TBackgroundPosition BackgroundPositionOf(const TProperties& set) {
  TBackgroundPosition position;
  const AnsiString* value = set.TextOf(Prop::BackgroundPosition);
  AnsiString text = value ? Trim(*value) : AnsiString();
  if (text.empty()) return position;  // left top
  size_t blank = text.find(' ');
  std::string_view first = std::string_view(text).substr(0, blank);
  AnsiString secondWord = blank == AnsiString::npos ? AnsiString() : Trim(text.substr(blank + 1));
  position.Horizontal = position.Vertical = {bpCenter, 0};
  bool firstIsVertical = IsVerticalWord(first);
  (firstIsVertical ? position.Vertical : position.Horizontal) = AxisOf(first);
  if (secondWord.empty()) return position;
  if (IsVerticalWord(secondWord)) {
    position.Vertical = AxisOf(secondWord);
  } else if (IsHorizontalWord(secondWord)) {
    if (!firstIsVertical) position.Vertical = position.Horizontal;
    position.Horizontal = AxisOf(secondWord);
  } else {
    (firstIsVertical ? position.Horizontal : position.Vertical) = AxisOf(secondWord);
  }
  return position;
}

TBoxMeasures BoxMeasuresOf(const TProperties& set, const TBoxContext& context) {
  TBoxMeasures box;
  const double width = context.ContainingWidth;
  for (int side = 0; side < 4; ++side) {
    bool horizontal = side == 1 || side == 3;
    int margin = MeasureOf(set, Prop::MarginTop + side, width, 0, 0, horizontal, context);
    if (!horizontal && margin == AutoParagraph) {
      margin = kParagraphSpace;
      (side == 0 ? box.TopParagraphSpace : box.BottomParagraphSpace) = true;
    }
    box.Margin[side] = margin;
    box.Padding[side] = MeasureOf(set, Prop::PaddingTop + side, width, 0, 0, false, context);
    const AnsiString* style = set.TextOf(Prop::BorderTopStyle + side);
    box.BorderWidth[side] = BorderWidthOf(set, style, side, context);
    box.BorderStyleCodes[side] = style ? BorderStyleCode(*style) : 0;
    std::optional<int32_t> colour = set.IntOf(Prop::BorderTopColor + side);
    box.BorderColour[side] = !colour || *colour == IntNull ? 0 : static_cast<TColour>(*colour);
  }
  box.BackgroundColour = set.ColourOf(Prop::BackgroundColor);
  box.BorderColourAll = set.ColourOf(Prop::BorderColor);
  box.Width = MeasureOf(set, Prop::Width, width, Auto, Auto, true, context);
  box.Height = MeasureOf(set, Prop::Height, context.ContainingHeight, 0, 0, false, context);
  box.Top = MeasureOf(set, Prop::Top, context.ContainingHeight, Auto, Auto, true, context);
  box.Left = MeasureOf(set, Prop::Left, width, Auto, Auto, true, context);
  return box;
}

}  // namespace folverin
