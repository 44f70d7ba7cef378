#include "htmlengine/tokenizer/html_symbols.h"

#include <array>
#include <cstdint>

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

// The names spread over buckets by their length and end letters, so that a
// lookup compares the name with the one or two entries of its bucket instead
// of hashing every byte of it. A name listed twice keeps its first index.
template <size_t N>
class TNameIndex {
 public:
  constexpr explicit TNameIndex(const std::array<std::string_view, N>& names) : Names_(names) {
    First_.fill(-1);
    Next_.fill(-1);
    for (size_t i = 0; i < N; ++i) {
      if (Find(names[i]) >= 0) continue;
      int16_t* link = &First_[BucketOf(names[i])];
      while (*link >= 0) link = &Next_[*link];
      *link = static_cast<int16_t>(i);
    }
  }

  // The index of the name, or -1.
  constexpr int Find(std::string_view name) const {
    for (int i = First_[BucketOf(name)]; i >= 0; i = Next_[i])
      if (SameName(Names_[i], name)) return i;
    return -1;
  }

 private:
  static constexpr size_t kBuckets = 256;

  // The names are short; comparing them here spares a call to memcmp.
  static constexpr bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
      if (a[i] != b[i]) return false;
    return true;
  }

  // The factors leave only a few pairs of listed names in one bucket, and
  // none of the names most documents are made of (A, P, TD, SPAN, CLASS...)
  // behind another one.
  static constexpr size_t BucketOf(std::string_view name) {
    if (name.empty()) return 0;
    const auto front = static_cast<unsigned char>(name.front());
    const auto back = static_cast<unsigned char>(name.back());
    return (name.size() * 33 + front * 36 + back) % kBuckets;
  }

  const std::array<std::string_view, N>& Names_;
  std::array<int16_t, kBuckets> First_{};
  std::array<int16_t, N> Next_{};
};

constexpr TNameIndex kTagIndex(kTagNames);
constexpr TNameIndex kAttributeIndex(kAttributeNames);

}  // namespace

TTagSymbols LookupTag(std::string_view upperName) {
  const int index = kTagIndex.Find(upperName);
  if (index < 0) return {THtmlSymbol::UnknownTag, THtmlSymbol::UnknownTag};
  return SymbolsOfTagIndex(index);
}

THtmlAttribute LookupAttribute(std::string_view upperName) {
  const int index = kAttributeIndex.Find(upperName);
  return index < 0 ? THtmlAttribute::Other : AttributeOfIndex(index);
}

std::string_view TagNameAt(int index) { return kTagNames.at(index); }

std::string_view AttributeNameAt(int index) { return kAttributeNames.at(index); }

bool IsHeadingSymbol(THtmlSymbol symbol) {
  return symbol == THtmlSymbol::Heading || symbol == THtmlSymbol::HeadingEnd;
}

}  // namespace folverin
