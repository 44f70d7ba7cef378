// The vocabulary of the style model: the 53 property slots of a property set,
// their CSS names, and the special values that measures and colours use.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace folverin {

// Slot numbers, as Prop::Color and so on. The order is fixed: ranges of
// slots are treated alike (10-33 are box measures, 22-25 side colours,
// 26-29 side styles).
struct Prop {
 enum : int {
  FontFamily = 0,
  FontSize,
  FontStyle,
  FontWeight,
  TextAlign,
  TextDecoration,
  BorderStyle,
  Color,
  BackgroundColor,
  BorderColor,
  MarginTop,  // 10
  MarginRight,
  MarginBottom,
  MarginLeft,
  PaddingTop,  // 14
  PaddingRight,
  PaddingBottom,
  PaddingLeft,
  BorderTopWidth,  // 18
  BorderRightWidth,
  BorderBottomWidth,
  BorderLeftWidth,
  BorderTopColor,  // 22
  BorderRightColor,
  BorderBottomColor,
  BorderLeftColor,
  BorderTopStyle,  // 26
  BorderRightStyle,
  BorderBottomStyle,
  BorderLeftStyle,
  Width,  // 30
  Height,
  Top,
  Left,
  Visibility,  // 34
  LineHeight,
  BackgroundImage,
  BackgroundPosition,
  BackgroundRepeat,
  BackgroundAttachment,
  VerticalAlign,  // 40
  Position,
  ZIndex,
  ListStyleType,
  ListStyleImage,
  Float,
  Clear,
  TextIndent,
  PageBreakBefore,
  PageBreakAfter,
  PageBreakInside,  // 50
  TextTransform,
  Display,
 };
};

inline constexpr int kPropertyCount = 53;

// Slots that hold IntNull when nothing was given.
inline constexpr int kFirstMeasureSlot = Prop::MarginTop;
inline constexpr int kLastMeasureSlot = Prop::Left;
inline constexpr bool IsMeasureSlot(int slot) {
  return slot >= kFirstMeasureSlot && slot <= kLastMeasureSlot;
}

// A measure that was not given.
inline constexpr int32_t IntNull = -12345678;
// The vertical margin of a paragraph-like element; becomes 14 pixels.
inline constexpr int32_t AutoParagraph = -12348766;
// "auto" width, position or horizontal margin.
inline constexpr int32_t Auto = -12348765;
inline constexpr int kParagraphSpace = 14;

// Colours: red in the lowest byte, then green, then blue. System colours are
// 0xFF000000 plus the platform's system colour index.
using TColour = uint32_t;
inline constexpr TColour NoColour = 0x1FFFFFFF;
// Added to every colour read from text (the palette-relative marker).
inline constexpr TColour kColourFlag = 0x2000000;
inline constexpr TColour kSystemColourBase = 0xFF000000;
// The system colours the engine starts from.
inline constexpr TColour clBtnFace = kSystemColourBase + 15;
inline constexpr TColour clBtnShadow = kSystemColourBase + 16;
inline constexpr TColour clBtnText = kSystemColourBase + 18;
inline constexpr TColour clBtnHighlight = kSystemColourBase + 20;
inline constexpr TColour clWhite = 0xFFFFFF;

// visibility slot codes
inline constexpr int32_t kVisibilityHidden = 1;
inline constexpr int32_t kVisibilityVisible = 2;
// text-transform slot codes
inline constexpr int32_t kTransformNone = 0;
inline constexpr int32_t kTransformUpper = 1;
inline constexpr int32_t kTransformLower = 2;

// The CSS name of a slot, and the slot of a (lower-case) CSS name.
std::string_view SlotName(int slot);
std::optional<int> SlotOfName(std::string_view name);

// Whether a child's set starts with the parent's value of the slot (measures
// are reset to IntNull instead; the rest start empty). Children of a span
// take every slot regardless. Inline: asked for every slot of every element.
constexpr bool IsInheritedSlot(int slot) {
  switch (slot) {
    case Prop::BorderStyle: case Prop::BackgroundColor: case Prop::BorderColor:
    case Prop::BackgroundImage: case Prop::BackgroundPosition: case Prop::BackgroundRepeat:
    case Prop::BackgroundAttachment: case Prop::VerticalAlign: case Prop::Position:
    case Prop::Float: case Prop::Clear:
    case Prop::PageBreakBefore: case Prop::PageBreakAfter: case Prop::PageBreakInside:
    case Prop::Display:
      return false;
    default:
      return !IsMeasureSlot(slot);
  }
}

}  // namespace folverin
