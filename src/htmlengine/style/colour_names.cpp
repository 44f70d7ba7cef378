#include "htmlengine/style/colour_names.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "common/ansi_string.h"
#include "htmlengine/style/lengths.h"

namespace folverin {

namespace {

struct TColourName {
  std::string_view Name;
  TColour Value;  // 0xRRGGBB as written in CSS, or a system colour / NoColour
};

constexpr TColour Sys(int index) { return kSystemColourBase + static_cast<TColour>(index); }

// Sorted by name, so it can be searched by halves.
constexpr TColourName kColourNames[] = {
    {"activeborder", Sys(10)}, {"activecaption", Sys(2)},
    {"aliceblue", 0xF0F8FF}, {"antiquewhite", 0xFAEBD7}, {"appworkspace", Sys(12)},
    {"aqua", 0x00FFFF}, {"aquamarine", 0x7FFFD4}, {"azure", 0xF0FFFF},
    {"background", Sys(1)}, {"beige", 0xF5F5DC}, {"bisque", 0xFFE4C4},
    {"black", 0x000000}, {"blanchedalmond", 0xFFEBCD}, {"blue", 0x0000FF},
    {"blueviolet", 0x8A2BE2}, {"brown", 0xA52A2A}, {"burlywood", 0xDEB887},
    {"buttonface", Sys(15)}, {"buttonhighlight", Sys(20)}, {"buttonshadow", Sys(16)},
    {"buttontext", Sys(18)}, {"cadetblue", 0x5F9EA0}, {"captiontext", Sys(9)},
    {"chartreuse", 0x7FFF00}, {"chocolate", 0xD2691E}, {"coral", 0xFF7F50},
    {"cornflowerblue", 0x6495ED}, {"cornsilk", 0xFFF8DC}, {"crimson", 0xDC143C},
    {"cyan", 0x00FFFF}, {"darkblue", 0x00008B}, {"darkcyan", 0x008B8B},
    {"darkgoldenrod", 0xB8860B}, {"darkgray", 0xA9A9A9}, {"darkgreen", 0x006400},
    {"darkgrey", 0xA9A9A9}, {"darkkhaki", 0xBDB76B}, {"darkmagenta", 0x8B008B},
    {"darkolivegreen", 0x556B2F}, {"darkorange", 0xFF8C00}, {"darkorchid", 0x9932CC},
    {"darkred", 0x8B0000}, {"darksalmon", 0xE9967A}, {"darkseagreen", 0x8FBC8F},
    {"darkslateblue", 0x483D8B}, {"darkslategray", 0x2F4F4F}, {"darkslategrey", 0x2F4F4F},
    {"darkturquoise", 0x00CED1}, {"darkviolet", 0x9400D3}, {"deeppink", 0xFF1493},
    {"deepskyblue", 0x00BFFF}, {"dimgray", 0x696969}, {"dimgrey", 0x696969},
    {"dodgerblue", 0x1E90FF}, {"firebrick", 0xB22222}, {"floralwhite", 0xFFFAF0},
    {"forestgreen", 0x228B22}, {"fuchsia", 0xFF00FF}, {"gainsboro", 0xDCDCDC},
    {"ghostwhite", 0xF8F8FF}, {"gold", 0xFFD700}, {"goldenrod", 0xDAA520},
    {"gray", 0x808080}, {"graytext", Sys(17)}, {"green", 0x008000},
    {"greenyellow", 0xADFF2F}, {"grey", 0x808080}, {"highlight", Sys(13)},
    {"highlighttext", Sys(14)}, {"honeydew", 0xF0FFF0}, {"hotpink", 0xFF69B4},
    {"inactiveborder", Sys(11)}, {"inactivecaption", Sys(3)},
    {"inactivecaptiontext", Sys(19)}, {"indianred", 0xCD5C5C}, {"indigo", 0x4B0082},
    {"infobackground", Sys(24)}, {"infotext", Sys(23)}, {"ivory", 0xFFFFF0},
    {"khaki", 0xF0E68C}, {"lavender", 0xE6E6FA}, {"lavenderblush", 0xFFF0F5},
    {"lawngreen", 0x7CFC00}, {"lemonchiffon", 0xFFFACD}, {"lightblue", 0xADD8E6},
    {"lightcoral", 0xF08080}, {"lightcyan", 0xE0FFFF},
    {"lightgoldenrodyellow", 0xFAFAD2}, {"lightgray", 0xD3D3D3}, {"lightgreen", 0x90EE90},
    {"lightgrey", 0xD3D3D3}, {"lightpink", 0xFFB6C1}, {"lightsalmon", 0xFFA07A},
    {"lightseagreen", 0x20B2AA}, {"lightskyblue", 0x87CEFA}, {"lightslategray", 0x778899},
    {"lightslategrey", 0x778899}, {"lightsteelblue", 0xB0C4DE}, {"lightyellow", 0xFFFFE0},
    {"lime", 0x00FF00}, {"limegreen", 0x32CD32}, {"linen", 0xFAF0E6},
    {"magenta", 0xFF00FF}, {"maroon", 0x800000}, {"mediumaquamarine", 0x66CDAA},
    {"mediumblue", 0x0000CD}, {"mediumorchid", 0xBA55D3}, {"mediumpurple", 0x9370DB},
    {"mediumseagreen", 0x3CB371}, {"mediumslateblue", 0x7B68EE},
    {"mediumspringgreen", 0x00FA9A}, {"mediumturquoise", 0x48D1CC},
    {"mediumvioletred", 0xC71585}, {"menu", Sys(4)}, {"menutext", Sys(7)},
    {"midnightblue", 0x191970}, {"mintcream", 0xF5FFFA}, {"mistyrose", 0xFFE4E1},
    {"moccasin", 0xFFE4B5}, {"navajowhite", 0xFFDEAD}, {"navy", 0x000080},
    {"oldlace", 0xFDF5E6}, {"olive", 0x808000}, {"olivedrab", 0x6B8E23},
    {"orange", 0xFFA500}, {"orangered", 0xFF4500}, {"orchid", 0xDA70D6},
    {"palegoldenrod", 0xEEE8AA}, {"palegreen", 0x98FB98}, {"paleturquoise", 0xAFEEEE},
    {"palevioletred", 0xDB7093}, {"papayawhip", 0xFFEFD5}, {"peachpuff", 0xFFDAB9},
    {"peru", 0xCD853F}, {"pink", 0xFFC0CB}, {"plum", 0xDDA0DD},
    {"powderblue", 0xB0E0E6}, {"purple", 0x800080}, {"red", 0xFF0000},
    {"rosybrown", 0xBC8F8F}, {"royalblue", 0x4169E1}, {"saddlebrown", 0x8B4513},
    {"salmon", 0xFA8072}, {"sandybrown", 0xF4A460}, {"scrollbar", Sys(0)},
    {"seagreen", 0x2E8B57}, {"seashell", 0xFFF5EE}, {"sienna", 0xA0522D},
    {"silver", 0xC0C0C0}, {"skyblue", 0x87CEEB}, {"slateblue", 0x6A5ACD},
    {"slategray", 0x708090}, {"slategrey", 0x708090}, {"snow", 0xFFFAFA},
    {"springgreen", 0x00FF7F}, {"steelblue", 0x4682B4}, {"tan", 0xD2B48C},
    {"teal", 0x008080}, {"thistle", 0xD8BFD8}, {"threeddarkshadow", Sys(21)},
    {"threedface", Sys(15)}, {"threedhighlight", Sys(22)},
    {"threedlightshadow", Sys(20)}, {"threedshadow", Sys(16)}, {"tomato", 0xFF6347},
    {"transparent", NoColour}, {"turquoise", 0x40E0D0}, {"violet", 0xEE82EE},
    {"wheat", 0xF5DEB3}, {"white", 0xFFFFFF}, {"whitesmoke", 0xF5F5F5},
    {"window", Sys(5)}, {"windowframe", Sys(6)}, {"windowtext", Sys(8)},
    {"yellow", 0xFFFF00}, {"yellowgreen", 0x9ACD32},
};

bool IsSpecialColour(TColour value) {
  return value == NoColour || value >= kSystemColourBase;
}

// 0xRRGGBB as written becomes the engine's order, red in the lowest byte.
TColour FromRgbOrder(uint32_t rrggbb) {
  uint32_t red = (rrggbb >> 16) & 0xFF, green = (rrggbb >> 8) & 0xFF, blue = rrggbb & 0xFF;
  return red + green * 256 + blue * 65536;
}

std::optional<uint32_t> ParseHex(std::string_view text) {
  if (text.empty() || text.size() > 8) return std::nullopt;
  uint32_t value = 0;
  for (char c : text) {
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else return std::nullopt;
    value = value * 16 + static_cast<uint32_t>(digit);
  }
  return value;
}

int WholeNumberOr0(std::string_view text) {
  size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
  if (i == text.size() || text.size() > 11) return 0;
  long value = 0;
  for (size_t k = i; k < text.size(); ++k) {
    if (text[k] < '0' || text[k] > '9') return 0;
    value = value * 10 + (text[k] - '0');
  }
  return static_cast<int>(text[0] == '-' ? -value : value);
}

// One part of rgb(...): "50%" is a share of 255, anything else a byte value.
// The share is taken as v * 255 / 100 rather than v * 2.55, whose double is
// a hair below 2.55 and would round 50% down to 127 instead of 128.
int RgbComponent(std::string_view part) {
  std::string text = Trim(part);
  int value = text.find('%') != std::string::npos
                  ? RoundToInt(SplitNumberAndUnit(text).Value * 255 / 100)
                  : WholeNumberOr0(text);
  return std::clamp(value, 0, 255);
}

bool ParseRgb(std::string_view text, TColour& colour) {
  size_t open = text.find('('), close = text.find(')');
  if (open == std::string_view::npos || close == std::string_view::npos || close < open)
    return false;
  std::string_view inner = text.substr(open + 1, close - open - 1);
  std::string_view parts[3];
  for (int i = 0; i < 2; ++i) {
    size_t comma = inner.find(',');
    parts[i] = inner.substr(0, comma);
    inner = comma == std::string_view::npos ? std::string_view() : inner.substr(comma + 1);
  }
  parts[2] = inner;
  colour = static_cast<TColour>(RgbComponent(parts[0]) + RgbComponent(parts[1]) * 256 +
                                RgbComponent(parts[2]) * 65536) + kColourFlag;
  return true;
}

bool ParseHash(std::string_view text, bool strict, TColour& colour) {
  size_t hash = text.rfind('#');
  if (hash == std::string_view::npos && strict) return false;
  std::string digits = Trim(hash == std::string_view::npos ? text : text.substr(hash + 1));
  if (!digits.empty() && digits.size() <= 3) {
    std::string doubled;
    for (char c : digits) doubled += std::string(2, c);
    digits = doubled;
  }
  std::optional<uint32_t> value = ParseHex(digits);
  if (!value) return false;
  colour = FromRgbOrder(*value) + kColourFlag;
  return true;
}

}  // namespace

size_t ColourNameCount() { return std::size(kColourNames); }

bool ColourOfName(std::string_view name, TColour& colour) {
  std::string key = LowerCase(name);
  auto it = std::lower_bound(std::begin(kColourNames), std::end(kColourNames), key,
                             [](const TColourName& entry, const std::string& k) {
                               return entry.Name < k;
                             });
  if (it == std::end(kColourNames) || it->Name != key) return false;
  colour = IsSpecialColour(it->Value) ? it->Value : FromRgbOrder(it->Value) + kColourFlag;
  return true;
}

// No cache of the last text: keyed on the text alone, it would hand a strict
// caller the colour that a lenient call found for the same bare hexadecimal
// text.
bool ColourFromString(std::string_view text, bool strict, TColour& colour) {
  std::string value = LowerCase(Trim(text));
  bool hasRgbCall = value.find("rgb(") != std::string::npos;
  if (!value.empty() && value[0] != '#' && !hasRgbCall && ColourOfName(value, colour))
    return true;
  if (value.find("rgb") != std::string::npos) return ParseRgb(value, colour);
  return ParseHash(value, strict, colour);
}

}  // namespace folverin
