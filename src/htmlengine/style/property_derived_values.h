// What layout and text output read from a property set: codes for the
// keyword properties, addresses, and box measures in pixels.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "common/ansi_string.h"
#include "htmlengine/style/lengths.h"
#include "htmlengine/style/property_set.h"

namespace folverin {

// top 1; middle, absmiddle, center 2; baseline 3; bottom 4; left 5; right 6;
// justify 7; else 0. Also used for HTML ALIGN attributes.
int AlignCode(std::string_view text);
int TextAlignCode(const TProperties& set);
// top/text-top 1, middle 2, baseline 3, bottom 4, sub 8, super 9.
std::optional<int> VerticalAlignCode(const TProperties& set);
// left 5, right 6, none 0.
std::optional<int> FloatCode(const TProperties& set);
// left 1, right 2, both 3, none 0.
std::optional<int> ClearCode(const TProperties& set);
// blank 0, circle 1, decimal 2, disc 3, lower-alpha 4, lower-roman 5, none 6,
// square 7, upper-alpha 8, upper-roman 9; else 0.
int ListStyleTypeCode(const TProperties& set);
// The address inside url(...), without enclosing quotes; empty when none.
AnsiString ListStyleImageAddress(const TProperties& set);
AnsiString BackgroundImageAddress(const TProperties& set);
// absolute 1, relative 2, else 0.
int PositionCode(const TProperties& set);
bool IsHidden(const TProperties& set);
bool IsDisplayNone(const TProperties& set);
int ZIndexOf(const TProperties& set);
bool PageBreakBefore(const TProperties& set);
bool PageBreakAfter(const TProperties& set);
bool PageBreakInside(const TProperties& set);
// Pixels, or -1 when line-height is not set. A bare number is a multiple of
// fontHeight; anything else is measured against EmSize.
int LineHeightPixels(const TProperties& set, int fontHeight,
                     int pixelsPerInch = kDefaultPixelsPerInch);

struct TTextIndent {
  int Value = 0;  // pixels, or percent when Percent is set
  bool Percent = false;
};
TTextIndent TextIndentOf(const TProperties& set, int pixelsPerInch = kDefaultPixelsPerInch);

// none 0, solid 1, inset 2, outset 3, groove 4, ridge 5, dashed 6, dotted 7,
// double 8; else 0.
int BorderStyleCode(std::string_view text);

enum TBackgroundPositionKind { bpTop, bpCenter, bpBottom, bpLeft, bpRight, bpPercent, bpLength };
struct TBackgroundAxis {
  TBackgroundPositionKind Kind = bpLength;
  int Value = 0;  // for bpPercent and bpLength
  bool operator==(const TBackgroundAxis&) const = default;
};
struct TBackgroundPosition {
  TBackgroundAxis Horizontal, Vertical;
};
TBackgroundPosition BackgroundPositionOf(const TProperties& set);

enum TBackgroundRepeat { brBoth, brHorizontal, brVertical, brNone };
TBackgroundRepeat BackgroundRepeatOf(const TProperties& set);
bool BackgroundFixed(const TProperties& set);

// color and background-color only when a rule or STYLE set them.
TColour OwnColour(const TProperties& set);
TColour OwnBackgroundColour(const TProperties& set);

// Box measures in pixels, sides in the order top, right, bottom, left.
struct TBoxMeasures {
  std::array<int, 4> Margin{};  // horizontal sides may be Auto
  bool TopParagraphSpace = false;
  bool BottomParagraphSpace = false;
  std::array<int, 4> Padding{};
  std::array<int, 4> BorderWidth{};
  std::array<int, 4> BorderStyleCodes{};
  std::array<TColour, 4> BorderColour{};
  TColour BackgroundColour = NoColour;
  TColour BorderColourAll = NoColour;
  int Width = Auto;
  int Height = 0;
  int Top = Auto;
  int Left = Auto;
};
struct TBoxContext {
  int ContainingWidth = 0;
  int ContainingHeight = 0;
  int EmSize = 0;
  int ExSize = 0;
  int PixelsPerInch = kDefaultPixelsPerInch;
};
TBoxMeasures BoxMeasuresOf(const TProperties& set, const TBoxContext& context);

}  // namespace folverin
