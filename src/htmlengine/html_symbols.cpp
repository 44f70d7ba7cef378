#include "htmlengine/html_symbols.h"

#include <array>
#include <string>
#include <unordered_map>

namespace folverin {

namespace {

constexpr std::array<std::string_view, kTagCount> kTagNames = {
    "HTML", "TITLE", "BODY", "HEAD", "B", "I", "H", "EM", "STRONG", "U",
    "CITE", "VAR", "TT", "CODE", "KBD", "SAMP", "OL", "UL", "DIR", "MENU",
    "DL", "A", "ADDRESS", "BLOCKQUOTE", "PRE", "CENTER", "TABLE", "TD", "TH",
    "CAPTION", "FORM", "TEXTAREA", "SELECT", "OPTION", "FONT", "SUB", "SUP",
    "BIG", "SMALL", "P", "MAP", "FRAMESET", "NOFRAMES", "SCRIPT", "DIV", "S",
    "STRIKE", "TR", "NOBR", "STYLE", "SPAN", "COLGROUP",
    // start tags only
    "LI", "BR", "HR", "DD", "DT", "IMG", "BASE", "BUTTON", "INPUT",
    "SELECTED", "BASEFONT", "AREA", "FRAME", "PAGE", "BGSOUND", "WRAP",
    "META", "PANEL", "WBR", "LINK", "COL"};

// The symbol enumeration lists the tags in table order, so a tag's symbols
// follow from its index.
static_assert(static_cast<int>(THtmlSymbol::Html) + 2 * kTagsWithEnd ==
              static_cast<int>(THtmlSymbol::LI));
static_assert(static_cast<int>(THtmlSymbol::LI) + kTagCount - kTagsWithEnd ==
              kHtmlSymbolCount);

constexpr std::array<std::string_view, kAttributeNameCount> kAttributeNames = {
    "HREF", "NAME", "SRC", "ALT", "ALIGN", "TEXT", "BGCOLOR", "LINK",
    "BACKGROUND", "COLSPAN", "ROWSPAN", "BORDER", "CELLPADDING",
    "CELLSPACING", "VALIGN", "WIDTH", "START", "VALUE", "TYPE", "CHECKBOX",
    "RADIO", "METHOD", "ACTION", "CHECKED", "SIZE", "MAXLENGTH", "COLS",
    "ROWS", "MULTIPLE", "VALUE", "SELECTED", "FACE", "COLOR", "TRANSP",
    "CLEAR", "ISMAP", "BORDERCOLOR", "USEMAP", "SHAPE", "COORDS", "NOHREF",
    "HEIGHT", "PLAIN", "TARGET", "NORESIZE", "SCROLLING", "HSPACE",
    "LANGUAGE", "FRAMEBORDER", "MARGINWIDTH", "MARGINHEIGHT", "LOOP",
    "ONCLICK", "WRAP", "NOSHADE", "HTTP-EQUIV", "CONTENT", "ENCTYPE", "VLINK",
    "OLINK", "ACTIVE", "VSPACE", "CLASS", "ID", "STYLE", "REL", "REV",
    "NOWRAP", "BORDERCOLORLIGHT", "BORDERCOLORDARK", "CHARSET", "RATIO",
    "TITLE", "ONFOCUS", "ONBLUR", "ONCHANGE", "SPAN", "TABINDEX",
    "BGPROPERTIES", "DISABLED"};

// The second VALUE entry (index 29) shares the symbol of the first, so every
// entry after it is one symbol behind its index.
constexpr int kSecondValueIndex = 29;
static_assert(kAttributeNameCount - 1 == static_cast<int>(THtmlAttribute::Other));

THtmlAttribute AttributeOfIndex(int index) {
  if (index == kSecondValueIndex) return THtmlAttribute::Value;
  return static_cast<THtmlAttribute>(index < kSecondValueIndex ? index : index - 1);
}

TTagSymbols SymbolsOfTagIndex(int index) {
  if (index < kTagsWithEnd) {
    const int start = static_cast<int>(THtmlSymbol::Html) + 2 * index;
    return {static_cast<THtmlSymbol>(start), static_cast<THtmlSymbol>(start + 1)};
  }
  const int start = static_cast<int>(THtmlSymbol::LI) + index - kTagsWithEnd;
  return {static_cast<THtmlSymbol>(start), THtmlSymbol::UnknownTag};
}

template <size_t N>
std::unordered_map<std::string_view, int> IndexByName(
    const std::array<std::string_view, N>& names) {
  std::unordered_map<std::string_view, int> index;
  for (size_t i = 0; i < N; ++i) index.emplace(names[i], static_cast<int>(i));  // first wins
  return index;
}

}  // namespace

TTagSymbols LookupTag(std::string_view upperName) {
  static const auto index = IndexByName(kTagNames);
  const auto found = index.find(upperName);
  if (found == index.end()) return {THtmlSymbol::UnknownTag, THtmlSymbol::UnknownTag};
  return SymbolsOfTagIndex(found->second);
}

THtmlAttribute LookupAttribute(std::string_view upperName) {
  static const auto index = IndexByName(kAttributeNames);
  const auto found = index.find(upperName);
  return found == index.end() ? THtmlAttribute::Other : AttributeOfIndex(found->second);
}

std::string_view TagNameAt(int index) { return kTagNames.at(index); }

std::string_view AttributeNameAt(int index) { return kAttributeNames.at(index); }

bool IsHeadingSymbol(THtmlSymbol symbol) {
  return symbol == THtmlSymbol::Heading || symbol == THtmlSymbol::HeadingEnd;
}

}  // namespace folverin
