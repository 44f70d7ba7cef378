#include "htmlengine/style/lengths.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "common/ansi_string.h"
#include "htmlengine/support/layout_limits.h"

namespace folverin {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the longest prefix of the form [+-]digits[.digits] (a digit
// needed somewhere), 0 when there is none.
size_t NumberPrefixLength(std::string_view text) {
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.' && i + 1 < text.size() && IsDigit(text[i + 1])) {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  return digits > 0 ? i : 0;
}

std::string_view TrimView(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32) text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32) text.remove_suffix(1);
  return text;
}

double Clamped(double value) { return std::isfinite(value) ? std::clamp(value, -1e9, 1e9) : 0; }

// The value of unsigned digits with an optional decimal point. Style texts
// hold short numbers ("1.2", "0.833", "600"): with at most 15 digits both the
// digits read as an integer and the power of ten are exact doubles, so one
// division rounds the quotient to the nearest double, as from_chars does.
// Longer numbers go to from_chars.
std::optional<double> DecimalValue(std::string_view digits) {
  static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  constexpr int kExactDigits = 15;
  uint64_t integer = 0;
  int count = 0, fractionDigits = 0;
  bool fraction = false;
  for (char c : digits) {
    if (c == '.') {
      fraction = true;
      continue;
    }
    if (++count > kExactDigits) break;
    integer = integer * 10 + static_cast<uint64_t>(c - '0');
    if (fraction) ++fractionDigits;
  }
  if (count <= kExactDigits) return static_cast<double>(integer) / kPowersOfTen[fractionDigits];
  double value = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

}  // namespace

int RoundToInt(double value) { return static_cast<int>(std::nearbyint(Clamped(value))); }

TNumberAndUnit SplitNumberAndUnit(std::string_view text) {
  text = TrimView(text);
  TNumberAndUnit result;
  size_t length = NumberPrefixLength(text);
  result.Unit = text.substr(length);
  if (length == 0) return result;
  std::string_view digits = text.substr(0, length);
  bool negative = digits[0] == '-';
  if (digits[0] == '+' || digits[0] == '-') digits.remove_prefix(1);
  std::optional<double> value = DecimalValue(digits);
  if (!value) return result;
  result.Value = Clamped(negative ? -*value : *value);
  result.HasNumber = true;
  return result;
}

int LengthToPixels(std::string_view text, bool relative, double percentBase, int defaultValue,
                   int exSize, int emSize, int pixelsPerInch) {
  TNumberAndUnit parsed = SplitNumberAndUnit(text);
  double v = parsed.Value, ppi = pixelsPerInch;
  std::string_view unit = TrimView(parsed.Unit);
  double pixels;
  if (unit == "in") pixels = v * ppi;
  else if (unit == "cm") pixels = v * ppi / 2.54;
  else if (unit == "mm") pixels = v * ppi / 25.4;
  else if (unit == "pt") pixels = v * ppi / 72;
  else if (unit == "px") pixels = v;
  else if (unit == "pc") pixels = v * ppi / 6;
  else if (unit == "em") pixels = v * emSize;
  else if (unit == "ex") pixels = v * exSize;
  else if (unit == "%") pixels = v * percentBase / 100;
  else if (unit.empty()) pixels = relative ? v * percentBase : v;
  else return defaultValue;
  return StylePixels(RoundToInt(pixels));
}

namespace {

// Sizes by keyword: the relative ones scale the parent's size, the absolute
// ones the document's default size D.
bool KeywordFontSize(std::string_view text, double parentSize, double defaultSize,
                     double& points) {
  struct Keyword { std::string_view Name; double Times; double Divisor; };
  static constexpr Keyword kAbsolute[] = {
      {"xx-small", 1, 1.5}, {"x-small", 1, 1.2}, {"small", 1, 1}, {"medium", 1.2, 1},
      {"large", 1.5, 1},    {"x-large", 2, 1},   {"xx-large", 3, 1}};
  if (text == "smaller") { points = parentSize * 0.75; return true; }
  if (text == "larger") { points = parentSize * 1.25; return true; }
  for (const Keyword& keyword : kAbsolute) {
    if (text == keyword.Name) {
      points = defaultSize * keyword.Times / keyword.Divisor;
      return true;
    }
  }
  return false;
}

double PointsOf(TNumberAndUnit parsed, double parentSize, double defaultSize, int pixelsPerInch) {
  if (pixelsPerInch <= 0) pixelsPerInch = kDefaultPixelsPerInch;
  double v = parsed.Value;
  std::string_view unit = parsed.Unit;  // not trimmed: "12 pt" is no size
  if (unit == "in") return v * 72;
  if (unit == "cm") return v * 72 / 2.54;
  if (unit == "mm") return v * 72 / 25.4;
  if (unit == "pt") return v;
  if (unit == "px" || (unit.empty() && parsed.HasNumber)) return v * 72 / pixelsPerInch;
  if (unit == "pc") return v * 12;
  if (unit == "em") return v * parentSize;
  if (unit == "ex") return v * parentSize / 2;
  if (unit == "%") return v * parentSize / 100;
  return defaultSize;
}

}  // namespace

double FontSizeToPoints(std::string_view text, double parentSize, double defaultSize,
                        int pixelsPerInch) {
  double points;
  if (!KeywordFontSize(TrimView(text), parentSize, defaultSize, points))
    points = PointsOf(SplitNumberAndUnit(text), parentSize, defaultSize, pixelsPerInch);
  return Clamped(points);
}

}  // namespace folverin
