// JavaScriptString: a text as a JavaScript string literal, for the scripts
// the program puts together around texts it does not control (frame names
// from a settings file, addresses taken from documents).
#pragma once

#include <string>
#include <string_view>

namespace folverin {

// The text in double quotes, as a literal whose value is exactly the text,
// whatever it holds. Written as escapes: the quote and the backslash (with a
// backslash), every control character, U+2028 and U+2029 (line ends to older
// script engines) and any unpaired surrogate (as \uXXXX, which keeps its
// value where a conversion to UTF-8 would not), and "<", so that the literal
// never holds "</script>" or "<!--" even inside an HTML page. Every other
// UTF-16 unit is written as it is.
std::u16string JavaScriptString(std::u16string_view text);

}  // namespace folverin
