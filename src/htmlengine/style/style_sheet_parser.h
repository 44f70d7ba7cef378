// Reads style sheets (STYLE elements, linked sheets) into the rule store and
// STYLE attributes into an element's property set. Nothing is rejected:
// what is not understood is skipped up to where reading can go on.
#pragma once

#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "common/ansi_string.h"
#include "htmlengine/style/property_set.h"
#include "htmlengine/style/style_list.h"
#include "htmlengine/style/style_url.h"

namespace folverin {

// The end of input, as the tokenizer's reader reports it.
inline constexpr char kStyleEndOfInput = 26;

// Yields the next character of the sheet; kStyleEndOfInput at the end, and on
// every call after it.
using TStyleCharSource = std::function<char()>;

// A sheet as read, before it goes into a rule store: its rules in reading
// order, each with its selectors (trimmed, lower case) and its declarations
// with the shorthands expanded. Applying it makes exactly the store calls
// that reading the sheet into the store makes, so a linked sheet that many
// documents share needs to be read only once.
struct TParsedStyleSheet {
  struct TRule {
    std::vector<AnsiString> Selectors;
    std::vector<std::pair<AnsiString, AnsiString>> Declarations;  // CSS name, value
  };
  std::vector<TRule> Rules;
};

// Reads a linked sheet's text (see ParseStyleSheetText) without a store.
TParsedStyleSheet ReadStyleSheetText(std::string_view text, std::string_view base,
                                     TStylePathForm form = TStylePathForm::Native);
// Gives every selector its key (descendant keys take the store's next
// sequence numbers, as when read) and stores the declarations under them.
void ApplyStyleSheet(TStyleList& store, const TParsedStyleSheet& sheet);

// Reads one sheet. current is the character the caller stands on (the ">"
// of the STYLE tag); on return it is the first character not consumed (the
// "<" of the end tag, or the end), in upper case, so the tokenizer can go on
// from it. base is the folder or address of a linked sheet, else empty.
void ParseStyleSheet(TStyleList& store, char& current, const TStyleCharSource& source,
                     std::string_view base, TStylePathForm form = TStylePathForm::Native);

// A linked sheet's text: every line end (CR LF, CR or LF) reads as one CR, a
// tab as a blank, and the end of the text as kStyleEndOfInput.
void ParseStyleSheetText(TStyleList& store, std::string_view text, std::string_view base,
                         TStylePathForm form = TStylePathForm::Native);

// Key under which a selector's rule is stored: the simple selector itself, or
// for "ul li a" the form "a 2<sequence>li ul " with the store's next
// sequence number.
AnsiString SelectorKey(std::string_view selector, TStyleList& store);

// The STYLE attribute of one element.
void ParseInlineStyle(std::string_view text, TProperties& properties);

}  // namespace folverin
