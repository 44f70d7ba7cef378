#include "htmlengine/style/property_derived_values.h"

#include <algorithm>
#include <utility>

#include "htmlengine/support/layout_limits.h"

namespace folverin {

namespace {

struct TCode {
  std::string_view Text;
  int Code;
};

template <size_t N>
std::optional<int> CodeOf(const TCode (&table)[N], std::string_view text) {
  for (const TCode& entry : table)
    if (entry.Text == text) return entry.Code;
  return std::nullopt;
}

std::string_view TextIn(const TProperties& set, int slot) {
  const AnsiString* text = set.TextOf(slot);
  return text ? std::string_view(*text) : std::string_view();
}

std::optional<int> CodeOfSlot(const TProperties& set, int slot, auto const& table) {
  const AnsiString* text = set.TextOf(slot);
  return text ? CodeOf(table, *text) : std::nullopt;
}

AnsiString UrlAddress(std::string_view text) {
  size_t open = text.find("url(");
  if (open == std::string_view::npos) return {};
  std::string_view address = text.substr(open + 4);
  address = address.substr(0, address.find(')'));
  if (address.size() >= 2 && (address[0] == '"' || address[0] == '\'') &&
      address.back() == address[0])
    address = address.substr(1, address.size() - 2);
  return AnsiString(address);
}

}  // namespace

int AlignCode(std::string_view text) {
  static constexpr TCode kCodes[] = {{"top", 1},      {"middle", 2}, {"absmiddle", 2},
                                     {"center", 2},   {"baseline", 3}, {"bottom", 4},
                                     {"left", 5},     {"right", 6},  {"justify", 7}};
  return CodeOf(kCodes, text).value_or(0);
}

int TextAlignCode(const TProperties& set) { return AlignCode(TextIn(set, Prop::TextAlign)); }

std::optional<int> VerticalAlignCode(const TProperties& set) {
  static constexpr TCode kCodes[] = {{"top", 1},    {"text-top", 1}, {"middle", 2}, {"baseline", 3},
                                     {"bottom", 4}, {"sub", 8},      {"super", 9}};
  return CodeOfSlot(set, Prop::VerticalAlign, kCodes);
}

std::optional<int> FloatCode(const TProperties& set) {
  static constexpr TCode kCodes[] = {{"left", 5}, {"right", 6}, {"none", 0}};
  return CodeOfSlot(set, Prop::Float, kCodes);
}

std::optional<int> ClearCode(const TProperties& set) {
  static constexpr TCode kCodes[] = {{"left", 1}, {"right", 2}, {"both", 3}, {"none", 0}};
  return CodeOfSlot(set, Prop::Clear, kCodes);
}

int ListStyleTypeCode(const TProperties& set) {
  static constexpr TCode kCodes[] = {{"blank", 0},       {"circle", 1},      {"decimal", 2},
                                     {"disc", 3},        {"lower-alpha", 4}, {"lower-roman", 5},
                                     {"none", 6},        {"square", 7},      {"upper-alpha", 8},
                                     {"upper-roman", 9}};
  return CodeOfSlot(set, Prop::ListStyleType, kCodes).value_or(0);
}

AnsiString ListStyleImageAddress(const TProperties& set) {
  return UrlAddress(TextIn(set, Prop::ListStyleImage));
}

AnsiString BackgroundImageAddress(const TProperties& set) {
  std::string_view text = TextIn(set, Prop::BackgroundImage);
  return text == "none" ? AnsiString() : UrlAddress(text);
}

int PositionCode(const TProperties& set) {
  std::string_view text = TextIn(set, Prop::Position);
  return text == "absolute" ? 1 : text == "relative" ? 2 : 0;
}

bool IsHidden(const TProperties& set) { return set.IntOf(Prop::Visibility) == kVisibilityHidden; }
bool IsDisplayNone(const TProperties& set) { return TextIn(set, Prop::Display) == "none"; }

int ZIndexOf(const TProperties& set) {
  if (std::optional<int32_t> value = set.IntOf(Prop::ZIndex)) return *value;
  TNumberAndUnit number = SplitNumberAndUnit(TextIn(set, Prop::ZIndex));
  return number.HasNumber && number.Unit.empty() ? RoundToInt(number.Value) : 0;
}

bool PageBreakBefore(const TProperties& set) { return TextIn(set, Prop::PageBreakBefore) == "always"; }
bool PageBreakAfter(const TProperties& set) { return TextIn(set, Prop::PageBreakAfter) == "always"; }
bool PageBreakInside(const TProperties& set) { return TextIn(set, Prop::PageBreakInside) == "avoid"; }

int LineHeightPixels(const TProperties& set, int fontHeight, int pixelsPerInch) {
  const AnsiString* text = set.TextOf(Prop::LineHeight);
  if (!text) return -1;
  TNumberAndUnit number = SplitNumberAndUnit(*text);
  if (number.HasNumber && number.Unit.empty()) return StylePixels(RoundToInt(number.Value * fontHeight));
  return LengthToPixels(*text, false, set.EmSize, -1, set.ExSize, set.EmSize, pixelsPerInch);
}

TTextIndent TextIndentOf(const TProperties& set, int pixelsPerInch) {
  std::string_view text = TextIn(set, Prop::TextIndent);
  if (text.find('%') != std::string_view::npos)
    return {RoundToInt(SplitNumberAndUnit(text).Value), true};
  return {LengthToPixels(text, false, 0, 0, set.EmSize, set.EmSize, pixelsPerInch), false};
}

int BorderStyleCode(std::string_view text) {
  static constexpr TCode kCodes[] = {{"none", 0},   {"solid", 1},  {"inset", 2},
                                     {"outset", 3}, {"groove", 4}, {"ridge", 5},
                                     {"dashed", 6}, {"dotted", 7}, {"double", 8}};
  return CodeOf(kCodes, text).value_or(0);
}

TBackgroundRepeat BackgroundRepeatOf(const TProperties& set) {
  std::string_view text = TextIn(set, Prop::BackgroundRepeat);
  if (text == "no-repeat") return brNone;
  if (text == "repeat-x") return brHorizontal;
  if (text == "repeat-y") return brVertical;
  return brBoth;
}

bool BackgroundFixed(const TProperties& set) { return TextIn(set, Prop::BackgroundAttachment) == "fixed"; }

TColour OwnColour(const TProperties& set) {
  return set.SetFlags[Prop::Color] ? set.ColourOf(Prop::Color) : NoColour;
}

TColour OwnBackgroundColour(const TProperties& set) {
  return set.SetFlags[Prop::BackgroundColor] ? set.ColourOf(Prop::BackgroundColor) : NoColour;
}

}  // namespace folverin
